// The animated GIF writer: one call per frame, in order, into one open output stream.
// The LZW coding is the toolkit's (wxGIFHandler's protected compressor); every other byte of
// the file is laid out here (see gif_blocks.h).
#pragma once

#include <string>

#include <wx/imaggif.h>
#include <wx/stream.h>

#include "core/colour/indexed_frame.h"
#include "core/colour/palette.h"

// Every byte of the writer goes to this stream. The exporter points it at its output before
// frame 0; the writer neither creates nor closes it. Each thread has its own, so exports on
// different threads never write into each other's files.
extern thread_local wxOutputStream* g_gifOutputStream;

// Points this thread's g_gifOutputStream at a stream for its lifetime, then back.
class ScopedGifOutput {
public:
    explicit ScopedGifOutput(wxOutputStream& stream) : m_previous(g_gifOutputStream)
    {
        g_gifOutputStream = &stream;
    }
    ~ScopedGifOutput() { g_gifOutputStream = m_previous; }
    ScopedGifOutput(const ScopedGifOutput&) = delete;
    ScopedGifOutput& operator=(const ScopedGifOutput&) = delete;

private:
    wxOutputStream* m_previous;
};

// The toolkit compressor's pixel count for an image (see WriteImageData): height times the
// width rounded up to even, computed in 64 bits. -1 when a side is not positive or the count
// doesn't fit the compressor's int, so such a frame is refused instead of the count wrapping.
int LzwPixelCount(int width, int height);

// One image of a file as indices into its own colour table, placed on the logical screen.
// For the first image the screen is the image's own size and the table becomes the global one.
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
};

class MyGifHandler : public wxGIFHandler {
public:
    MyGifHandler() = default;
    ~MyGifHandler() override = default;

    // Writes one frame to g_gifOutputStream: for the first frame also the header, the logical
    // screen descriptor, the global colour table (palette) and the looping block for
    // loopCount (see LoopingBlock: 0 plays forever, 1 once, N N times); then the
    // comment extension (when the image has a "GifComment"), the graphic control extension,
    // the image descriptor, the local colour table (not for the first frame) and the image
    // data. image is RGB and every pixel must be one of palette's first colourCount entries;
    // otherwise, or when the size can't be held by a GIF or counted by the compressor (see
    // LzwPixelCount), nothing is written and the result is false. After that, the first
    // failed write makes it return false; what was written stays.
    bool DoSaveFile(const wxImage& image, bool first, int delayMilliseconds,
                    const GifPaletteTable& palette, int colourCount, int transparentIndex,
                    int loopCount = 0);

    // Writes an image already held as indices, as DoSaveFile does after mapping its pixels
    // (no comment). Indices past colourCount, a size a GIF can't hold, or an image that
    // leaves the screen of a first image's size write nothing and give false.
    bool WriteIndexed(const GifIndexedImage& image, bool first, int delayMilliseconds,
                      int loopCount = 0);

private:
    bool WriteBlocks(const GifIndexedImage& image, bool first, int delayMilliseconds,
                     int loopCount, const std::string* comment);
    bool WriteImageData(wxOutputStream& stream, const unsigned char* indices, int width,
                        int height, int pixelCount);
    void ReleaseHashTable();
};

// Writes frame frameIndex (0-based) of frameCount: the palette comes from the image
// (ExtractGifPalette); the last frame also writes the trailer. True when everything of this
// frame, and for the last frame the trailer, was written. An image without a palette writes
// nothing and gives false; a failed last frame writes no trailer. loopCount is read for frame
// 0 only, as DoSaveFile reads it.
bool SaveGifFrame(const wxImage& image, MyGifHandler& handler, int delayMilliseconds,
                  int frameCount, int frameIndex, int loopCount = 0);

// The same for a frame already held as indices (the default reducer's IndexedFrame): no lookup
// of the pixels, no transparency, no comment; the frame's palette is its colour table. The bytes
// are SaveGifFrame's for IndexedFrameToImage(frame). An empty frame or an index past its
// palette writes nothing and gives false.
bool SaveIndexedGifFrame(const IndexedFrame& frame, MyGifHandler& handler, int delayMilliseconds,
                         int frameCount, int frameIndex, int loopCount = 0);
