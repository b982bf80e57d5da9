#include "ui/dialogs/region_view.h"

#include <algorithm>

#include <wx/dcbuffer.h>
#include <wx/image.h>

#include "ui/dialogs/region_overlay.h"

namespace {
// The largest the still is shown.
constexpr int kViewWidth = 480, kViewHeight = 300;
} // namespace

RegionView::RegionView(wxWindow* parent, std::function<void(const CaptureRect&)> changed)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE),
      m_changed(std::move(changed))
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &RegionView::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &RegionView::OnLeftDown, this);
    Bind(wxEVT_MOTION, &RegionView::OnMotion, this);
    Bind(wxEVT_LEFT_UP, &RegionView::OnLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &RegionView::OnCaptureLost, this);
}

void RegionView::SetStill(const wxImage& still)
{
    EndDrag();
    m_sourceWidth = still.IsOk() ? still.GetWidth() : 0;
    m_sourceHeight = still.IsOk() ? still.GetHeight() : 0;
    m_bitmap = wxBitmap();
    if (still.IsOk()) {
        m_scale = std::min({1.0, static_cast<double>(kViewWidth) / m_sourceWidth,
                            static_cast<double>(kViewHeight) / m_sourceHeight});
        const int width = std::max(1, static_cast<int>(m_sourceWidth * m_scale));
        const int height = std::max(1, static_cast<int>(m_sourceHeight * m_scale));
        m_bitmap = wxBitmap(still.Scale(width, height, wxIMAGE_QUALITY_BILINEAR));
    }
    m_region = WholeSource(m_sourceWidth, m_sourceHeight);
    InvalidateBestSize();
    Refresh();
}

void RegionView::SetRegion(const CaptureRect& region)
{
    m_region = region;
    Refresh();
}

wxSize RegionView::DoGetBestSize() const
{
    return m_bitmap.IsOk() ? m_bitmap.GetSize() : wxSize(kViewWidth, kViewHeight * 2 / 3);
}

wxPoint RegionView::ViewPoint(int x, int y) const
{
    return wxPoint(static_cast<int>(x * m_scale + 0.5), static_cast<int>(y * m_scale + 0.5));
}

wxPoint RegionView::SourcePoint(const wxPoint& view) const
{
    return wxPoint(static_cast<int>(view.x / m_scale + 0.5),
                   static_cast<int>(view.y / m_scale + 0.5));
}

wxRect RegionView::ViewRect(const CaptureRect& region) const
{
    const wxPoint from = ViewPoint(region.x, region.y);
    const wxPoint to = ViewPoint(region.x + region.width, region.y + region.height);
    return wxRect(from, wxSize(std::max(1, to.x - from.x), std::max(1, to.y - from.y)));
}

void RegionView::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();
    if (!m_bitmap.IsOk())
        return;
    dc.DrawBitmap(m_bitmap, 0, 0, false);
    DrawRegionOverlay(dc, wxRect(m_bitmap.GetSize()), ViewRect(m_region));
}

void RegionView::OnLeftDown(wxMouseEvent& event)
{
    if (!m_bitmap.IsOk())
        return;
    m_from = SourcePoint(event.GetPosition());
    m_grip = GripAt(m_region, m_from.x, m_from.y, static_cast<int>(kRegionReach / m_scale));
    // A region that fills the source can't move: a drag inside it draws a new one.
    if (m_grip == RegionGrip::Move && m_region == WholeSource(m_sourceWidth, m_sourceHeight))
        m_grip = RegionGrip::None;
    m_before = m_region;
    m_dragging = true;
    if (!HasCapture())
        CaptureMouse();
}

void RegionView::OnMotion(wxMouseEvent& event)
{
    if (!m_bitmap.IsOk())
        return;
    const wxPoint at = SourcePoint(event.GetPosition());
    if (!m_dragging) {
        const int reach = static_cast<int>(kRegionReach / m_scale);
        SetCursor(wxCursor(RegionCursor(GripAt(m_region, at.x, at.y, reach))));
        return;
    }
    // A click beside the region, without a drag, leaves it as it is.
    if (m_grip == RegionGrip::None && at == m_from)
        return;
    const CaptureRect region = DragRegion(m_before, m_grip, m_from.x, m_from.y, at.x, at.y,
                                          m_sourceWidth, m_sourceHeight);
    if (region == m_region)
        return;
    m_region = region;
    Refresh();
    if (m_changed)
        m_changed(m_region);
}

void RegionView::OnLeftUp(wxMouseEvent& event)
{
    OnMotion(event);
    EndDrag();
}

void RegionView::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    m_dragging = false;
}

void RegionView::EndDrag()
{
    m_dragging = false;
    if (HasCapture())
        ReleaseMouse();
}
