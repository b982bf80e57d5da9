// A frame reduced to a palette and held as indices: what the default reducer computes and what
// the GIF writer writes, without turning the indices back into colours and looking them up again
// (palette_quant.h makes one).
#pragma once

#include <vector>

#include "core/colour/palette_table.h"

struct IndexedFrame {
    int width = 0;
    int height = 0;
    // width x height indices, row by row, each below colourCount.
    std::vector<unsigned char> indices;
    GifPaletteTable palette{};
    // 1..256 once reduced. The default reducer's entries are distinct colours and every one is
    // used by a pixel.
    int colourCount = 0;
};
