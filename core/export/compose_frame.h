// Fitting a frame into the animation's canvas, on image data only (no bitmaps or drawing
// contexts, so it may run on any thread).
#pragma once

#include <wx/gdicmn.h>
#include <wx/image.h>

#include "core/document/canvas_edit.h"
#include "core/document/frame_placement.h"

// Returns a new RGB image of exactly canvas size (no alpha, no mask): black, with frame drawn
// on it as PlaceFrame says (rescaled at the toolkit's normal quality when shrunk). Masked
// pixels of frame show black and alpha is blended over black. An invalid or empty frame gives
// a black canvas. With trace, writes the trace lines "thumbnail-1", "thumbnail-2",
// "thumbnail-3", "image", "m_bitmap" and "Rescale" as the composition goes.
wxImage ComposeFrame(const wxImage& frame, const wxSize& canvas, bool trace = true);

// The frame as the output shows it under edit (see canvas_edit.h): turned and mirrored, fitted
// onto the crop's canvas and cut, then fitted onto canvas by the edit's mode over its
// background. The result has alpha exactly when the background is transparent: 0 where no frame
// pixel is, the frame's own alpha elsewhere. An edit that changes nothing gives ComposeFrame's
// image, trace lines included; other edits write none. The shrinking mode scales at the
// toolkit's normal quality, as older versions did; the others at its high quality.
wxImage ComposeEdited(const wxImage& frame, const wxSize& canvas, const CanvasEdit& edit,
                      bool trace = true);

// frame turned and mirrored as orientation says; frame itself (shared) when that is nothing.
wxImage Oriented(const wxImage& frame, const Orientation& orientation);

// A small copy of a frame (small, made from a picture of size picture) as the output shows it
// on canvas under edit, at about the small copy's scale: for thumbnails, not for files.
wxImage ComposeEditedSmall(const wxImage& small, const wxSize& picture, const wxSize& canvas,
                           const CanvasEdit& edit);
