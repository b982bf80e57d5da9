// The default reducer's second half: a palette found by libimagequant is refined and every pixel
// is mapped to it, with error diffusion where the picture needs it. Plain RGB arithmetic in a
// fixed order, so the result depends only on the input bytes (never on the thread, the number
// of threads or the processor's instruction set).
#pragma once

#include "core/colour/palette_table.h"

// Moves each of palette's first count entries to the mean of the sample pixels nearest to it,
// iterations times (k-means steps). The sample is one pixel of each step x step block of the
// width x height RGB picture rgb, its position changing with the block's, as in the palette's
// own sample. An entry that no sample pixel takes keeps its colour.
void RefinePalette(const unsigned char* rgb, int width, int height, int step, int iterations,
                   GifPaletteTable& palette, int count);

// Maps every pixel of the width x height RGB picture rgb to an index into palette's first
// count entries (1..256), written to indices (width x height). dithering 0..1 is the strength
// of the Floyd-Steinberg error diffusion (serpentine); it is weakened on edges and in busy
// areas, where the plain mapping already varies, and left out where the carried error is below
// about one level, so flat areas of a colour in the palette keep it exactly. With dithering 0
// every pixel takes its nearest entry (the first of equals). False when memory runs out.
bool RemapToPalette(const unsigned char* rgb, int width, int height,
                    const GifPaletteTable& palette, int count, float dithering,
                    unsigned char* indices);
