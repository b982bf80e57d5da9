// A frame of an animated PNG decoded by the system's PNG library, which knows no animation:
// it is handed a PNG of its own made of the file's header at the frame's size, the palette and
// transparency, and the frame's data as image data, so that every colour type, bit depth,
// filter and interlacing is decoded as in a still PNG.
#pragma once

#include <cstdint>
#include <vector>

#include <wx/string.h>

#include "core/formats/apng_layout.h"

// The PNG the library reads for frame: signature, IHDR, PLTE, tRNS, one IDAT per piece of the
// frame's data (read through read), IEND. False when a piece can't be read.
bool StandalonePng(const ApngLayout& layout, const ApngFrameLayout& frame, const ByteReader& read,
                   PngBytes& png);

// Decodes png (as made above, or any PNG) into 8-bit RGBA rows of width x height pixels,
// which must be the sizes its header gives. False with the library's reason when its data is
// damaged or short.
bool DecodePngRgba(const PngBytes& png, uint32_t width, uint32_t height, std::vector<uint8_t>& rgba,
                   wxString* reason);
