// The graphic control extension that precedes a GIF image: how the image is disposed of,
// which index is transparent and how long it shows.
#pragma once

#include <cstddef>
#include <cstdint>

// What happens to an image's rectangle before the next image is drawn.
enum class GifDisposal {
    Unspecified,  // 0: left in place, as Keep
    Keep,         // 1: left in place
    Background,   // 2: cleared to transparent, as browsers do (the background colour is ignored)
    Previous,     // 3: put back as it was before the image was drawn
};

struct GifGraphicControl {
    GifDisposal disposal = GifDisposal::Unspecified;
    int transparentIndex = -1;  // -1 when every index is opaque
    int delay = 0;              // hundredths of a second
};

// Reads the data bytes of a graphic control extension: packed (disposal in bits 2-4,
// transparency flag in bit 0), delay low byte, delay high byte, transparent index. Fewer than
// 4 bytes give the defaults; reserved disposals 4-7 read as Unspecified.
GifGraphicControl ParseGraphicControl(const uint8_t* data, size_t size);
