// The frame strip: a vertically scrolling grid of tiles, one per animation frame, with its
// items, its notification event and its selection behaviour. It shows the animation
// document's frames and follows its changes; an item keeps a thumbnail, not a frame of its
// own. GUI thread only: the items hold wxBitmaps, which GTK does not allow off the GUI thread.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/dc.h>
#include <wx/dynarray.h>
#include <wx/event.h>
#include <wx/image.h>
#include <wx/scrolwin.h>
#include <wx/timer.h>

#include "core/picture/picture.h"
#include "core/strip/frame_move.h"
#include "ui/strip/label_font.h"
#include "core/strip/strip_palette.h"
#include "core/strip/thumbnail_grid.h"
#include "core/strip/thumbnail_selection.h"
#include "core/strip/thumbnail_size.h"

class FrameStrip;

// The control's window id; the owner binds the strip's events with it.
enum { ID_THUMBNAIL_CTRL = 3 };

// Window style flags of the control.
enum {
    STRIP_MULTI_SELECT = 0x10,   // several items may be selected
    STRIP_SHOW_FILENAME = 0x20,  // a tile shows its file name above the thumbnail
    STRIP_SHOW_LABEL = 0x80      // a tile shows "#n  t.ttsec" below the thumbnail
};

// Drawing state passed to the items' painting.
enum {
    STRIP_DRAW_SELECTED = 1,
    STRIP_DRAW_CTRL_FOCUSED = 4,  // the control has the keyboard focus
    STRIP_DRAW_FOCUS_ITEM = 8     // the item is the focus item; only together with 4
};

// Fits an image into a box, keeping its proportions; never enlarges. Returns an invalid
// bitmap when a scaled side would be 0 pixels (a 1000 x 3 picture in an 80 x 80 box).
wxBitmap ScaleToFit(const wxImage& image, int boxWidth, int boxHeight);

// One tile of the strip. The base item has no picture and refuses to load, so the strip
// accepts only derived items.
class StripTile : public wxObject {
public:
    explicit StripTile(const wxString& filename = wxString()) : m_filename(filename) {}

    // Paints the picture into imageRect; returns whether this item paints pictures.
    virtual bool DrawImage(wxDC& dc, FrameStrip& ctrl, const wxRect& imageRect,
                           int state);
    // Paints everything but the picture: tile, caption, frame label and the dotted focus
    // rectangle. Rectangles are logical (the dc is prepared for the
    // scroll position); index is the item's position, which the label shows.
    virtual bool DrawFrame(wxDC& dc, FrameStrip& ctrl, const wxRect& rect,
                           const wxRect& imageRect, int state, int index);
    // Prepares the item to be shown by ctrl; false refuses the item.
    virtual bool Load(FrameStrip& ctrl, bool force);

    // Source path; for a frame of a GIF file, its frame reference name (path + "_" + frame).
    wxString m_filename;

private:
    wxDECLARE_CLASS(StripTile);
    wxDECLARE_NO_COPY_CLASS(StripTile);
};

// A frame of the animation, whose picture and small copy it shares with its owner (the
// animation document and its undo history): the strip keeps only the thumbnail it paints.
class FrameTile : public StripTile {
public:
    // name is the frame's name as shown and stored (a path, or a GIF frame's reference name).
    // The thumbnail is made from small, the picture made small where it was loaded, or else
    // from the picture decoded; with neither the item never gets one.
    FrameTile(PictureRef picture, std::shared_ptr<const wxImage> small, const wxString& name);

    bool DrawImage(wxDC& dc, FrameStrip& ctrl, const wxRect& imageRect,
                   int state) override;
    // Makes the thumbnail; an item with one is left alone unless force is set.
    bool Load(FrameStrip& ctrl, bool force) override;

    const std::shared_ptr<const wxImage>& GetSmallPicture() const { return m_small; }

    wxBitmap m_thumbnail;  // the only bitmap the strip paints

private:
    PictureRef m_picture;
    std::shared_ptr<const wxImage> m_small;

    wxDECLARE_CLASS(FrameTile);
};

// A frame whose source could not be found or read when its project was opened. It keeps the
// entry exactly as the project stored it (a path or a frame reference name), so a saved
// project writes it back unchanged; it has no picture, and is drawn as a crossed-out tile.
class MissingFrameTile : public FrameTile {
public:
    explicit MissingFrameTile(const wxString& entry);

    bool DrawImage(wxDC& dc, FrameStrip& ctrl, const wxRect& imageRect,
                   int state) override;
    // Always accepted: the item stands for a file that is not there.
    bool Load(FrameStrip& ctrl, bool force) override;

private:
    wxDECLARE_CLASS(MissingFrameTile);
};

// Whether item is the placeholder of a missing frame.
inline bool IsMissingFrame(const StripTile* item)
{
    return item && item->IsKindOf(wxCLASSINFO(MissingFrameTile));
}

// Notification of the strip. The control sends it synchronously through its own event
// handler with its window id; being a command event, it travels up to the parent. The
// control never looks at a veto.
class FrameStripEvent : public wxNotifyEvent {
public:
    FrameStripEvent(wxEventType commandType = wxEVT_NULL, int id = 0)
        : wxNotifyEvent(commandType, id)
    {
    }

    wxEvent* Clone() const override { return new FrameStripEvent(*this); }

    // The item concerned, -1 for none (Return); for a move, the gap (0..count) before which
    // the selection is to go.
    int GetIndex() const { return m_index; }
    void SetIndex(int index) { m_index = index; }
    // STRIP_SHIFT_DOWN, STRIP_CTRL_DOWN, STRIP_ALT_DOWN.
    int GetFlags() const { return m_flags; }
    void SetFlags(int flags) { m_flags = flags; }
    // For a menu asked for by key, where it opens, in the control's client coordinates;
    // wxDefaultPosition for the mouse's events (a menu opens at the pointer).
    wxPoint GetPosition() const { return m_position; }
    void SetPosition(const wxPoint& position) { m_position = position; }

private:
    int m_index = -1;
    int m_flags = 0;
    wxPoint m_position = wxDefaultPosition;

    wxDECLARE_DYNAMIC_CLASS(FrameStripEvent);
};

wxDECLARE_EVENT(EVT_STRIP_SELECTED, FrameStripEvent);
wxDECLARE_EVENT(EVT_STRIP_DESELECTED, FrameStripEvent);
wxDECLARE_EVENT(EVT_STRIP_LEFT_CLICK, FrameStripEvent);
wxDECLARE_EVENT(EVT_STRIP_MIDDLE_CLICK, FrameStripEvent);
wxDECLARE_EVENT(EVT_STRIP_RIGHT_CLICK, FrameStripEvent);
wxDECLARE_EVENT(EVT_STRIP_LEFT_DCLICK, FrameStripEvent);
wxDECLARE_EVENT(EVT_STRIP_RETURN, FrameStripEvent);
// The user dropped the selection at a gap, or moved it by key (Alt with an arrow): the owner
// is asked to move the selected items there. The strip itself changes nothing, and sends
// nothing for a move that would leave the list as it is.
wxDECLARE_EVENT(EVT_STRIP_MOVE, FrameStripEvent);
// The menu key or Shift+F10: the owner's pop-up menu for the focused tile (the index), to be
// opened at the event's position.
wxDECLARE_EVENT(EVT_STRIP_CONTEXT_MENU, FrameStripEvent);
// The user changed the thumbnail size (Ctrl with the mouse wheel); the strip has taken it.
wxDECLARE_EVENT(EVT_STRIP_THUMBNAIL_SIZE, FrameStripEvent);

typedef void (wxEvtHandler::*FrameStripEventFunction)(FrameStripEvent&);
#define FrameStripEventHandler(func) wxEVENT_HANDLER_CAST(FrameStripEventFunction, func)

// Static event table entries: EVT_FRAME_STRIP_LEFT_CLICK(ID_THUMBNAIL_CTRL, MainWindow::OnX).
#define EVT_FRAME_STRIP_SELECTED(id, fn) \
    wx__DECLARE_EVT1(EVT_STRIP_SELECTED, id, FrameStripEventHandler(fn))
#define EVT_FRAME_STRIP_DESELECTED(id, fn) \
    wx__DECLARE_EVT1(EVT_STRIP_DESELECTED, id, FrameStripEventHandler(fn))
#define EVT_FRAME_STRIP_LEFT_CLICK(id, fn) \
    wx__DECLARE_EVT1(EVT_STRIP_LEFT_CLICK, id, FrameStripEventHandler(fn))
#define EVT_FRAME_STRIP_MIDDLE_CLICK(id, fn) \
    wx__DECLARE_EVT1(EVT_STRIP_MIDDLE_CLICK, id, FrameStripEventHandler(fn))
#define EVT_FRAME_STRIP_RIGHT_CLICK(id, fn) \
    wx__DECLARE_EVT1(EVT_STRIP_RIGHT_CLICK, id, FrameStripEventHandler(fn))
#define EVT_FRAME_STRIP_LEFT_DCLICK(id, fn) \
    wx__DECLARE_EVT1(EVT_STRIP_LEFT_DCLICK, id, FrameStripEventHandler(fn))
#define EVT_FRAME_STRIP_RETURN(id, fn) \
    wx__DECLARE_EVT1(EVT_STRIP_RETURN, id, FrameStripEventHandler(fn))
#define EVT_FRAME_STRIP_MOVE(id, fn) \
    wx__DECLARE_EVT1(EVT_STRIP_MOVE, id, FrameStripEventHandler(fn))
#define EVT_FRAME_STRIP_CONTEXT_MENU(id, fn) \
    wx__DECLARE_EVT1(EVT_STRIP_CONTEXT_MENU, id, FrameStripEventHandler(fn))
#define EVT_FRAME_STRIP_THUMBNAIL_SIZE(id, fn) \
    wx__DECLARE_EVT1(EVT_STRIP_THUMBNAIL_SIZE, id, FrameStripEventHandler(fn))

// The strip's items, owned: RemoveAt, Clear and destruction delete them.
class StripTileArray {
public:
    StripTileArray() = default;
    StripTileArray(const StripTileArray&) = delete;
    StripTileArray& operator=(const StripTileArray&) = delete;

    size_t size() const { return m_items.size(); }
    // uiIndex must be below size().
    StripTile* Item(size_t uiIndex) const { return m_items[uiIndex].get(); }
    StripTile* operator[](size_t uiIndex) const { return Item(uiIndex); }

    void Add(StripTile* item) { m_items.emplace_back(item); }
    // uiIndex must not exceed size().
    void Insert(StripTile* item, size_t uiIndex);
    // Deletes the item; false (with a debug assertion) when uiIndex is out of range.
    bool RemoveAt(size_t uiIndex);
    void Clear() { m_items.clear(); }
    // Puts the items in order, given as the old index of each new position (a rearrangement
    // of 0 .. size()-1); the item objects stay the same.
    void Reorder(const std::vector<int>& order);

private:
    std::vector<std::unique_ptr<StripTile>> m_items;
};

class FrameStrip : public wxScrolledWindow {
public:
    FrameStrip(wxWindow* parent, const wxPoint& pos = wxDefaultPosition,
                    const wxSize& size = wxDefaultSize);
    ~FrameStrip() override;

    // Loads item and adds it at the end; delay becomes m_frameDelay. Returns the new index.
    // When the item refuses to load, returns -1 and the caller still owns item; on success
    // the control owns it.
    virtual int Append(StripTile* item, int delay);
    // Same contract, with the ownership in the type: item is released only on success.
    template <class Item>
    int Append(std::unique_ptr<Item>& item, int delay)
    {
        const int index = Append(static_cast<StripTile*>(item.get()), delay);
        if (index != -1)
            item.release();
        return index;
    }
    // Takes item at pos (0 <= pos <= GetCount()) and loads it, keeping it even when loading
    // fails. Returns pos; a bad pos raises a debug assertion, returns -1 and leaves item to
    // the caller.
    virtual int Insert(StripTile* item, int pos);
    virtual void Clear();
    virtual void Delete(int index);
    // Puts the items in a new order (order[i] is the index of the item that goes to i, a
    // permutation of every index); selection and focus follow their items.
    void Reorder(const std::vector<int>& order);
    virtual int GetCount() const { return static_cast<int>(m_items.size()); }

    // The item at index, still owned by the control; null for a bad index.
    StripTile* GetItem(int index) const;

    // Suspend scrollbar updates and painting during a batch of list changes; they nest, and
    // the last EndUpdate relays out and repaints once.
    void BeginUpdate() { ++m_freezeCount; }
    void EndUpdate();

    // transform true: client (scrolled) coordinates; false: logical. False, with rect
    // untouched, for a bad index.
    bool GetItemRect(int n, wxRect& rect, bool transform = true) const;
    bool GetItemRectImage(int n, wxRect& rect, bool transform = true) const;

    // Selection without notifications.
    void Select(int n, bool select = true);
    void SelectAll();
    void SetFocusItem(int item);
    // Makes indices (in that order) the selection, the first one anchor and focus item.
    void SetSelection(const std::vector<int>& indices);
    bool IsSelected(int n) const { return m_selection.IsSelected(n); }
    // The selected items, ascending, each once.
    std::vector<int> SelectedIndices() const;
    int GetLastSelected() const { return m_selection.LastSelected(); }
    int GetFocusItem() const { return m_selection.FocusItem(); }

    // The selection change of a click or key, followed by one SELECTED or DESELECTED event
    // per reported item.
    void UpdateSelection(int n, int flags);
    // The item under a client point; false for the spacing and blank areas.
    bool HitTestItem(const wxPoint& pt, int& index) const;
    // Scrolls the item wholly into view; backward prefers its top over its bottom.
    void ScrollToItem(int index, bool backward = false);

    // Whether the user is dragging frames, and the gap a release would drop them at (-1
    // while the pointer is outside the strip).
    bool IsDragging() const { return m_drag.dragging; }
    int GetDropGap() const { return m_drag.dragging ? m_drag.target.gap : -1; }
    const wxColour& GetDropMarkerColour() const { return m_palette.dropMarker; }

    // Grows the paint buffer to size (default: the client size); it never shrinks.
    bool EnsureBuffer(const wxSize& size = wxDefaultSize);
    // Paints the background and the tiles meeting update (client coordinates) into a dc
    // prepared for the scroll position, as if the control had the keyboard focus or not.
    // The paint handler uses it, and so can anything that wants a picture of the strip.
    void PaintContent(wxDC& dc, const wxRegion& update, bool focused);

    ThumbnailGrid Grid() const;

    // The thumbnails' size; a change makes every thumbnail again and lays the tiles out anew,
    // keeping the focused tile in view.
    void SetThumbnailSize(ThumbnailSize size);

    // How a frame's picture looks in the output (its small copy and the size of the whole
    // picture give the small output picture); a thumbnail shows that. Setting it makes every
    // thumbnail again; none: the pictures as they are.
    using PictureLook = std::function<wxImage(const wxImage& small, const wxSize& picture)>;
    void SetPictureLook(PictureLook look);
    // The small picture as the output shows it.
    wxImage LookOf(const wxImage& small, const wxSize& picture) const
    {
        return m_look ? m_look(small, picture) : small;
    }
    ThumbnailSize GetThumbnailSize() const { return m_thumbnailSize; }

    int GetThumbnailWidth() const { return m_metrics.thumbWidth; }
    int GetThumbnailHeight() const { return m_metrics.thumbHeight; }
    int GetItemWidth() const { return m_itemWidth; }
    int GetSpacing() const { return m_metrics.spacing; }
    // The colours, from the desktop theme; they follow a change of theme.
    const StripPalette& GetPalette() const { return m_palette; }
    const wxColour& GetFocusedSelectionColour() const { return m_palette.selection; }
    const wxColour& GetUnselectedColour() const { return m_palette.tile; }
    const wxColour& GetLabelColour() const { return m_palette.tileText; }
    // The labels' font and lines: the control's font, smaller where the widest label would
    // not fit a tile, never below the desktop's small text.
    const LabelLayout& GetLabelLayout() const { return m_label; }
    const wxFont& GetLabelFont() const { return m_label.font; }
    const wxBitmap& GetBufferBitmap() const { return m_bufferBitmap; }

    // Delay of every frame in hundredths of a second, shown in the labels; the owner writes
    // it when the user changes the delay and it shows at the next repaint.
    int m_frameDelay = 0;
    // The label of tile index: "#n  t.ttsec", the frame's number and its start time. By
    // default every frame lasts m_frameDelay; an owner whose frames have delays of their
    // own gives the texts here.
    std::function<wxString(int index)> m_labelText;
    wxString LabelText(int index) const;

private:
    StripTileArray m_items;
    ThumbnailSelection m_selection;

public:
    // Selected indices in the order they were added; read by the owner. Changing it directly
    // bypasses repainting.
    wxArrayInt& m_selections = m_selection.Indices();
    // While above 0 the control neither recomputes scrollbars nor repaints.
    int m_freezeCount = 0;

protected:
    wxSize DoGetBestSize() const override;

private:
    // Painting of one tile, forwarded to the item; false when index names no item.
    bool DrawItemImage(int index, wxDC& dc, const wxRect& imageRect, int state);
    bool DrawItemFrame(int index, wxDC& dc, const wxRect& rect, const wxRect& imageRect,
                       int state);
    // Moves through the items as a click would select them; false when there are no items.
    bool NavigateByKey(int keyCode, int flags);
    void UpdateScrollbars();
    void ComputeItemSize();
    void FillBackground(wxDC& dc);
    void OnPaint(wxPaintEvent& event);
    void OnEraseBackground(wxEraseEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnFocusChange(wxFocusEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnRightDown(wxMouseEvent& event);
    void OnMiddleDown(wxMouseEvent& event);
    void OnLeftDClick(wxMouseEvent& event);
    void OnChar(wxKeyEvent& event);
    // Ctrl with the wheel changes the thumbnail size; the wheel alone scrolls.
    void OnMouseWheel(wxMouseEvent& event);
    void OnSysColourChanged(wxSysColourChangedEvent& event);
    void TakeThemeColours();
    // The menu key and Shift+F10: the owner's pop-up menu at the focused tile.
    void RequestContextMenu();
    // Dragging frames (frame_strip_move.cpp).
    void OnLeftUp(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnDragScrollTimer(wxTimerEvent& event);
    // Escape during a drag, and the move keys.
    void OnKeyDown(wxKeyEvent& event);
    // Whether a left press must leave the selection to its release: a plain press inside a
    // multiple selection may be the start of dragging all of it.
    bool DefersClick(int index, int flags) const;
    void BeginPress(int index, const wxPoint& at, bool clickPending);
    void StartDrag();
    void FollowPointer(const wxPoint& client);
    void UpdateDropTarget();
    // Scroll units per auto-scroll tick for the pointer's place; 0 away from the edges.
    int DragScrollStep() const;
    // Ends the drag or press: the capture, the timer, the cursor and the marker go.
    void EndDrag();
    // Sends the move request for the selection to gap unless it would change nothing.
    void RequestMove(int gap);
    bool MoveByKey(int keyCode);
    void DrawDropMarker(wxDC& dc);
    void RefreshDropMarker();
    void OnSelectAll(wxCommandEvent& event);
    // The Delete key: asks the owner to delete the selection (a wxID_DELETE menu command).
    void RequestDelete();
    void OnUpdateSelectAll(wxUpdateUIEvent& event);

    // Repaints one tile unless frozen; ignores -1.
    void RefreshItem(int index);
    // Repaints the tiles whose selection or focus differs between the two states.
    void RefreshChanged(const wxArrayInt& before, int focusBefore);
    void SendEvent(wxEventType type, int index, int flags);
    // Scrollbars and a full repaint after a list change, unless frozen.
    void FinishListChange();
    int ViewStartY() const;
    void ScrollToUnit(int unit);

    // A left press on a tile and the drag it may become.
    struct DragState {
        bool pressed = false;   // the left button went down on a tile and is still down
        bool dragging = false;  // moved past the threshold: the mouse is captured
        wxPoint start;          // client position of the press
        int index = -1;         // the pressed tile
        // A plain press inside a multiple selection selects the tile alone only at a release
        // without a drag.
        bool clickPending = false;
        wxPoint pointer;  // last client position during the drag
        DropGap target;   // gap -1: outside the strip, a release drops nothing
    };
    DragState m_drag;
    wxTimer m_dragScrollTimer;

    int m_itemWidth = -1;
    ThumbnailSize m_thumbnailSize = kDefaultThumbnailSize;
    PictureLook m_look;
    TileMetrics m_metrics;
    LabelLayout m_label;
    StripPalette m_palette;
    // Wheel rotation with Ctrl not yet turned into a size step (fine-grained wheels send
    // fractions of a notch).
    int m_wheelRotation = 0;
    wxBitmap m_bufferBitmap;

    wxDECLARE_CLASS(FrameStrip);
    wxDECLARE_EVENT_TABLE();
    wxDECLARE_NO_COPY_CLASS(FrameStrip);
};
