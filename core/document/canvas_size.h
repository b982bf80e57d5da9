// The canvas size derived from the frames, when the user has not chosen one.
#pragma once

#include <vector>

#include <wx/gdicmn.h>

// One step of the rule: when frame is wider or taller than running, the canvas becomes the
// frame's size, both dimensions at once (so 100 x 50 then 50 x 100 gives 50 x 100).
wxSize NextCanvasSize(const wxSize& running, const wxSize& frame);

// The rule over frames in order, starting from 0 x 0. A frame without an image counts as 0 x 0.
wxSize CanvasFromFrameSizes(const std::vector<wxSize>& frames);
