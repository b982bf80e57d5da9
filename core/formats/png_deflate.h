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
// Level 9 by default: on screen recordings it saves a few per cent over 6 for about a third
// more time, and a file is written once.
constexpr int kPngDefaultLevel = 9;

// Appends to out the zlib stream of height rows of width pixels of bpp bytes each, the first
// at pixels and each next one stride bytes further. False only when zlib fails (no memory).
bool DeflatePngRows(const uint8_t* pixels, size_t stride, int width, int height, int bpp,
                    int level, PngBytes& out);
