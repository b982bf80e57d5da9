// The preview's zoom on plain numbers: the levels and the steps between them, where the
// zoomed picture lands in the panel and how far the panel scrolls, which part of the picture
// is in view, and the scroll position that keeps a point of the picture under the pointer.
#pragma once

#include <vector>

#include <wx/gdicmn.h>

// A zoom is a percentage, or kZoomFit: shrunk to the panel when larger, never enlarged.
constexpr int kZoomFit = 0;
// The fixed percentages, ascending.
const std::vector<int>& ZoomLevels();
// A stored zoom: one of the fixed levels, else fit.
int ValidZoom(int zoom);

// The scale zoom draws a picture of size picture at in a view of size view.
double ZoomScale(int zoom, const wxSize& view, const wxSize& picture);

// The zoom steps levels away from zoom (positive: larger). Fit counts as a level at its own
// scale fitScale among the fixed ones (none of its own when a fixed level has that scale);
// a step past either end stays there.
int StepZoom(int zoom, int steps, double fitScale);

// Where the preview puts a picture at a zoom. scrolled is the area the panel scrolls over
// (0 x 0 when the picture fits, as fit always does); picture is where the picture lies in it,
// centred along a side the view is longer than.
struct PreviewLayout {
    wxSize scrolled;
    wxRect picture;
};
PreviewLayout LayOutPreview(int zoom, const wxSize& view, const wxSize& picture);

// The part of a picture of size picture, drawn at placed (view coordinates, scrolled), that a
// view of size view shows: the whole source pixels it takes and where they are drawn. Both
// are empty when none of it is in view.
struct VisiblePart {
    wxRect source;
    wxRect target;
};
VisiblePart VisiblePicturePart(const wxRect& placed, const wxSize& view, const wxSize& picture);

// The scroll position, from before (at scroll position scroll) to after, that keeps the point
// of the picture at pointer (view coordinates) under it, as far as after's scrolling allows.
wxPoint ScrollKeepingPoint(const PreviewLayout& before, const wxPoint& scroll,
                           const PreviewLayout& after, const wxSize& view, const wxPoint& pointer);
