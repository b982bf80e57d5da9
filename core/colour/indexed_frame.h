// A frame reduced to a palette and held as indices: what the default reducer computes and what
// the GIF writer writes, without turning the indices back into colours and looking them up again.
#pragma once

#include <vector>

#include <wx/image.h>

#include "core/colour/palette.h"
#include "core/colour/palette_quant.h"

struct IndexedFrame {
    int width = 0;
    int height = 0;
    // width x height indices, row by row, each below colourCount.
    std::vector<unsigned char> indices;
    GifPaletteTable palette{};
    // 1..256 once reduced. The entries are distinct colours and every one is used by a pixel.
    int colourCount = 0;
};

// The default reducer (see ReduceToPaletteQuant for the contract and settings) giving its
// indices and palette directly. False, with out emptied, when source is invalid or memory runs
// out.
bool ReduceToIndexedQuant(const wxImage& source, IndexedFrame& out,
                          const QuantSettings& settings = QuantSettings());

// The frame as an RGB image with the palette attached, as ReduceToPaletteQuant returns it;
// invalid when frame is empty or memory runs out.
wxImage IndexedFrameToImage(const IndexedFrame& frame);
