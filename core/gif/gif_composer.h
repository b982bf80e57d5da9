// The picture a viewer shows after each image of a GIF: a canvas of the logical screen size,
// each image drawn at its offset, transparent indices letting the canvas show through, and
// the previous image's disposal applied before the next one is drawn. Plain data only.
#pragma once

#include <cstdint>
#include <vector>

#include <wx/image.h>

#include "core/gif/gif_geometry.h"
#include "core/gif/gif_graphic_control.h"
#include "core/colour/palette.h"

class GifComposer {
public:
    // A fully transparent canvas; the sides must be in 1..kMaxPictureSide.
    GifComposer(int width, int height);

    // Starts the next image: applies the disposal of the image before it, then remembers
    // the canvas under frame (clipped to the screen) when control asks to restore it later.
    void BeginImage(const GifRect& frame, const GifGraphicControl& control,
                    std::vector<GifRgb> colours);
    // Draws row (0 = the image's top row, in picture order) from width indices, one per
    // pixel of the image's row. Parts off the screen are dropped; the transparent index
    // leaves the canvas as it is; an index past the colour table draws opaque black.
    void DrawRow(int row, const uint8_t* indices);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // RGBA of the pixel at (x, y); a transparent pixel is 0, 0, 0, 0.
    const uint8_t* Pixel(int x, int y) const { return &m_rgba[(static_cast<size_t>(y) * m_width + x) * 4]; }
    // The canvas as an RGB image with black under transparent pixels and an alpha channel
    // (0 or 255) only when some pixel is transparent.
    wxImage ToImage() const;

private:
    void Dispose();

    int m_width;
    int m_height;
    std::vector<uint8_t> m_rgba;
    // The current image: its rectangle as stored and as clipped, and how it is drawn.
    GifRect m_frame;
    GifRect m_clipped;
    GifGraphicControl m_control;
    std::vector<GifRgb> m_colours;
    // The clipped rectangle's RGBA before the current image, kept only for Previous.
    std::vector<uint8_t> m_saved;
};
