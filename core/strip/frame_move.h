// Moving frames within the strip, on plain numbers. A gap is an insertion position in the
// current list, 0..count: gap g lies before item g, gap count after the last item. The moved
// items land together at the gap in the order they had, the others keep theirs. Indices
// that name no item and repeated indices are ignored everywhere here.
#pragma once

#include <vector>

#include <wx/gdicmn.h>

class ThumbnailGrid;

// The gap under a pointer and where its marker stands: in row, left of the tile in column
// col (col equal to the row's tile count: right of its last tile).
struct DropGap {
    int gap = -1;
    int row = 0;
    int col = 0;
};

// The gap nearest a logical point: a point left of a tile's middle drops before it, right of
// it after it. Above the first row counts as the first row; below the last row, or right of
// the last tile of the last row, is the end of the list. An empty list has gap 0.
DropGap DropGapAt(const ThumbnailGrid& grid, const wxPoint& logical, int count,
                  int clientWidth);

// A logical rectangle of the given width centred on the spacing of the gap, as tall as a
// tile: where the drop marker is drawn.
wxRect DropMarkerRect(const ThumbnailGrid& grid, const DropGap& gap, int width);

// The list after moving indices to gap, as the old index of each new position.
std::vector<int> OrderAfterMove(int count, const std::vector<int>& indices, int gap);

// Whether moving indices to gap leaves the list as it is (nothing to move, or a block of
// neighbours dropped onto its own place).
bool MoveChangesNothing(int count, const std::vector<int>& indices, int gap);

// The new position of the first moved item; the others follow it one by one.
int MovedStart(int count, const std::vector<int>& indices, int gap);
// The new positions of all the moved items, in their order.
std::vector<int> MovedPositions(int count, const std::vector<int>& indices, int gap);

// The gap that makes the moved items start step places from where the first of them stands
// now (a key moving the selection left, right or by a row); -1 when that would leave the
// list or there is nothing to move.
int GapForStep(int count, const std::vector<int>& indices, int step);

// Scroll units per tick of the auto-scroll while dragging, for a pointer at client y:
// negative within zone pixels of the top edge (or above it), positive near the bottom (or
// below), 0 elsewhere; faster the deeper the pointer is in the zone.
int AutoScrollStep(int pointerY, int clientHeight, int zone);
