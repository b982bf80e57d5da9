// Whether a canvas can be written before any frame is: a canvas the program could not read
// back, or one whose frames the machine can't hold, is refused with that reason instead of
// failing on the first frame.
#pragma once

#include <cstdint>

#include <wx/gdicmn.h>

#include "core/export/export_failure.h"

// The memory one frame of a canvas takes while it is prepared, per pixel: the composed RGB
// picture, its reduction and the copy the optimised writer keeps.
constexpr uint64_t kCanvasBytesPerPixel = 8;

// Kind::BadCanvas when a side of canvas is not within 1..kMaxPictureSide (the largest picture
// the program reads); Kind::CanvasMemory when one frame of it needs more than available bytes
// (0: unknown, nothing is refused); otherwise no failure.
ExportFailure CheckCanvas(const wxSize& canvas, uint64_t available);
