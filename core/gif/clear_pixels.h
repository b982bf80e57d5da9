// Pixels of a frame that show nothing (a transparent background around a frame), carried from
// the composed picture to the indices the writer writes: a GIF has one transparent entry per
// colour table, so the reduction works on colours only and the clear pixels are given that
// entry afterwards.
#pragma once

#include <cstdint>
#include <vector>

#include <wx/image.h>

#include "core/colour/indexed_frame.h"

// Alpha below half counts as clear.
constexpr unsigned char kClearBelow = 128;

// Which pixels of image are clear (1) by its alpha, and the image without alpha: each clear
// pixel takes the colour of the pixel before it (black for the first ones), so that the
// reduction spends no colour on what will not show. Empty (and image untouched) when image has
// no alpha or no clear pixel.
std::vector<uint8_t> TakeClearPixels(wxImage& image);

// Gives the pixels marked in clear one entry of frame's palette of their own and returns it:
// an entry past the used ones, or (with all 256 in use) the least used one, whose pixels go
// to the nearest other colour. -1, frame unchanged, when clear marks no pixel or doesn't
// match the frame's size.
int MarkClearPixels(IndexedFrame& frame, const std::vector<uint8_t>& clear);
