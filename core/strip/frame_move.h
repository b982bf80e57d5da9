// Dragging frames within the strip, on plain numbers: the gap under the pointer, where its
// marker stands and how fast the strip scrolls near its edges. A gap is an insertion position
// in the list, 0..count (see core/document/frame_order.h, which says where moved frames land).
#pragma once

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

// Scroll units per tick of the auto-scroll while dragging, for a pointer at client y:
// negative within zone pixels of the top edge (or above it), positive near the bottom (or
// below), 0 elsewhere; faster the deeper the pointer is in the zone.
int AutoScrollStep(int pointerY, int clientHeight, int zone);
