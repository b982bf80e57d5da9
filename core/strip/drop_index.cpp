#include "core/strip/drop_index.h"

#include <algorithm>

int DropIndex(const ThumbnailGrid& grid, const wxPoint& logical, int count, int clientWidth)
{
    if (count <= 0)
        return 0;
    const int perRow = grid.Columns(clientWidth);
    const int rowHeight = grid.ItemRect(perRow, clientWidth).y - grid.ItemRect(0, clientWidth).y;
    const int row = std::max(0, logical.y) / rowHeight;
    const int first = row * perRow;
    if (first >= count)
        return count;
    const int last = std::min(count, first + perRow) - 1;
    int at = first;
    for (int index = first; index <= last; ++index) {
        const wxRect tile = grid.ItemRect(index, clientWidth);
        if (logical.x >= tile.x + tile.width / 2)
            at = index + 1;
    }
    return at;
}
