// Palette reduction: a true-colour frame becomes an image whose every pixel is an entry of the
// palette attached to it (at most 256 entries), and that palette becomes a GIF colour table.
#pragma once

#include <wx/image.h>

#include "core/colour/palette_quant.h"
#include "core/colour/palette_table.h"

// How a frame is reduced to a palette.
enum class PaletteReducer {
    // The toolkit's reference: an 8-bit BMP written to memory by the toolkit's codec and read
    // back.
    BmpPass,
    // The toolkit's quantiser called directly with the codec's own settings; no BMP. The same
    // pixels, palette and file bytes as BmpPass, only faster.
    Direct,
    // libimagequant, with the frame's own colours kept exactly when there are at most 256 of
    // them (ReduceToPaletteQuant). Better colours than the toolkit's; the default.
    Quant,
};

// The reference reduction. Writes source into memory as an 8-bit BMP (the codec quantises it)
// and reads it back. Modifies source: the 256-entry grey ramp palette and the option
// "wxBMP_FORMAT" = 8 stay attached to it. Returns an invalid image when the pass fails.
// The result has no mask and no alpha; see ClearUnusedPaletteEntries for its palette.
wxImage ReduceToPalette(wxImage& source);

// Same pixels and palette as ReduceToPalette, without the BMP, and source is left alone.
wxImage ReduceToPaletteDirect(const wxImage& source);

// Dispatches on reducer. source is modified only by the BMP pass. Every reducer keeps
// ReduceToPalette's contract: every pixel's colour is an entry of the attached palette, which
// has at most 256 entries.
// quant applies to the Quant reducer only: the toolkit's quantiser has no such settings.
wxImage ReduceWith(PaletteReducer reducer, wxImage& source,
                   const QuantSettings& quant = QuantSettings());

// The toolkit's quantiser leaves the palette entries past the colours it found uninitialised
// (heap garbage), so two runs on the same frame differ in those entries and the files would not
// be reproducible. Sets every entry that no pixel uses as its first match to black; the entries
// the pixels use keep their place and colour. False when image has no palette.
bool ClearUnusedPaletteEntries(wxImage& image);

// Copies image's palette into table: count = number of entries (at most 256); a mask colour
// becomes the transparent index (its first equal entry, or appended when there is room, else
// -1 and dropped). False, with count and transparentIndex untouched, when image has no palette.
bool ExtractGifPalette(const wxImage& image, GifPaletteTable& table, int& count,
                       int& transparentIndex);
