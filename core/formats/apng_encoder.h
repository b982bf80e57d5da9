// Animated PNG files, written by us over zlib: the system's PNG library has no animation
// chunks. Lossless; RGB, or RGBA when the first frame has an alpha channel.
//
// Frame 0 is the whole canvas and is also the picture a viewer without animation shows. Each
// later frame holds only the rectangle that differs from the frame before it and leaves the
// canvas as it is when the next comes (dispose None), so a still background is written once.
// It replaces the rectangle (blend Source), except in RGBA when every changed pixel is opaque:
// then its still pixels may be made clear and the rectangle drawn over the canvas (blend Over),
// and whichever of the two codes shorter is written. A frame equal to the one before is a
// single pixel. Rows are filtered one by one with the filter that suits each best.
#pragma once

#include <cstdint>
#include <vector>

#include "core/base/pixel_rect.h"
#include "core/formats/animation_encoder.h"
#include "core/formats/png_chunks.h"

class ApngEncoder : public AnimationEncoder {
public:
    // encoding.effort 0..100 chooses zlib's level 1..9 (PngZlibLevel); quality and lossless
    // change nothing.
    bool Begin(wxOutputStream& out, const AnimationEncoding& encoding,
               std::string& error) override;
    // An RGB frame added to an animation whose first frame had no alpha channel must be
    // opaque; one with clear pixels is refused.
    bool Add(const wxImage& frame, int delay, std::string& error) override;
    // Fails when fewer frames came than encoding.frameCount said.
    bool Finish(std::string& error) override;

private:
    bool WriteHeader(std::string& error);
    bool WriteFrame(const PixelRect& area, int delay, std::string& error);
    bool Compress(const uint8_t* pixels, size_t stride, const PixelRect& area, PngBytes& out,
                  std::string& error) const;
    bool Write(const PngBytes& bytes, std::string& error);

    wxOutputStream* m_out = nullptr;
    AnimationEncoding m_encoding;
    int m_level = 6;
    int m_bpp = 3;
    int m_added = 0;
    uint32_t m_sequence = 0;  // fcTL and fdAT chunks share one count
    // The frame written last and the one being written, m_bpp bytes a pixel.
    std::vector<uint8_t> m_previous;
    std::vector<uint8_t> m_current;
    // The rectangle's compressed data, and the other candidate's when two are tried.
    PngBytes m_data;
    PngBytes m_alternative;
};
