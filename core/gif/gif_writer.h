// The animated GIF writer: Begin, then Image for every frame in order, then Finish, into an
// output stream it is given and neither opens nor closes. The LZW coding is the toolkit's
// (wxGIFHandler's protected compressor); every other byte of the file is laid out here (see
// gif_blocks.h).
#pragma once

#include <string>
#include <vector>

#include <wx/mstream.h>
#include <wx/stream.h>

#include "core/colour/palette_table.h"

// The toolkit compressor's pixel count for an image: height times the width rounded up to
// even, computed in 64 bits. -1 when a side is not positive or the count doesn't fit the
// compressor's int, so such a frame is refused instead of the count wrapping.
int LzwPixelCount(int width, int height);

// One image of a file as indices into its own colour table, placed on the logical screen.
struct GifIndexedImage {
    const unsigned char* indices = nullptr;  // width x height, row by row
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    const GifRgb* palette = nullptr;
    int colourCount = 0;        // 1..256
    int transparentIndex = -1;  // -1 when every index is opaque
    int disposal = 0;           // the graphic control's disposal field (0: unspecified)
    // Text of a comment extension written before the image; none when null.
    const std::string* comment = nullptr;
};

class GifWriter {
public:
    explicit GifWriter(wxOutputStream& stream) : m_stream(stream) {}
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    // The start of a file whose first image is first: the header, the logical screen of
    // first's size with first's palette as the global colour table, and the looping block for
    // loopCount (see LoopingBlock: 0 plays forever, 1 once, N N times). The next Image must be
    // first, drawn with the global table. When first can't be written (see Image) or doesn't
    // sit at the screen's corner, nothing is written and the result is false.
    bool Begin(const GifIndexedImage& first, int loopCount = 0);

    // The next image: its comment extension (when it has a comment), the graphic control
    // extension, the image descriptor, its own colour table (except for the image Begin was
    // given, which a different image can't stand in for) and the image data. No indices or
    // palette, 0 or more than 256 colours, an index past colourCount, a rectangle past the
    // largest side of a GIF or a size the compressor can't count (LzwPixelCount) write nothing
    // and give false. After that, the first failed write gives false; what was written stays.
    bool Image(const GifIndexedImage& image, int delayMilliseconds);

    // Bytes another writer encoded into memory (a trial of one image), as they stand.
    bool Append(const wxMemoryOutputStream& encoded);

    // The trailer, which ends the file.
    bool Finish();

private:
    bool ScreenImage(const GifIndexedImage& image) const;

    wxOutputStream& m_stream;
    // The image Begin was given, until it is written: its size and palette.
    bool m_screenImagePending = false;
    int m_screenWidth = 0;
    int m_screenHeight = 0;
    std::vector<GifRgb> m_globalTable;
};
