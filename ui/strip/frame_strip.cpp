#include "ui/strip/frame_strip.h"

#include <wx/accel.h>

#include <wx/dcbuffer.h>
#include <wx/settings.h>

#include "core/base/trace.h"
#include "ui/strip/strip_checks.h"

namespace {
// Only vertical scrolling ever happens, and GTK shows a vertical scrollbar only for wxVSCROLL
// (with wxHSCROLL alone the strip scrolls by wheel and keys but never shows a bar). The
// navigation keys reach wxEVT_CHAR on GTK without wxWANTS_CHARS, so Tab is left to the
// parent's traversal. Full repaint on resize: a change of width re-flows every tile.
const long kStyle = wxVSCROLL | wxBORDER_SUNKEN | wxFULL_REPAINT_ON_RESIZE |
                    STRIP_MULTI_SELECT | STRIP_SHOW_FILENAME |
                    STRIP_SHOW_LABEL;

}  // namespace

wxIMPLEMENT_CLASS(FrameStrip, wxScrolledWindow);

wxBEGIN_EVENT_TABLE(FrameStrip, wxScrolledWindow)
    EVT_PAINT(FrameStrip::OnPaint)
    EVT_ERASE_BACKGROUND(FrameStrip::OnEraseBackground)
    EVT_SIZE(FrameStrip::OnSize)
    EVT_SET_FOCUS(FrameStrip::OnFocusChange)
    EVT_KILL_FOCUS(FrameStrip::OnFocusChange)
    EVT_LEFT_DOWN(FrameStrip::OnLeftDown)
    EVT_RIGHT_DOWN(FrameStrip::OnRightDown)
    EVT_MIDDLE_DOWN(FrameStrip::OnMiddleDown)
    EVT_LEFT_DCLICK(FrameStrip::OnLeftDClick)
    EVT_LEFT_UP(FrameStrip::OnLeftUp)
    EVT_MOTION(FrameStrip::OnMotion)
    EVT_MOUSE_CAPTURE_LOST(FrameStrip::OnCaptureLost)
    EVT_KEY_DOWN(FrameStrip::OnKeyDown)
    EVT_CHAR(FrameStrip::OnChar)
    EVT_MOUSEWHEEL(FrameStrip::OnMouseWheel)
    EVT_SYS_COLOUR_CHANGED(FrameStrip::OnSysColourChanged)
    EVT_MENU(wxID_SELECTALL, FrameStrip::OnSelectAll)
    EVT_UPDATE_UI(wxID_SELECTALL, FrameStrip::OnUpdateSelectAll)
wxEND_EVENT_TABLE()

FrameStrip::FrameStrip(wxWindow* parent, const wxPoint& pos, const wxSize& size)
{
    // Every pixel comes from the buffer; letting GTK clear first would only flicker.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    if (!Create(parent, ID_THUMBNAIL_CTRL, pos, size, kStyle, wxPanelNameStr))
        return;
    if (!GetFont().IsOk())
        SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    ComputeItemSize();
    TakeThemeColours();
    SetInitialSize(size);
    EnsureBuffer(size);
    // Ctrl+A selects every frame, as in any list.
    wxAcceleratorEntry selectAll(wxACCEL_CTRL, 'A', wxID_SELECTALL);
    SetAcceleratorTable(wxAcceleratorTable(1, &selectAll));
    m_dragScrollTimer.Bind(wxEVT_TIMER, &FrameStrip::OnDragScrollTimer, this);
}

FrameStrip::~FrameStrip()
{
    m_dragScrollTimer.Stop();
    // A window must not go while it holds the mouse.
    if (HasCapture())
        ReleaseMouse();
}

wxSize FrameStrip::DoGetBestSize() const
{
    // The scrolled window would ask for its whole virtual size; the strip fills what its
    // sizer gives it instead.
    return wxWindowBase::DoGetBestSize();
}

void FrameStrip::ComputeItemSize()
{
    m_metrics.thumbWidth = m_metrics.thumbHeight = ThumbnailSide(m_thumbnailSize);
    m_metrics.captionHeight = GetTextExtent("X").y;
    // Labels no smaller than the desktop's small text, even where the strip's font is.
    const double smallest =
        SmallTextPoints(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    m_label = FitLabel(*this, GetFont(), smallest, m_metrics.thumbWidth);
    const bool labels = HasFlag(STRIP_SHOW_LABEL);
    m_metrics.labelHeight = labels ? m_label.lines * m_label.lineHeight : 0;
    m_metrics.labelWidth = labels ? m_label.width : 0;
    m_itemWidth = m_metrics.ItemSize().x;
}

void FrameStrip::SetThumbnailSize(ThumbnailSize size)
{
    if (size == m_thumbnailSize)
        return;
    m_thumbnailSize = size;
    ComputeItemSize();
    for (size_t i = 0; i < m_items.size(); ++i)
        m_items[i]->Load(*this, true);
    FinishListChange();
    ScrollToItem(GetFocusItem());
}

void FrameStrip::SetPictureLook(PictureLook look)
{
    m_look = std::move(look);
    for (size_t i = 0; i < m_items.size(); ++i)
        m_items[i]->Load(*this, true);
    Refresh(false);
}

void FrameStrip::TakeThemeColours()
{
    ThemeColours theme;
    theme.view = wxSystemSettings::GetColour(wxSYS_COLOUR_LISTBOX);
    theme.face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    theme.faceText = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT);
    theme.shadow = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW);
    theme.highlight = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
    theme.highlightText = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT);
    m_palette = MakeStripPalette(theme);
    SetBackgroundColour(m_palette.background);
}

void FrameStrip::OnSysColourChanged(wxSysColourChangedEvent& event)
{
    TakeThemeColours();
    Refresh();
    event.Skip();
}

wxString FrameStrip::LabelText(int index) const
{
    if (m_labelText)
        return m_labelText(index);
    const float seconds = index * (static_cast<float>(m_frameDelay) / 100.0f);
    return wxString::Format("#%d  %.2fsec", index + 1, seconds);
}

ThumbnailGrid FrameStrip::Grid() const
{
    return ThumbnailGrid(m_metrics);
}

int FrameStrip::ViewStartY() const
{
    return GetViewStart().y;
}

// ---- item list ----

StripTile* FrameStrip::GetItem(int n) const
{
    STRIP_CHECK_INDEX(n, n < GetCount(), nullptr, "FrameStrip::GetItem: bad index");
    return m_items[n];
}

int FrameStrip::Append(StripTile* item, int delay)
{
    wxCHECK_MSG(item, -1, "FrameStrip::Append: null item");
    Trace("Append");
    m_frameDelay = delay;
    if (!item->Load(*this, false))
        return -1;
    const int index = GetCount();
    m_items.Add(item);
    m_selection.ItemAppended();
    FinishListChange();
    return index;
}

int FrameStrip::Insert(StripTile* item, int pos)
{
    wxCHECK_MSG(item, -1, "FrameStrip::Insert: null item");
    STRIP_CHECK_INDEX(pos, pos <= GetCount(), -1, "FrameStrip::Insert: bad position");
    m_items.Insert(item, pos);
    m_selection.ItemInserted(pos);
    // The result is ignored on purpose: an inserted frame stays, with its tile and label only.
    item->Load(*this, false);
    FinishListChange();
    return pos;
}

void FrameStrip::Delete(int index)
{
    // A bad index raises the array's own assertion and changes nothing.
    if (!m_items.RemoveAt(index))
        return;
    m_selection.ItemDeleted(index);
    FinishListChange();
}

void FrameStrip::Reorder(const std::vector<int>& order)
{
    wxCHECK_RET(static_cast<int>(order.size()) == GetCount(), "FrameStrip::Reorder: bad order");
    m_items.Reorder(order);
    m_selection.ItemsReordered(order);
    FinishListChange();
}

void FrameStrip::Clear()
{
    m_selection.Cleared();
    m_items.Clear();
    FinishListChange();
}

void FrameStrip::EndUpdate()
{
    wxCHECK_RET(m_freezeCount > 0, "FrameStrip::EndUpdate without BeginUpdate");
    if (--m_freezeCount == 0) {
        UpdateScrollbars();
        Refresh();
    }
}

void FrameStrip::FinishListChange()
{
    // A press or drag began on tiles that have moved since.
    EndDrag();
    if (m_freezeCount > 0)
        return;
    UpdateScrollbars();
    Refresh();
}

// ---- geometry and scrolling ----

bool FrameStrip::GetItemRect(int n, wxRect& rect, bool transform) const
{
    STRIP_CHECK_INDEX(n, n < GetCount(), false, "FrameStrip::GetItemRect: bad index");
    rect = Grid().ItemRect(n, GetClientSize().x);
    if (transform) {
        int ppuX = 0, ppuY = 0;
        GetScrollPixelsPerUnit(&ppuX, &ppuY);
        const wxPoint start = GetViewStart();
        rect.Offset(-start.x * ppuX, -start.y * ppuY);
    }
    return true;
}

bool FrameStrip::GetItemRectImage(int n, wxRect& rect, bool transform) const
{
    STRIP_CHECK_INDEX(n, n < GetCount(), false,
                      "FrameStrip::GetItemRectImage: bad index");
    wxRect itemRect;
    GetItemRect(n, itemRect, transform);
    rect = Grid().ImageRect(itemRect);
    return true;
}

void FrameStrip::UpdateScrollbars()
{
    if (m_freezeCount > 0)
        return;
    if (GetCount() == 0) {
        SetScrollbars(0, 0, 0, 0, 0, 0);
        return;
    }
    const ThumbnailGrid grid = Grid();
    const wxSize client = GetClientSize();
    const int units = grid.ScrollUnits(GetCount(), client.x);
    const int start = grid.ClampStart(ViewStartY(), GetCount(), client.x, client.y);
    SetScrollbars(0, ThumbnailGrid::kScrollUnit, 0, units, 0, start);
}

void FrameStrip::ScrollToUnit(int unit)
{
    const int units = Grid().ScrollUnits(GetCount(), GetClientSize().x);
    SetScrollbars(0, ThumbnailGrid::kScrollUnit, 0, units, 0, unit);
}

void FrameStrip::ScrollToItem(int index, bool backward)
{
    if (index < 0 || index >= GetCount())
        return;
    const int unit = Grid().ScrollTarget(index, ViewStartY(), GetClientSize(), backward);
    if (unit >= 0)
        ScrollToUnit(unit);
}

bool FrameStrip::HitTestItem(const wxPoint& pt, int& index) const
{
    int ppuX = 0, ppuY = 0;
    GetScrollPixelsPerUnit(&ppuX, &ppuY);
    index = Grid().HitTest(pt, ViewStartY() * ppuY, GetCount(), GetClientSize().x);
    return index != -1;
}

bool FrameStrip::EnsureBuffer(const wxSize& size)
{
    const wxSize wanted = size == wxDefaultSize ? GetClientSize() : size;
    if (wanted.x < 1 || wanted.y < 1)
        return false;
    if (!m_bufferBitmap.IsOk() || m_bufferBitmap.GetWidth() < wanted.x ||
        m_bufferBitmap.GetHeight() < wanted.y)
        m_bufferBitmap = wxBitmap(wanted.x, wanted.y);
    return m_bufferBitmap.IsOk();
}

// ---- painting ----

void FrameStrip::FillBackground(wxDC& dc)
{
    wxColour colour = GetBackgroundColour();
    if (!colour.IsOk())
        colour = m_palette.background;
    dc.SetBrush(wxBrush(colour));
    dc.SetPen(*wxTRANSPARENT_PEN);
    const wxSize client = GetClientSize();
    const wxPoint origin = CalcUnscrolledPosition(wxPoint(-2, -2));
    dc.DrawRectangle(origin.x, origin.y, client.x + 4, client.y + 4);
}

void FrameStrip::PaintContent(wxDC& dc, const wxRegion& update, bool focused)
{
    FillBackground(dc);
    if (GetCount() == 0)
        return;
    const ThumbnailGrid grid = Grid();
    const int clientWidth = GetClientSize().x;
    const wxPoint scroll = CalcUnscrolledPosition(wxPoint(0, 0));
    const wxRect box = update.GetBox();
    int first = 0, last = -1;
    grid.ItemsInBand(box.y + scroll.y, box.GetBottom() + 1 + scroll.y, GetCount(), clientWidth,
                     first, last);
    for (int i = first; i <= last; ++i) {
        const wxRect logical = grid.ItemRect(i, clientWidth);
        wxRect client = logical;
        client.Offset(-scroll.x, -scroll.y);
        if (update.Contains(client) == wxOutRegion)
            continue;
        int state = IsSelected(i) ? STRIP_DRAW_SELECTED : 0;
        if (focused) {
            state |= STRIP_DRAW_CTRL_FOCUSED;
            if (i == GetFocusItem())
                state |= STRIP_DRAW_FOCUS_ITEM;
        }
        const wxRect image = grid.ImageRect(logical);
        DrawItemFrame(i, dc, logical, image, state);
        DrawItemImage(i, dc, image, state);
    }
    DrawDropMarker(dc);
}

bool FrameStrip::DrawItemImage(int index, wxDC& dc, const wxRect& imageRect, int state)
{
    StripTile* item = GetItem(index);
    return item ? item->DrawImage(dc, *this, imageRect, state) : false;
}

bool FrameStrip::DrawItemFrame(int index, wxDC& dc, const wxRect& rect,
                                    const wxRect& imageRect, int state)
{
    StripTile* item = GetItem(index);
    return item ? item->DrawFrame(dc, *this, rect, imageRect, state, index) : false;
}

void FrameStrip::OnPaint(wxPaintEvent&)
{
    EnsureBuffer();
    wxBufferedPaintDC dc(this, m_bufferBitmap, wxBUFFER_CLIENT_AREA);
    PrepareDC(dc);
    if (m_freezeCount > 0)
        return;  // the buffer's previous picture is shown until EndUpdate
    PaintContent(dc, GetUpdateRegion(), FindFocus() == this);
}

void FrameStrip::OnEraseBackground(wxEraseEvent&)
{
}

void FrameStrip::OnSize(wxSizeEvent& event)
{
    UpdateScrollbars();
    EnsureBuffer(GetClientSize());
    event.Skip();
}

void FrameStrip::OnFocusChange(wxFocusEvent&)
{
    if (GetCount() > 0)
        Refresh();  // tile colours and the focus rectangle depend on the focus
}

void FrameStrip::RefreshItem(int index)
{
    if (m_freezeCount > 0 || index < 0 || index >= GetCount())
        return;
    wxRect rect = Grid().ItemRect(index, GetClientSize().x);
    rect.SetPosition(CalcScrolledPosition(rect.GetPosition()));
    RefreshRect(rect, false);
}

void FrameStrip::RefreshChanged(const wxArrayInt& before, int focusBefore)
{
    std::vector<unsigned char> was(GetCount(), 0), now(GetCount(), 0);
    for (int i : before)
        if (i >= 0 && i < GetCount())
            was[i] = 1;
    for (int i : m_selections)
        if (i >= 0 && i < GetCount())
            now[i] = 1;
    for (int i = 0; i < GetCount(); ++i)
        if (was[i] != now[i])
            RefreshItem(i);
    if (focusBefore != GetFocusItem()) {
        RefreshItem(focusBefore);
        RefreshItem(GetFocusItem());
    }
}
