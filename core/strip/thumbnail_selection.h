// Selection rules of the frame strip on plain numbers: the selected indices, the anchor of a
// Shift range, the item last passed to Select and the keyboard focus item (-1 = none), how
// plain, Shift and Control clicks change them, and how list edits move or reset them.
// It does no painting and sends nothing: the control repaints what changed and turns the
// reported indices into notifications.
#pragma once

#include <vector>

#include <wx/dynarray.h>

// Modifier flags carried by the strip's notifications, taken from the mouse or key event.
enum {
    STRIP_SHIFT_DOWN = 1,
    STRIP_CTRL_DOWN = 2,
    STRIP_ALT_DOWN = 4
};

class ThumbnailSelection {
public:
    // Selected indices in the order they were added, without duplicates.
    wxArrayInt& Indices() { return m_selections; }
    const wxArrayInt& Indices() const { return m_selections; }
    bool IsSelected(int n) const { return m_selections.Index(n) != wxNOT_FOUND; }

    int Anchor() const { return m_anchor; }
    int LastSelected() const { return m_lastSelected; }
    int FocusItem() const { return m_focusItem; }

    // Adds n to the selection or removes it; n becomes anchor, last selected and focus item
    // either way. Returns the previous focus item. The caller checks n against the count.
    int Select(int n, bool select);
    // Selects 0 .. count-1; anchor, last selected and focus become count - 1.
    void SelectAll(int count);
    // Returns the previous focus item.
    int SetFocusItem(int n);

    // The selection change of a click or key on n with modifier flags. Control toggles n
    // (with multiSelect); Shift selects the range from the anchor to n and keeps the anchor,
    // or selects n alone and makes it the anchor when there is no usable anchor; anything
    // else selects n alone. Returns the indices to report, in the order to report them:
    // a Shift range lists the items from the anchor toward n, then n; the items a Shift
    // click drops from an earlier range are not reported.
    std::vector<int> Update(int n, int flags, bool multiSelect, int count);

    // List edits. Append and Insert keep the selection (shifted past an insertion) but drop
    // anchor, last selected and focus, since those no longer mean what the user chose.
    void ItemAppended();
    void ItemInserted(int pos);
    // Indices equal to n become -1; selected indices above n move down by one. Anchor, last
    // selected and focus above n are left alone, so they now mark the following item.
    void ItemDeleted(int n);
    void Cleared();
    // The items were rearranged (order holds the old index of each new position): every
    // index here follows its item.
    void ItemsReordered(const std::vector<int>& order);
    // indices, in that order, become the selection; the first is anchor, last selected and
    // focus (all -1 when there is none).
    void Replace(const std::vector<int>& indices);

private:
    wxArrayInt m_selections;
    int m_anchor = -1;
    int m_lastSelected = -1;
    int m_focusItem = -1;
};
