// The rules of the region a user draws on a still of the source: which part of the rectangle
// the pointer takes hold of, where a drag of that part puts the rectangle, and values typed in
// brought within the source. Plain numbers in the source's pixels, so a control only converts
// its coordinates and paints.
#pragma once

#include "core/screen/capture_region.h"

enum class RegionGrip {
    None,    // outside: a drag draws a new rectangle
    Move,    // inside: a drag moves it
    Left, Right, Top, Bottom,
    TopLeft, TopRight, BottomLeft, BottomRight,
};

// The part of region at (x, y): a corner or an edge within reach pixels of it, the inside,
// or nothing.
RegionGrip GripAt(const CaptureRect& region, int x, int y, int reach);

// region after the pointer went from (fromX, fromY) to (toX, toY) holding grip, within a source
// of width x height: a move keeps the size and stops at the edges; an edge or corner stops at
// the source's edge and never makes a side less than one pixel (dragged past the opposite
// side, it stops there); None spans the rectangle between the two points.
CaptureRect DragRegion(const CaptureRect& region, RegionGrip grip, int fromX, int fromY,
                       int toX, int toY, int width, int height);

// region, just dragged by grip within a source of width x height, reshaped to the proportion
// ratioW:ratioH. A corner keeps the opposite corner where it is and the longer of the two
// sides the drag gave (so the rectangle still reaches the pointer); an edge keeps the length
// it gave and the opposite edge, and the other side follows from its top or left edge, moved
// back when it would pass the source's edge. Both sides shrink together to stay within the
// source, never below one pixel, so a proportion the source can't hold exactly is rounded.
// Move and None, and a ratio with a side below 1, leave region as it is.
CaptureRect KeepProportion(const CaptureRect& region, RegionGrip grip, int ratioW, int ratioH,
                           int width, int height);

// DragRegion keeping the proportion ratioW:ratioH (none when a side is below 1): a new
// rectangle keeps the corner where the drag started.
CaptureRect DragRegionKeeping(const CaptureRect& region, RegionGrip grip, int fromX, int fromY,
                              int toX, int toY, int width, int height, int ratioW, int ratioH);

// The largest rectangle of the proportion ratioW:ratioH inside region, centred in it; region
// itself for a ratio with a side below 1.
CaptureRect FitProportion(const CaptureRect& region, int ratioW, int ratioH);

// region brought inside a source of width x height: the position first (within the source),
// then the size (at least one pixel, at most what is left of the source from there).
CaptureRect ClampRegion(const CaptureRect& region, int width, int height);

// Where a window of width x height goes so that it doesn't cover region of a screen of
// screenWidth x screenHeight, margin pixels off it: below, above, right or left of the
// region, the first with room; false when none has room.
bool PlaceOutside(const CaptureRect& region, int screenWidth, int screenHeight, int width,
                  int height, int margin, int& x, int& y);
