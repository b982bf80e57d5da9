// The strip's selection and what the mouse and the keyboard do to it.
#include "ui/strip/frame_strip.h"

#include "core/base/trace.h"
#include "ui/strip/strip_checks.h"

// ---- selection ----

void FrameStrip::Select(int n, bool select)
{
    STRIP_CHECK_INDEX(n, n < GetCount(), , "FrameStrip::Select: bad index");
    const int previousFocus = m_selection.Select(n, select);
    RefreshItem(n);
    if (previousFocus != n)
        RefreshItem(previousFocus);  // the focus rectangle moves
}

void FrameStrip::SelectAll()
{
    BeginUpdate();
    m_selection.SelectAll(GetCount());
    EndUpdate();
}

void FrameStrip::SetFocusItem(int item)
{
    STRIP_CHECK_INDEX(item, item < GetCount(), , "FrameStrip::SetFocusItem: bad index");
    const int previous = m_selection.SetFocusItem(item);
    RefreshItem(previous);
    RefreshItem(item);
}

void FrameStrip::SetSelection(const std::vector<int>& indices)
{
    std::vector<int> valid;
    for (int n : indices) {
        STRIP_CHECK_INDEX(n, n < GetCount(), , "FrameStrip::SetSelection: bad index");
        valid.push_back(n);
    }
    const wxArrayInt before = m_selections;
    const int focusBefore = GetFocusItem();
    m_selection.Replace(valid);
    RefreshChanged(before, focusBefore);
}

void FrameStrip::UpdateSelection(int n, int flags)
{
    STRIP_CHECK_INDEX(n, n < GetCount(), , "FrameStrip::UpdateSelection: bad index");
    const wxArrayInt before = m_selections;
    const int focusBefore = GetFocusItem();
    const std::vector<int> reported =
        m_selection.Update(n, flags, HasFlag(STRIP_MULTI_SELECT), GetCount());
    RefreshChanged(before, focusBefore);
    for (int r : reported)
        SendEvent(IsSelected(r) ? EVT_STRIP_SELECTED : EVT_STRIP_DESELECTED, r, 0);
}

bool FrameStrip::NavigateByKey(int keyCode, int flags)
{
    if (GetCount() == 0 || !ThumbnailGrid::IsNavigationKey(keyCode))
        return false;
    const bool backward = ThumbnailGrid::IsBackwardKey(keyCode);
    int current = GetFocusItem();
    if (current == -1)
        current = GetLastSelected();
    if (current == -1 || current >= GetCount()) {
        UpdateSelection(0, flags);
        ScrollToItem(0, backward);
        return true;
    }
    const int target = Grid().NavigationTarget(keyCode, current, GetCount(), GetClientSize());
    if (target != -1) {
        UpdateSelection(target, flags);
        ScrollToItem(target, backward);
    }
    return true;
}

// ---- mouse and keyboard ----

void FrameStrip::SendEvent(wxEventType type, int index, int flags)
{
    FrameStripEvent event(type, GetId());
    event.SetEventObject(this);
    event.SetIndex(index);
    event.SetFlags(flags);
    GetEventHandler()->ProcessEvent(event);
}

void FrameStrip::OnLeftDown(wxMouseEvent& event)
{
    SetFocus();
    int index = -1;
    if (!HitTestItem(event.GetPosition(), index))
        return;
    ScrollToItem(index, false);
    const int flags = ModifierFlags(event);
    const bool deferred = DefersClick(index, flags);
    if (!deferred) {
        UpdateSelection(index, flags);
        SendEvent(EVT_STRIP_LEFT_CLICK, index, flags);
    }
    BeginPress(index, event.GetPosition(), deferred);
}

void FrameStrip::OnRightDown(wxMouseEvent& event)
{
    // The owner's pop-up menu would take the mouse from the drag and act on the frames in
    // flight.
    if (IsDragging())
        return;
    SetFocus();
    int index = -1;
    if (!HitTestItem(event.GetPosition(), index))
        return;
    if (index != GetFocusItem())
        SetFocusItem(index);
    SendEvent(EVT_STRIP_RIGHT_CLICK, index, ModifierFlags(event));
}

void FrameStrip::OnMiddleDown(wxMouseEvent& event)
{
    if (IsDragging())
        return;
    int index = -1;
    if (HitTestItem(event.GetPosition(), index))
        SendEvent(EVT_STRIP_MIDDLE_CLICK, index, ModifierFlags(event));
}

void FrameStrip::OnLeftDClick(wxMouseEvent& event)
{
    int index = -1;
    if (HitTestItem(event.GetPosition(), index))
        SendEvent(EVT_STRIP_LEFT_DCLICK, index, ModifierFlags(event));
}

void FrameStrip::OnChar(wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    if (ThumbnailGrid::IsNavigationKey(key))
        NavigateByKey(key, ModifierFlags(event));
    else if (key == WXK_RETURN)
        SendEvent(EVT_STRIP_RETURN, -1, ModifierFlags(event));
    else if (key == WXK_DELETE && GetCount() > 0)
        RequestDelete();
    else
        event.Skip();
}

void FrameStrip::OnMouseWheel(wxMouseEvent& event)
{
    if (!event.ControlDown() || event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL) {
        event.Skip();
        return;
    }
    const int notch = event.GetWheelDelta() > 0 ? event.GetWheelDelta() : 120;
    m_wheelRotation += event.GetWheelRotation();
    const int steps = m_wheelRotation / notch;
    if (steps == 0)
        return;
    m_wheelRotation -= steps * notch;
    const ThumbnailSize size = StepThumbnailSize(m_thumbnailSize, steps);
    if (size == m_thumbnailSize)
        return;
    SetThumbnailSize(size);
    SendEvent(EVT_STRIP_THUMBNAIL_SIZE, -1, ModifierFlags(event));
}

void FrameStrip::RequestContextMenu()
{
    if (GetCount() == 0 || IsDragging())
        return;
    int index = GetFocusItem();
    if (index < 0 || index >= GetCount())
        index = m_selections.empty() ? 0 : m_selections[0];
    ScrollToItem(index);
    wxRect image;
    GetItemRectImage(index, image);
    FrameStripEvent event(EVT_STRIP_CONTEXT_MENU, GetId());
    event.SetEventObject(this);
    event.SetIndex(index);
    // The middle of the thumbnail: the menu covers the tile's lower right, not its neighbours.
    event.SetPosition(image.GetPosition() + wxSize(image.width / 2, image.height / 2));
    GetEventHandler()->ProcessEvent(event);
}

void FrameStrip::OnSelectAll(wxCommandEvent&)
{
    SelectAll();
    // The owner follows the focus item, as it does for every other selection by key.
    if (GetFocusItem() >= 0)
        SendEvent(EVT_STRIP_SELECTED, GetFocusItem(), 0);
}

void FrameStrip::RequestDelete()
{
    // The owner's Delete command, as its menu sends it; it travels up from here.
    wxCommandEvent command(wxEVT_MENU, wxID_DELETE);
    command.SetEventObject(this);
    ProcessWindowEvent(command);
}

void FrameStrip::OnUpdateSelectAll(wxUpdateUIEvent& event)
{
    event.Enable(GetCount() > 0);
}
