// The default palette reduction: libimagequant's quantiser for frames with more colours than a
// GIF colour table holds, and the frame's own colours, unchanged, for those that fit.
#pragma once

#include <wx/image.h>

#include "core/colour/indexed_frame.h"

// The same contract as ReduceToPalette: an RGB image of source's size, without alpha or mask,
// whose attached palette (at most 256 entries) holds every pixel's colour.
// - At most settings.colours distinct colours: every pixel keeps its colour exactly and the
//   palette lists those colours in ascending order of 0xRRGGBB; no quantisation, no dithering.
// - More: libimagequant picks the palette, and RemapToPalette (palette_remap.h) maps the pixels
//   to it, dithering where that helps.
// Alpha and a mask colour are ignored: frames arrive composed over black, so the RGB bytes are
// the picture. The result depends only on source's RGB bytes, never on the calling thread, the
// number of threads reducing at once or the machine's processors, so exports are reproducible.
// source is not modified. Returns an invalid image when source is invalid or memory runs out.
// settings trade colours for size; the defaults are the best the quantiser reaches.
struct QuantSettings {
    int colours = 256;       // the most palette entries, 2..256; fewer colours are kept exactly
    // 0..1. Full error diffusion by default: the library diffuses only where its noise map
    // says the pattern hides in the picture, so flat colours stay flat; less brings back
    // banding in gradients, but shortens the file.
    float dithering = 1.0f;
};
// A thin adaptor: the reduction itself is ReduceToIndexedQuant (below), which the
// exporter calls to write the indices without looking the colours up again.
wxImage ReduceToPaletteQuant(const wxImage& source,
                             const QuantSettings& settings = QuantSettings());

// The default reducer (see ReduceToPaletteQuant for the contract and settings) giving its
// indices and palette directly. False, with out emptied, when source is invalid or memory runs
// out.
bool ReduceToIndexedQuant(const wxImage& source, IndexedFrame& out,
                          const QuantSettings& settings = QuantSettings());

// The frame as an RGB image with the palette attached, as ReduceToPaletteQuant returns it;
// invalid when frame is empty or memory runs out.
wxImage IndexedFrameToImage(const IndexedFrame& frame);
