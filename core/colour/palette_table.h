// A GIF colour table as plain data: what every palette step reads and writes.
#pragma once

#include <array>

// One entry of a GIF colour table, in file order.
struct GifRgb {
    unsigned char red;
    unsigned char green;
    unsigned char blue;
};

using GifPaletteTable = std::array<GifRgb, 256>;
