#include "core/strip/frame_move.h"

#include <algorithm>

#include "core/strip/thumbnail_grid.h"

namespace {

// Rounds toward minus infinity, so that points left of or above the first tile stay apart
// from the first tile's own half.
int FloorDiv(int value, int divisor)
{
    return value >= 0 ? value / divisor : -((divisor - 1 - value) / divisor);
}

// Auto-scroll speed for a pointer depth pixels into a zone: faster near and past the edge.
int ScrollSpeed(int depth, int zone)
{
    return depth <= zone / 2 ? 1 : depth <= zone ? 2 : 3;
}

}  // namespace

DropGap DropGapAt(const ThumbnailGrid& grid, const wxPoint& logical, int count,
                  int clientWidth)
{
    DropGap drop;
    if (count <= 0) {
        drop.gap = 0;
        return drop;
    }
    const int perRow = grid.Columns(clientWidth);
    const int lastRow = (count - 1) / perRow;
    const int row = std::max(0, FloorDiv(logical.y, grid.CellHeight()));
    if (row > lastRow) {
        drop.row = lastRow;
        drop.col = count - lastRow * perRow;
        drop.gap = count;
        return drop;
    }
    const int tiles = std::min(perRow, count - row * perRow);
    const int firstMiddle = grid.Spacing() + grid.ItemWidth() / 2;
    drop.row = row;
    drop.col = std::clamp(FloorDiv(logical.x - firstMiddle, grid.CellWidth()) + 1, 0, tiles);
    drop.gap = row * perRow + drop.col;
    return drop;
}

wxRect DropMarkerRect(const ThumbnailGrid& grid, const DropGap& gap, int width)
{
    const int centre = gap.col * grid.CellWidth() + grid.Spacing() / 2;
    return wxRect(centre - width / 2, grid.Spacing() + gap.row * grid.CellHeight(), width,
                  grid.ItemHeight());
}

int AutoScrollStep(int pointerY, int clientHeight, int zone)
{
    if (zone <= 0)
        return 0;
    if (pointerY < zone)
        return -ScrollSpeed(zone - pointerY, zone);
    if (pointerY >= clientHeight - zone)
        return ScrollSpeed(pointerY - (clientHeight - zone) + 1, zone);
    return 0;
}
