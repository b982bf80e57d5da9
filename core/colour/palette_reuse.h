// Keeping a frame's colours where the picture doesn't change, so an optimised GIF can leave
// those pixels out: on plain data, pixels as RGB triples.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/colour/palette.h"

// The sum over n pixels of the squared distance between a and b in red, green and blue.
uint64_t SquaredError(const uint8_t* a, const uint8_t* b, size_t n);

// SquaredError between source and shown over the pixels whose source differs from
// previousSource, and how many those are: still pixels show what an earlier frame chose for
// them, so only the new ones tell whether a palette carries the new frame.
struct ChangedError {
    uint64_t sum = 0;
    size_t pixels = 0;
};
ChangedError ErrorWhereChanged(const uint8_t* source, const uint8_t* previousSource,
                               const uint8_t* shown, size_t n);

// A frame as indices into its palette.
struct IndexedPicture {
    std::vector<GifRgb> palette;
    std::vector<uint8_t> indices;
};

// source mapped onto previous's palette: a pixel whose colour equals previousSource's there
// keeps previous's index, so still parts of the picture come out exactly as before; any other
// takes the nearest entry (the first of equals), undithered.
std::vector<uint8_t> MapOntoPalette(const uint8_t* source, const uint8_t* previousSource,
                                    const IndexedPicture& previous, size_t n);

// Whether the previous palette should carry the frame, given both errors over the n changed
// pixels: the reused one at most half again the fresh reduction's plus perPixel per pixel
// (2, the default, is less than one level per channel; a lower quality allows more). On screen recordings the reducer itself is off by a few units per
// pixel, so a tighter bound would give up the old palette, and with it every still pixel
// whose colour the new one lacks, for differences no one sees; a frame that fits its palette
// exactly (error 0) still refuses one that shifts a new colour visibly. A frame without
// change always keeps its palette.
bool ReusePalette(uint64_t reusedError, uint64_t freshError, size_t n, uint64_t perPixel = 2);

// previous's palette with the entries that no still pixel shows given over to the colours
// fresh (the frame's own reduction) gives its changed pixels, the most used first: still
// pixels keep their index, changed ones show fresh's colour, or when the free entries run out
// the nearest entry of those kept and added. A colour already kept is not added twice.
IndexedPicture MergePalettes(const uint8_t* source, const uint8_t* previousSource,
                             const IndexedPicture& previous, const IndexedPicture& fresh);

// For a frame with a palette of its own: a pixel whose source colour is unchanged since the
// previous frame shows the previous frame's colour again when the fresh palette holds it, so
// dithering doesn't move still parts of the picture. fresh's indices change in place.
void KeepStableColours(const uint8_t* source, const uint8_t* previousSource,
                       const uint8_t* previousShown, IndexedPicture& fresh);

// The colours that picture shows, as n RGB triples.
std::vector<uint8_t> Shown(const IndexedPicture& picture);
