// How a rectangle being edited over a picture is drawn: the outside dimmed, a light and a dark
// edge, eight handles; and the pointer's shape over each part of it. The record dialog's
// region and the crop tool draw the same.
#pragma once

#include <wx/cursor.h>
#include <wx/gdicmn.h>

#include "core/record/region_editing.h"

class wxDC;

// How near (in pixels of the view) a handle takes the pointer.
constexpr int kRegionReach = 6;

// Draws box (inside picture, both in dc's coordinates) over the picture already drawn.
void DrawRegionOverlay(wxDC& dc, const wxRect& picture, const wxRect& box);

// The pointer over grip.
wxStockCursor RegionCursor(RegionGrip grip);
