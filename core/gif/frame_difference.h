// What an optimised GIF writes for a frame after the first: only the rectangle that differs
// from the picture already on screen, as plain data. Pixels are RGB triples, row by row.
#pragma once

#include <cstdint>
#include <vector>

#include "core/gif/gif_geometry.h"
#include "core/colour/palette.h"

// The smallest rectangle holding every pixel where before and after differ; empty when the
// two width x height pictures are equal.
GifRect ChangedRect(const uint8_t* before, const uint8_t* after, int width, int height);

// One image of an optimised file: rect's pixels as indices into a table of their own.
struct FramePatch {
    GifRect rect;
    std::vector<GifRgb> colours;  // 1..256 entries
    int transparentIndex = -1;
    std::vector<uint8_t> indices;  // rect.width x rect.height
};

// The patch that turns before into after inside rect, given after as indices into palette
// (every pixel of the width-wide frame). Its table holds only the entries rect uses, in
// palette order, so a small change doesn't carry a whole table; renaming indices doesn't
// change the LZW length. With transparent, pixels that already show their colour become the
// table's extra last entry, transparent, when that entry fits (at most 255 colours used by
// the changed pixels) and some pixel is unchanged; otherwise the patch is opaque, as without.
FramePatch MakePatch(const uint8_t* indices, const GifRgb* palette, const uint8_t* before,
                     const uint8_t* after, int width, const GifRect& rect, bool transparent);
