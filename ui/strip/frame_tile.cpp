// The strip's items and its notification event.
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/graphics.h>
#include <wx/log.h>

#include "core/base/trace.h"
#include "ui/strip/frame_strip.h"
#include "core/strip/tile_title.h"
#include "core/input/image_decode.h"
#include "core/video/video_reference.h"

wxIMPLEMENT_CLASS(StripTile, wxObject);
wxIMPLEMENT_CLASS(FrameTile, StripTile);
wxIMPLEMENT_CLASS(MissingFrameTile, FrameTile);
wxIMPLEMENT_DYNAMIC_CLASS(FrameStripEvent, wxNotifyEvent);

// Defined in this order on purpose: the event type numbers follow it.
wxDEFINE_EVENT(EVT_STRIP_SELECTED, FrameStripEvent);
wxDEFINE_EVENT(EVT_STRIP_DESELECTED, FrameStripEvent);
wxDEFINE_EVENT(EVT_STRIP_LEFT_CLICK, FrameStripEvent);
wxDEFINE_EVENT(EVT_STRIP_MIDDLE_CLICK, FrameStripEvent);
wxDEFINE_EVENT(EVT_STRIP_RIGHT_CLICK, FrameStripEvent);
wxDEFINE_EVENT(EVT_STRIP_LEFT_DCLICK, FrameStripEvent);
wxDEFINE_EVENT(EVT_STRIP_RETURN, FrameStripEvent);
wxDEFINE_EVENT(EVT_STRIP_MOVE, FrameStripEvent);
wxDEFINE_EVENT(EVT_STRIP_CONTEXT_MENU, FrameStripEvent);
wxDEFINE_EVENT(EVT_STRIP_THUMBNAIL_SIZE, FrameStripEvent);

wxBitmap ScaleToFit(const wxImage& image, int boxWidth, int boxHeight)
{
    if (!image.IsOk())
        return wxBitmap();
    const double sx = static_cast<double>(boxWidth) / image.GetWidth();
    const double sy = static_cast<double>(boxHeight) / image.GetHeight();
    if (sx >= 1 && sy >= 1)
        return wxBitmap(image);  // pictures are never enlarged
    const double s = sx < sy ? sx : sy;
    const int width = static_cast<int>(image.GetWidth() * s);
    const int height = static_cast<int>(image.GetHeight() * s);
    // wxImage::Scale asserts on an empty size; a sliver too thin to show gets no thumbnail.
    if (width < 1 || height < 1)
        return wxBitmap();
    return wxBitmap(image.Scale(width, height, wxIMAGE_QUALITY_NORMAL));
}

bool StripTile::DrawImage(wxDC&, FrameStrip&, const wxRect&, int)
{
    return false;
}

bool StripTile::Load(FrameStrip&, bool)
{
    return false;
}

namespace {

// Clips to box and draws text at (x, y), so text wider than the box is cut, not wrapped.
void DrawClippedText(wxDC& dc, const wxString& text, const wxRect& box, int x, int y)
{
    dc.SetClippingRegion(box);
    dc.DrawText(text, x, y);
    dc.DestroyClippingRegion();
}

}  // namespace

bool StripTile::DrawFrame(wxDC& dc, FrameStrip& ctrl, const wxRect& rect,
                                const wxRect& imageRect, int state, int index)
{
    const bool selected = (state & STRIP_DRAW_SELECTED) != 0;
    const bool focused = (state & STRIP_DRAW_CTRL_FOCUSED) != 0;
    const StripPalette& palette = ctrl.GetPalette();
    const wxColour& tile = !selected ? palette.tile
                           : focused ? palette.selection
                                     : palette.idleSelection;
    const wxColour& text = !selected ? palette.tileText
                           : focused ? palette.selectionText
                                     : palette.idleSelectionText;
    dc.SetBrush(wxBrush(tile));
    // An unselected tile is edged in the theme's shadow, so that it stands out on a
    // background of nearly its own colour; a selected one is its colour throughout.
    dc.SetPen(wxPen(selected ? tile : palette.tileEdge, 1));
    dc.DrawRectangle(rect);
    dc.SetTextForeground(text);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    const ThumbnailGrid grid = ctrl.Grid();

    // A frame without a file (a recording's) has no name to show: it is called what it is.
    const bool recorded = m_filename.empty();
    const wxString name = wxFileNameFromPath(m_filename);
    if ((recorded || !name.empty()) && ctrl.HasFlag(STRIP_SHOW_FILENAME)) {
        dc.SetFont(ctrl.GetFont());
        const wxRect box = grid.CaptionRect(rect);
        const FrameTitleParts parts =
            recorded ? FrameTitleParts{_("Recorded frame"), wxString()} : FrameTitleOf(m_filename);
        const wxString title = FitTitle(parts, box.width,
                                        [&dc](const wxString& t) { return dc.GetTextExtent(t).x; });
        const int offset = (box.width - dc.GetTextExtent(title).x) / 2;
        DrawClippedText(dc, title, box, box.x + (offset > 0 ? offset : 0), box.y);
    }

    if (recorded || !name.empty()) {
        wxString dir, base, ext;
        wxFileName::SplitPath(name, &dir, &base, &ext);
        if ((recorded || !ext.empty()) && ctrl.HasFlag(STRIP_SHOW_LABEL)) {
            const LabelLayout& layout = ctrl.GetLabelLayout();
            dc.SetFont(layout.font);
            const wxRect box = grid.LabelRect(rect);
            int y = box.y;
            for (const wxString& line : LabelLines(ctrl.LabelText(index), layout.lines)) {
                DrawClippedText(dc, line, box, box.x, y);
                y += layout.lineHeight;
            }
        }
    }

    if (state & STRIP_DRAW_FOCUS_ITEM) {
        dc.SetPen(wxPen(text, 1, wxPENSTYLE_DOT));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        // Cairo-backed dcs (GTK 3) antialias the dots into half-tone smears across two
        // pixels; a focus rectangle wants crisp dots.
        wxGraphicsContext* gc = dc.GetGraphicsContext();
        const wxAntialiasMode mode = gc ? gc->GetAntialiasMode() : wxANTIALIAS_DEFAULT;
        if (gc)
            gc->SetAntialiasMode(wxANTIALIAS_NONE);
        dc.DrawRectangle(imageRect.x - 1, imageRect.y - 1, imageRect.width + 2,
                         imageRect.height + 2);
        if (gc)
            gc->SetAntialiasMode(mode);
    }
    return true;
}

FrameTile::FrameTile(PictureRef picture, std::shared_ptr<const wxImage> small,
                     const wxString& name)
    : StripTile(name), m_picture(std::move(picture)), m_small(std::move(small))
{
}

bool FrameTile::DrawImage(wxDC& dc, FrameStrip&, const wxRect& imageRect, int)
{
    if (m_thumbnail.IsOk()) {
        dc.DrawBitmap(m_thumbnail,
                      imageRect.x + (imageRect.width - m_thumbnail.GetWidth()) / 2,
                      imageRect.y + (imageRect.height - m_thumbnail.GetHeight()) / 2, false);
    }
    return true;
}

bool FrameTile::Load(FrameStrip& ctrl, bool force)
{
    Trace("wxImageThumbnailItem");
    if (m_thumbnail.IsOk() && !force)
        return true;
    wxLogNull noLog;
    const wxSize whole = m_picture ? wxSize(m_picture->Width(), m_picture->Height()) : wxSize();
    if (m_small && m_small->IsOk()) {
        m_thumbnail = ScaleToFit(ctrl.LookOf(*m_small, whole), ctrl.GetThumbnailWidth(),
                                 ctrl.GetThumbnailHeight());
    } else if (m_picture) {
        // No small copy was made where the picture was loaded: the whole picture, once.
        if (const DecodedPictureRef pixels = m_picture->Decode())
            m_thumbnail = ScaleToFit(ctrl.LookOf(pixels->View(), whole),
                                     ctrl.GetThumbnailWidth(), ctrl.GetThumbnailHeight());
    }
    return true;
}

MissingFrameTile::MissingFrameTile(const wxString& entry)
    : FrameTile(nullptr, nullptr, entry)
{
}

bool MissingFrameTile::Load(FrameStrip&, bool)
{
    return true;
}

bool MissingFrameTile::DrawImage(wxDC& dc, FrameStrip& ctrl, const wxRect& imageRect,
                                       int)
{
    // A grey card crossed out in red: the picture's place, and that it is not there.
    const wxRect card = imageRect.Deflate(imageRect.width / 8, imageRect.height / 8);
    dc.SetBrush(wxBrush(wxColour(200, 200, 200)));
    dc.SetPen(wxPen(wxColour(120, 120, 120), 1));
    dc.DrawRectangle(card);
    dc.SetPen(wxPen(wxColour(190, 30, 30), 3));
    const int inset = card.width / 5;
    dc.DrawLine(card.x + inset, card.y + inset, card.GetRight() - inset, card.GetBottom() - inset);
    dc.DrawLine(card.GetRight() - inset, card.y + inset, card.x + inset, card.GetBottom() - inset);
    return true;
}

void StripTileArray::Insert(StripTile* item, size_t uiIndex)
{
    wxCHECK_RET(uiIndex <= size(), "bad index in StripTileArray::Insert()");
    m_items.emplace(m_items.begin() + uiIndex, item);
}

bool StripTileArray::RemoveAt(size_t uiIndex)
{
    wxCHECK_MSG(uiIndex < size(), false, "bad index in StripTileArray::RemoveAt()");
    m_items.erase(m_items.begin() + uiIndex);
    return true;
}

void StripTileArray::Reorder(const std::vector<int>& order)
{
    // Checked whole before anything moves: a repeated index would free the item it displaced.
    wxCHECK_RET(order.size() == size(), "StripTileArray::Reorder: wrong length");
    std::vector<bool> taken(size(), false);
    for (int from : order) {
        wxCHECK_RET(from >= 0 && from < static_cast<int>(size()) && !taken[from],
                    "StripTileArray::Reorder: not a rearrangement of the items");
        taken[from] = true;
    }
    std::vector<std::unique_ptr<StripTile>> items;
    items.reserve(size());
    for (int from : order)
        items.push_back(std::move(m_items[from]));
    m_items = std::move(items);
}
