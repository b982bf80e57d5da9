// The format and size of a picture, read from the first bytes of its file before any decoder
// runs: inputs too large to decode are refused without allocating for them, and a file is
// handed only to the decoder of the format its bytes show.
#pragma once

#include <cstddef>
#include <cstdint>

#include <wx/gdicmn.h>
#include <wx/string.h>

#include "core/base/file_byte_reader.h"
#include "core/picture/picture_limit.h"

enum class ImageFormat { Unknown, Png, Jpeg, Bmp, Gif };

struct ImageHeader {
    ImageFormat format = ImageFormat::Unknown;
    wxSize size;  // 0 x 0 when the header doesn't say (or says nonsense)
};

// The header of the picture read through read. A JPEG is walked segment by segment to its
// frame header, however far that is; the others need their first 30 bytes.
ImageHeader ParseImageHeader(const ByteReader& read);
// The same for a buffer held in memory.
ImageHeader ParseImageHeader(const unsigned char* bytes, size_t size);
// The header of the file at path (which must be readable); Unknown when it can't be read.
ImageHeader ReadImageHeader(const wxString& path);
