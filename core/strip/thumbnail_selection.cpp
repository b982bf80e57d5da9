#include "core/strip/thumbnail_selection.h"

#include <algorithm>

namespace {

void AddOnce(std::vector<int>& list, int n)
{
    if (std::find(list.begin(), list.end(), n) == list.end())
        list.push_back(n);
}

}  // namespace

int ThumbnailSelection::Select(int n, bool select)
{
    const int where = m_selections.Index(n);
    if (select && where == wxNOT_FOUND)
        m_selections.Add(n);
    else if (!select && where != wxNOT_FOUND)
        m_selections.RemoveAt(where);
    const int previousFocus = m_focusItem;
    m_anchor = m_lastSelected = m_focusItem = n;
    return previousFocus;
}

void ThumbnailSelection::SelectAll(int count)
{
    for (int i = 0; i < count; ++i)
        Select(i, true);
    m_focusItem = count - 1;
}

int ThumbnailSelection::SetFocusItem(int n)
{
    const int previous = m_focusItem;
    m_focusItem = n;
    return previous;
}

std::vector<int> ThumbnailSelection::Update(int n, int flags, bool multiSelect, int count)
{
    std::vector<int> reported;
    if (multiSelect && (flags & STRIP_CTRL_DOWN)) {
        Select(n, !IsSelected(n));
        reported.push_back(n);
    } else if (multiSelect && (flags & STRIP_SHIFT_DOWN)) {
        const int savedAnchor = m_anchor;
        bool rangeDone = false;
        m_selections.Clear();
        if (m_anchor != -1 && m_anchor < count && m_anchor != n) {
            const int step = n >= m_anchor ? 1 : -1;
            for (int c = m_anchor; c != n; c += step) {
                m_selections.Add(c);
                reported.push_back(c);
            }
            rangeDone = true;
        }
        Select(n, true);
        AddOnce(reported, n);
        if (rangeDone)
            m_anchor = savedAnchor;  // repeated Shift clicks all extend from one anchor
    } else {
        for (int selected : m_selections)
            reported.push_back(selected);
        m_selections.Clear();
        Select(n, true);
        AddOnce(reported, n);
    }
    return reported;
}

void ThumbnailSelection::ItemAppended()
{
    m_anchor = m_lastSelected = m_focusItem = -1;
}

void ThumbnailSelection::ItemInserted(int pos)
{
    m_anchor = m_lastSelected = m_focusItem = -1;
    for (int& selected : m_selections)
        if (selected >= pos)
            ++selected;
}

void ThumbnailSelection::ItemDeleted(int n)
{
    for (int* index : {&m_anchor, &m_lastSelected, &m_focusItem})
        if (*index == n)
            *index = -1;
    const int where = m_selections.Index(n);
    if (where != wxNOT_FOUND)
        m_selections.RemoveAt(where);
    for (int& selected : m_selections)
        if (selected > n)
            --selected;
}

void ThumbnailSelection::Cleared()
{
    m_anchor = m_lastSelected = m_focusItem = -1;
    m_selections.Clear();
}

void ThumbnailSelection::ItemsReordered(const std::vector<int>& order)
{
    std::vector<int> newIndex(order.size(), -1);
    for (size_t position = 0; position < order.size(); ++position)
        if (order[position] >= 0 && order[position] < static_cast<int>(order.size()))
            newIndex[order[position]] = static_cast<int>(position);
    const auto follow = [&](int& index) {
        if (index >= 0 && index < static_cast<int>(newIndex.size()))
            index = newIndex[index];
    };
    for (int& selected : m_selections)
        follow(selected);
    for (int* index : {&m_anchor, &m_lastSelected, &m_focusItem})
        follow(*index);
}

void ThumbnailSelection::Replace(const std::vector<int>& indices)
{
    m_selections.Clear();
    for (int n : indices)
        if (!IsSelected(n))
            m_selections.Add(n);
    m_anchor = m_lastSelected = m_focusItem = indices.empty() ? -1 : indices.front();
}
