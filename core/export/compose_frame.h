// Fitting a frame into the animation's canvas, on image data only (no bitmaps or drawing
// contexts, so it may run on any thread).
#pragma once

#include <wx/gdicmn.h>
#include <wx/image.h>

// Where and how large a frame of size frame lands on a canvas of size canvas: shrunk to fit
// (never enlarged) keeping its proportion, centred with truncating division.
struct FramePlacement {
    bool shrunk = false;  // the frame was wider or taller than the canvas
    wxSize size;          // the frame's size on the canvas
    wxPoint origin;       // its top-left corner; may be negative only for invalid input
};

// The geometry of ComposeFrame. The shrunk size is computed in exact integer arithmetic: the
// limiting side gets the canvas size exactly, the other one the truncated proportional size
// (at least 1 pixel).
FramePlacement PlaceFrame(const wxSize& frame, const wxSize& canvas);

// Returns a new RGB image of exactly canvas size (no alpha, no mask): black, with frame drawn
// on it as PlaceFrame says (rescaled at the toolkit's normal quality when shrunk). Masked
// pixels of frame show black and alpha is blended over black. An invalid or empty frame gives
// a black canvas. With trace, writes the trace lines "thumbnail-1", "thumbnail-2",
// "thumbnail-3", "image", "m_bitmap" and "Rescale" as the composition goes.
wxImage ComposeFrame(const wxImage& frame, const wxSize& canvas, bool trace = true);
