// Moving frames in the strip: dragging tiles with the mouse (the drop marker and the
// auto-scroll on the way) and the move keys. The strip only asks: its owner moves the items
// when it gets the EVT_STRIP_MOVE sent here.
#include <algorithm>
#include <cstdlib>

#include <wx/dc.h>
#include <wx/settings.h>

#include "core/document/frame_order.h"
#include "ui/strip/frame_strip.h"

namespace {

// Pixels near the top and bottom edges where a drag scrolls the strip, at most.
const int kAutoScrollZone = 24;
const int kAutoScrollMs = 50;
// The marker: a bar in the spacing between two tiles with a cap at either end, so that it
// reads as "in between" even over a selected tile's dark edge.
const int kMarkerBarWidth = 5;
const int kMarkerCapWidth = 13;
const int kMarkerCapHeight = 3;
// How far the bar reaches into the spacing above and below the tiles.
const int kMarkerOverhang = 2;

wxCursor MoveCursor()
{
#ifdef __WXGTK__
    // wxGTK gives the diagonal size cursor GDK's "fleur", which cursor themes draw as the
    // four-way move arrows; its general sizing cursor has no themed picture there.
    return wxCursor(wxCURSOR_SIZENWSE);
#else
    return wxCursor(wxCURSOR_SIZING);
#endif
}

int DragThreshold(wxSystemMetric metric)
{
    const int pixels = wxSystemSettings::GetMetric(metric);
    return pixels > 0 ? pixels : 4;  // -1 where the system has no such setting
}

// The marker's whole area in logical coordinates: the bar with its caps.
wxRect MarkerBounds(const ThumbnailGrid& grid, const DropGap& target)
{
    return DropMarkerRect(grid, target, kMarkerCapWidth).Inflate(0, kMarkerOverhang);
}

}  // namespace

std::vector<int> FrameStrip::SelectedIndices() const
{
    return ValidPositions(GetCount(), std::vector<int>(m_selections.begin(), m_selections.end()));
}

void FrameStrip::RequestMove(int gap)
{
    if (!MoveChangesNothing(GetCount(), SelectedIndices(), gap))
        SendEvent(EVT_STRIP_MOVE, gap, 0);
}

// ---- dragging ----

bool FrameStrip::DefersClick(int index, int flags) const
{
    return flags == 0 && IsSelected(index) && m_selections.size() > 1;
}

void FrameStrip::BeginPress(int index, const wxPoint& at, bool clickPending)
{
    EndDrag();
    // Control may have taken the tile out of the selection: then there is nothing to drag.
    if (!IsSelected(index))
        return;
    m_drag.pressed = true;
    m_drag.start = at;
    m_drag.index = index;
    m_drag.clickPending = clickPending;
}

void FrameStrip::OnMotion(wxMouseEvent& event)
{
    event.Skip();
    if (!m_drag.pressed)
        return;
    if (!event.LeftIsDown()) {
        EndDrag();  // the release went to another window
        return;
    }
    if (!m_drag.dragging) {
        const wxPoint moved = event.GetPosition() - m_drag.start;
        if (std::abs(moved.x) <= DragThreshold(wxSYS_DRAG_X) &&
            std::abs(moved.y) <= DragThreshold(wxSYS_DRAG_Y))
            return;
        StartDrag();
    }
    FollowPointer(event.GetPosition());
}

void FrameStrip::StartDrag()
{
    // The whole selection goes: the pending click would have narrowed it to the pressed tile.
    m_drag.clickPending = false;
    m_drag.dragging = true;
    // Set first: the pointer grab of the capture takes the window's cursor of the moment.
    SetCursor(MoveCursor());
    if (!HasCapture())
        CaptureMouse();
}

void FrameStrip::FollowPointer(const wxPoint& client)
{
    m_drag.pointer = client;
    UpdateDropTarget();
    if (DragScrollStep() != 0 && !m_dragScrollTimer.IsRunning())
        m_dragScrollTimer.Start(kAutoScrollMs);
}

void FrameStrip::UpdateDropTarget()
{
    DropGap target;
    const wxSize client = GetClientSize();
    if (wxRect(client).Contains(m_drag.pointer))
        target = DropGapAt(Grid(), CalcUnscrolledPosition(m_drag.pointer), GetCount(),
                           client.x);
    if (target.gap == m_drag.target.gap && target.row == m_drag.target.row &&
        target.col == m_drag.target.col)
        return;
    RefreshDropMarker();
    m_drag.target = target;
    RefreshDropMarker();
}

int FrameStrip::DragScrollStep() const
{
    const wxSize client = GetClientSize();
    if (m_drag.pointer.x < 0 || m_drag.pointer.x >= client.x)
        return 0;
    return AutoScrollStep(m_drag.pointer.y, client.y, std::min(kAutoScrollZone, client.y / 4));
}

void FrameStrip::OnDragScrollTimer(wxTimerEvent&)
{
    const int step = m_drag.dragging ? DragScrollStep() : 0;
    const wxSize client = GetClientSize();
    const int unit = Grid().ClampStart(ViewStartY() + step, GetCount(), client.x, client.y);
    // Resting at an end or away from the edges: the next pointer motion starts it again.
    if (step == 0 || unit == ViewStartY()) {
        m_dragScrollTimer.Stop();
        return;
    }
    ScrollToUnit(unit);
    // The pointer rests, but the tiles under it have moved.
    UpdateDropTarget();
}

void FrameStrip::OnLeftUp(wxMouseEvent& event)
{
    event.Skip();
    if (!m_drag.pressed)
        return;
    if (m_drag.dragging)
        FollowPointer(event.GetPosition());
    const DragState drag = m_drag;
    EndDrag();
    if (drag.dragging) {
        if (drag.target.gap >= 0)
            RequestMove(drag.target.gap);
    } else if (drag.clickPending && drag.index < GetCount()) {
        UpdateSelection(drag.index, 0);
        SendEvent(EVT_STRIP_LEFT_CLICK, drag.index, 0);
    }
}

void FrameStrip::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    EndDrag();
}

void FrameStrip::EndDrag()
{
    if (!m_drag.pressed)
        return;
    m_dragScrollTimer.Stop();
    if (m_drag.dragging) {
        RefreshDropMarker();
        SetCursor(wxNullCursor);
        if (HasCapture())
            ReleaseMouse();
    }
    m_drag = DragState();
}

void FrameStrip::DrawDropMarker(wxDC& dc)
{
    if (!m_drag.dragging || m_drag.target.gap < 0)
        return;
    const ThumbnailGrid grid = Grid();
    const wxRect bounds = MarkerBounds(grid, m_drag.target);
    const wxRect bar = DropMarkerRect(grid, m_drag.target, kMarkerBarWidth)
                           .Inflate(0, kMarkerOverhang);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(m_palette.dropMarker));
    dc.DrawRectangle(bar);
    dc.DrawRectangle(bounds.x, bounds.y, bounds.width, kMarkerCapHeight);
    dc.DrawRectangle(bounds.x, bounds.GetBottom() + 1 - kMarkerCapHeight, bounds.width,
                     kMarkerCapHeight);
}

void FrameStrip::RefreshDropMarker()
{
    if (m_freezeCount > 0 || !m_drag.dragging || m_drag.target.gap < 0)
        return;
    wxRect rect = MarkerBounds(Grid(), m_drag.target);
    rect.SetPosition(CalcScrolledPosition(rect.GetPosition()));
    RefreshRect(rect, false);
}

// ---- keys ----

void FrameStrip::OnKeyDown(wxKeyEvent& event)
{
    if (m_drag.dragging) {
        // Other keys would change the selection being dragged.
        if (event.GetKeyCode() == WXK_ESCAPE)
            EndDrag();
        return;
    }
    if (event.GetModifiers() == wxMOD_ALT && MoveByKey(event.GetKeyCode()))
        return;
    const int key = event.GetKeyCode();
    if ((event.GetModifiers() == wxMOD_NONE && (key == WXK_MENU || key == WXK_WINDOWS_MENU)) ||
        (event.GetModifiers() == wxMOD_SHIFT && key == WXK_F10)) {
        RequestContextMenu();
        return;
    }
    event.Skip();
}

bool FrameStrip::MoveByKey(int keyCode)
{
    const int perRow = Grid().Columns(GetClientSize().x);
    int step = 0;
    switch (keyCode) {
    case WXK_LEFT:
        step = -1;
        break;
    case WXK_RIGHT:
        step = 1;
        break;
    case WXK_UP:
        step = -perRow;
        break;
    case WXK_DOWN:
        step = perRow;
        break;
    default:
        return false;
    }
    // At the ends the key does nothing, rather than fall back to moving the focus.
    const int gap = GapForStep(GetCount(), SelectedIndices(), step);
    if (gap >= 0)
        RequestMove(gap);
    return true;
}
