// What an animated PNG writes for a frame after the first, on plain pixel rows: the rectangle
// that differs from the frame before, and whether its still pixels can be made clear so that
// the frame is drawn over the one before (blend Over) instead of replacing it.
#pragma once

#include <cstdint>
#include <vector>

#include "core/base/pixel_rect.h"

// The smallest rectangle holding every pixel where before and after, width x height pixels of
// bpp bytes each, differ; empty when they are equal.
PixelRect ChangedArea(const uint8_t* before, const uint8_t* after, int width, int height,
                      int bpp);

// For RGBA pictures (width wide): whether every pixel of area that differs between before and
// after is opaque in after, the condition for drawing area over before with its still pixels
// clear.
bool ChangesOpaque(const uint8_t* before, const uint8_t* after, int width, const PixelRect& area);

// area of after as RGBA rows (area.width wide), its pixels equal to before's made 0, 0, 0, 0:
// drawn over before it gives after.
std::vector<uint8_t> ClearStillPixels(const uint8_t* before, const uint8_t* after, int width,
                                      const PixelRect& area);
