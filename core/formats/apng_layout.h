// The chunks of a PNG file, walked once before any pixel is decoded: its header, palette and
// transparency, its animation's frames with where each frame's compressed data lies, and why
// the walk stopped early. Every chunk's length and CRC is checked on the way.
#pragma once

#include <cstdint>
#include <vector>

#include <wx/string.h>

#include "core/base/file_byte_reader.h"
#include "core/formats/png_chunks.h"

// A piece of a frame's zlib stream: length bytes at offset in the file.
struct PngDataSpan {
    uint64_t offset = 0;
    uint32_t length = 0;
};

struct ApngFrameLayout {
    ApngFrameControl control;
    std::vector<PngDataSpan> data;  // in order; together one zlib stream
};

struct ApngLayout {
    PngHeader header;
    PngBytes palette;       // PLTE's data; empty without one
    PngBytes transparency;  // tRNS's data; empty without one
    bool animated = false;  // an acTL chunk is present
    uint32_t plays = 0;     // acTL's count: 0 forever
    // The frames in order. A still picture (no acTL) is one frame of the whole canvas with
    // no delay; an animation whose first frame control follows the image data shows its
    // default picture only to viewers without animation, and it is not a frame.
    std::vector<ApngFrameLayout> frames;
    // Why the walk stopped before the end chunk (a chunk cut off or damaged, a frame outside
    // the canvas, ...): the frames whose data ended before it are kept. Empty when it reached
    // the end chunk with every frame announced.
    wxString damage;
    // More than kGifMaxFrames frames: only the first kGifMaxFrames are listed.
    bool framesLeftOut = false;
};

// Walks the size bytes read through read. False, with the reason, when the bytes are no PNG,
// its header is invalid or beyond the picture limit, or no frame's data is whole.
bool ReadApngLayout(const ByteReader& read, uint64_t size, ApngLayout& layout, wxString* reason);

// A frame's delay in hundredths of a second: num / den seconds (den 0 meaning 100), rounded,
// and held at 65535.
int ApngDelayHundredths(uint16_t num, uint16_t den);
