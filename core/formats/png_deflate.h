// The compressed data of a PNG image (what its IDAT chunks, or an animation frame's fdAT
// chunks, hold together): each row filtered and led by its filter type, all of them one zlib
// stream.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/formats/png_chunks.h"

// zlib's level for a compression effort of 0..100 (1 fastest .. 9 smallest); -1 gives
// kPngDefaultLevel.
int PngZlibLevel(int effort);
// Level 6 by default: on a screen recording (60 frames of 1920 x 1080) level 9 made the file
// only 4 % smaller for four times the time.
constexpr int kPngDefaultLevel = 6;

// Appends to out the zlib stream of height rows of width pixels of bpp bytes each, the first
// at pixels and each next one stride bytes further. False only when zlib fails (no memory).
bool DeflatePngRows(const uint8_t* pixels, size_t stride, int width, int height, int bpp,
                    int level, PngBytes& out);
