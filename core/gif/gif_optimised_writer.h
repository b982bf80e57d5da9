// The writer of optimised GIFs: the first frame whole, every later one as the rectangle that
// differs from what is on screen, left in place for the next. Decoded frame by frame, the file
// shows exactly the full frames it stands for: each frame's palette and indices as chosen
// here (see palette_reuse.h), in this order: the previous palette when it carries the changed
// pixels nearly as well as the reducer's own; else that palette with the entries still pixels
// don't show given to the reducer's new colours, under the same bound; else the reducer's
// palette, still pixels keeping their colour where it has it.
#pragma once

#include <cstdint>
#include <vector>

#include <wx/image.h>

#include "core/gif/gif_writer.h"
#include "core/colour/palette_reuse.h"

class OptimisedGifWriter {
public:
    // Writes into writer, which the caller ends with Finish after the last frame; loopCount
    // goes into the file's start (GifWriter::Begin). Without difference every frame is written
    // whole, with the same palettes and indices: the animation a differenced file must decode
    // to, frame by frame. reusePerPixel and stillTolerance loosen the choices for a smaller
    // file (see GifQualitySettings); the defaults keep the differencing lossless.
    OptimisedGifWriter(GifWriter& writer, int loopCount, bool difference = true,
                       int reusePerPixel = 2, int stillTolerance = 0)
        : m_writer(writer), m_loopCount(loopCount), m_difference(difference),
          m_reusePerPixel(reusePerPixel), m_stillTolerance(stillTolerance)
    {
    }

    // Writes the next frame: composed is the frame on the canvas, reduced its fresh reduction
    // (an image with a palette, as ReduceWith gives); the first also begins the file. False
    // when the reduction has no palette or a write failed.
    bool Write(const wxImage& composed, const wxImage& reduced, int delayMilliseconds);

private:
    bool Choose(const uint8_t* source, const wxImage& reduced, IndexedPicture& picture) const;
    bool WritePatch(const std::vector<uint8_t>& shown, const IndexedPicture& picture,
                    int delayMilliseconds);

    bool WriteWhole(const IndexedPicture& picture, int height, int delayMilliseconds);

    // composed's pixels, with those within m_stillTolerance of the screen taken as unchanged.
    std::vector<uint8_t> SourceOf(const wxImage& composed) const;

    GifWriter& m_writer;
    const int m_loopCount;
    const bool m_difference;
    const int m_reusePerPixel;
    const int m_stillTolerance;
    int m_width = 0;
    bool m_first = true;
    std::vector<uint8_t> m_source;  // the previous frame's composed RGB
    std::vector<uint8_t> m_shown;   // what the previous frames leave on screen
    IndexedPicture m_picture;       // the previous frame as written
};
