// Whether a picture's bytes reach the end its format defines. Decoders fill what a cut file
// lacks (a JPEG's missing rows come out grey) and report success, so a file cut short would
// load as if it were whole; this tells it apart from the bytes alone. Whatever follows a
// proper end (some cameras and editors append their own data) is not damage.
#pragma once

#include <cstddef>
#include <cstdint>

#include <wx/string.h>

#include "core/input/image_header.h"

// Why the size bytes read through read stop before the end of a picture of format: a JPEG
// without its end-of-image marker after the last scan, a PNG without its IEND chunk, a BMP
// shorter than its header's pixel data. Empty when they reach it, and for formats not judged
// here (GIF: its reader walks every block anyway, see GifFrameReader::Damage). The tail is
// read first; only a file that doesn't end where its format does is walked further.
wxString MissingEnd(ImageFormat format, const ByteReader& read, uint64_t size);
// The same for bytes held in memory.
wxString MissingEnd(ImageFormat format, const unsigned char* bytes, size_t size);
