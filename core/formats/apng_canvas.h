// The picture an animated PNG shows after each frame: a canvas that starts fully clear, each
// frame drawn on it by its blend op, and the frame before it disposed of first. Plain data.
#pragma once

#include <cstdint>
#include <vector>

#include <wx/image.h>

#include "core/formats/png_chunks.h"

class ApngCanvas {
public:
    // A clear canvas (0, 0, 0, 0 everywhere) of 1..kMaxPictureSide a side.
    ApngCanvas(int width, int height);

    // Draws the next frame, rgba rows of control's size, at control's place, which must lie on
    // the canvas. The frame before it is disposed of first, and what lies under this one is
    // kept when it is to be restored (the first frame's Previous means Background).
    void Draw(const ApngFrameControl& control, const uint8_t* rgba);

    // RGBA of the pixel at (x, y).
    const uint8_t* Pixel(int x, int y) const
    {
        return &m_rgba[(static_cast<size_t>(y) * m_width + x) * 4];
    }
    // The canvas as an RGB image, with an alpha channel only when some pixel is not opaque.
    wxImage ToImage() const;

private:
    void Dispose();

    int m_width;
    int m_height;
    std::vector<uint8_t> m_rgba;
    bool m_drawn = false;
    ApngFrameControl m_last;      // the frame drawn last
    std::vector<uint8_t> m_under; // its rectangle before it, kept for Previous
};

// src drawn over dst, both RGBA without premultiplied alpha, as the APNG Over op does:
// src's alpha says how much of it covers dst.
void BlendOver(const uint8_t* src, uint8_t* dst);
