#include "core/strip/frame_move.h"

#include <algorithm>
#include <numeric>

#include "core/document/frame_order.h"
#include "core/strip/thumbnail_grid.h"

namespace {

// The items that stay, in list order.
std::vector<int> StayingItems(int count, const std::vector<int>& moved)
{
    std::vector<int> staying;
    for (int i = 0; i < count; ++i)
        if (!std::binary_search(moved.begin(), moved.end(), i))
            staying.push_back(i);
    return staying;
}

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

int MovedStart(int count, const std::vector<int>& indices, int gap)
{
    gap = std::clamp(gap, 0, std::max(count, 0));
    const std::vector<int> moved = ValidPositions(count, indices);
    const auto before = std::lower_bound(moved.begin(), moved.end(), gap) - moved.begin();
    return gap - static_cast<int>(before);
}

std::vector<int> MovedPositions(int count, const std::vector<int>& indices, int gap)
{
    std::vector<int> positions(ValidPositions(count, indices).size());
    std::iota(positions.begin(), positions.end(), MovedStart(count, indices, gap));
    return positions;
}

std::vector<int> OrderAfterMove(int count, const std::vector<int>& indices, int gap)
{
    const std::vector<int> moved = ValidPositions(count, indices);
    const std::vector<int> staying = StayingItems(count, moved);
    const int start = MovedStart(count, moved, gap);
    std::vector<int> order(staying.begin(), staying.begin() + start);
    order.insert(order.end(), moved.begin(), moved.end());
    order.insert(order.end(), staying.begin() + start, staying.end());
    return order;
}

bool MoveChangesNothing(int count, const std::vector<int>& indices, int gap)
{
    const std::vector<int> moved = ValidPositions(count, indices);
    if (moved.empty())
        return true;
    const bool block = moved.back() - moved.front() + 1 == static_cast<int>(moved.size());
    return block && gap >= moved.front() && gap <= moved.back() + 1;
}

int GapForStep(int count, const std::vector<int>& indices, int step)
{
    const std::vector<int> moved = ValidPositions(count, indices);
    if (moved.empty() || step == 0)
        return -1;
    const int start = moved.front() + step;
    if (start < 0 || start > count - static_cast<int>(moved.size()))
        return -1;
    const std::vector<int> staying = StayingItems(count, moved);
    return start == static_cast<int>(staying.size()) ? count : staying[start];
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
