// A picture made small for the strip's tiles: each small pixel the average of the pixels it
// covers, so that text and thin lines stay readable, in one pass over the picture.
#pragma once

#include <cstdint>
#include <vector>

#include <wx/image.h>

// The size of a width x height picture fitted into a square box of side pixels, never
// enlarged; a side below 1 (a sliver) is 0.
wxSize SmallSize(int width, int height, int side);

// Averages the rgb plane (3 bytes a pixel) of width x height down to to.x x to.y, each no
// larger than the picture's; out gets 3 bytes a pixel. With alpha (1 byte a pixel, or null),
// the same for alphaOut.
void AverageDown(const uint8_t* rgb, const uint8_t* alpha, int width, int height,
                 const wxSize& to, uint8_t* rgbOut, uint8_t* alphaOut);

// image made small to fit a square box of side pixels; not ok when it can't be (not ok
// itself, a side of 0, a sliver too thin to show).
wxImage SmallCopy(const wxImage& image, int side);
