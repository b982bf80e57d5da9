#include "core/strip/thumbnail_grid.h"

#include <algorithm>

#include <wx/defs.h>

namespace {

int CeilDiv(int value, int divisor)
{
    return value <= 0 ? 0 : (value + divisor - 1) / divisor;
}

}  // namespace

wxSize TileMetrics::ItemSize() const
{
    const int width = std::max(thumbWidth, labelWidth) + 2 * margin;
    const int height = labelHeight > 0 ? thumbHeight + captionHeight + labelHeight + 4 * margin
                                       : thumbHeight + captionHeight + 3 * margin;
    return wxSize(width, height);
}

ThumbnailGrid::ThumbnailGrid(const TileMetrics& metrics)
    : m_metrics(metrics),
      m_itemWidth(metrics.ItemSize().x),
      m_itemHeight(metrics.ItemSize().y),
      m_spacing(metrics.spacing)
{
}

int ThumbnailGrid::Columns(int clientWidth) const
{
    return std::max(1, clientWidth / CellWidth());
}

int ThumbnailGrid::PageRows(int clientHeight) const
{
    return std::max(1, clientHeight / CellHeight());
}

void ThumbnailGrid::RowCol(int index, int clientWidth, int& row, int& col) const
{
    const int perRow = Columns(clientWidth);
    row = index / perRow;
    col = index % perRow;
}

wxRect ThumbnailGrid::ItemRect(int index, int clientWidth) const
{
    int row = 0, col = 0;
    RowCol(index, clientWidth, row, col);
    return wxRect(m_spacing + col * CellWidth(), m_spacing + row * CellHeight(), m_itemWidth,
                  m_itemHeight);
}

wxRect ThumbnailGrid::ImageRect(const wxRect& itemRect) const
{
    const TileMetrics& m = m_metrics;
    return wxRect(itemRect.x + (itemRect.width - m.thumbWidth) / 2,
                  itemRect.y + 2 * m.margin + m.captionHeight, m.thumbWidth, m.thumbHeight);
}

wxRect ThumbnailGrid::CaptionRect(const wxRect& itemRect) const
{
    const int m = m_metrics.margin;
    return wxRect(itemRect.x + m, itemRect.y + m, itemRect.width - 2 * m,
                  m_metrics.captionHeight);
}

wxRect ThumbnailGrid::LabelRect(const wxRect& itemRect) const
{
    const int m = m_metrics.margin;
    return wxRect(itemRect.x + m, ImageRect(itemRect).GetBottom() + 1 + m,
                  itemRect.width - 2 * m, m_metrics.labelHeight);
}

int ThumbnailGrid::ContentHeight(int count, int clientWidth) const
{
    if (count <= 0)
        return 0;
    const int rows = (count - 1) / Columns(clientWidth) + 1;
    return m_spacing + rows * CellHeight();
}

int ThumbnailGrid::ScrollUnits(int count, int clientWidth) const
{
    return CeilDiv(ContentHeight(count, clientWidth), kScrollUnit);
}

int ThumbnailGrid::ClampStart(int startUnit, int count, int clientWidth, int clientHeight) const
{
    const int maxStart = CeilDiv(ContentHeight(count, clientWidth) - clientHeight, kScrollUnit);
    return std::max(0, std::min(startUnit, maxStart));
}

int ThumbnailGrid::HitTest(const wxPoint& client, int scrollY, int count, int clientWidth) const
{
    if (client.x < 0 || client.y + scrollY < 0)
        return -1;
    const int perRow = Columns(clientWidth);
    const int row = (scrollY + client.y) / CellHeight();
    const int col = client.x / CellWidth();
    if (col >= perRow)
        return -1;
    const int index = row * perRow + col;
    if (index >= count)
        return -1;
    const wxPoint logical(client.x, client.y + scrollY);
    return ItemRect(index, clientWidth).Contains(logical) ? index : -1;
}

int ThumbnailGrid::ScrollTarget(int index, int startUnit, const wxSize& client,
                                bool backward) const
{
    const wxRect r = ItemRect(index, client.x);
    const int top = startUnit * kScrollUnit;
    const bool below = r.y + r.height > top + client.y;
    const bool above = r.y < top;
    // Rounded up so that the tile's bottom edge and label are in view, not a few pixels short.
    const int showBottom = CeilDiv(r.y + m_itemHeight + m_spacing - client.y, kScrollUnit);
    const int showTop = r.y / kScrollUnit;
    if (backward) {
        if (above)
            return showTop;
        if (below)
            return showBottom;
    } else {
        if (below)
            return showBottom;
        if (above)
            return showTop;
    }
    return -1;
}

void ThumbnailGrid::ItemsInBand(int top, int bottom, int count, int clientWidth, int& first,
                                int& last) const
{
    first = 0;
    last = -1;
    if (count <= 0 || bottom <= top || bottom <= m_spacing)
        return;
    const int perRow = Columns(clientWidth);
    const int firstRow = std::max(0, (top - m_spacing) / CellHeight());
    const int lastRow = (bottom - 1 - m_spacing) / CellHeight();
    first = firstRow * perRow;
    last = std::min(count - 1, (lastRow + 1) * perRow - 1);
}

bool ThumbnailGrid::IsBackwardKey(int keyCode)
{
    return keyCode == WXK_UP || keyCode == WXK_LEFT || keyCode == WXK_HOME ||
           keyCode == WXK_PAGEUP;
}

bool ThumbnailGrid::IsNavigationKey(int keyCode)
{
    switch (keyCode) {
    case WXK_END:
    case WXK_HOME:
    case WXK_LEFT:
    case WXK_UP:
    case WXK_RIGHT:
    case WXK_DOWN:
    case WXK_PAGEUP:
    case WXK_PAGEDOWN:
        return true;
    default:
        return false;
    }
}

int ThumbnailGrid::NavigationTarget(int keyCode, int current, int count,
                                    const wxSize& client) const
{
    const int perRow = Columns(client.x);
    const int page = PageRows(client.y) * perRow;
    int target = -1;
    switch (keyCode) {
    case WXK_RIGHT:
        target = current + 1;
        break;
    case WXK_LEFT:
        target = current - 1;
        break;
    case WXK_DOWN:
        target = current + perRow;
        break;
    case WXK_UP:
        target = current - perRow;
        break;
    case WXK_PAGEDOWN:
        target = std::min(current + page, count - 1);
        break;
    case WXK_PAGEUP:
        target = std::max(current - page, 0);
        break;
    case WXK_HOME:
        target = 0;
        break;
    case WXK_END:
        target = count - 1;
        break;
    default:
        return -1;
    }
    return target >= 0 && target < count ? target : -1;
}
