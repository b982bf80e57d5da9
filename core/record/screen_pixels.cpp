#include "core/record/screen_pixels.h"

#include <algorithm>

void BgrxToRgb(const uint8_t* bgrx, size_t stride, int width, int height, uint8_t* rgb)
{
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = bgrx + y * stride;
        uint8_t* out = rgb + static_cast<size_t>(y) * width * 3;
        for (int x = 0; x < width; ++x, in += 4, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
}

void DrawPointer(uint8_t* rgb, int pictureWidth, int pictureHeight, const uint32_t* argb,
                 int width, int height, int left, int top)
{
    const int x0 = std::max(0, -left), x1 = std::min(width, pictureWidth - left);
    const int y0 = std::max(0, -top), y1 = std::min(height, pictureHeight - top);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const uint32_t p = argb[static_cast<size_t>(y) * width + x];
            const uint32_t alpha = p >> 24;
            if (alpha == 0)
                continue;
            uint8_t* out = rgb + (static_cast<size_t>(top + y) * pictureWidth + left + x) * 3;
            const uint32_t source[3] = {(p >> 16) & 0xff, (p >> 8) & 0xff, p & 0xff};
            for (int c = 0; c < 3; ++c)  // premultiplied: source + destination * (1 - alpha)
                out[c] = static_cast<uint8_t>(
                    std::min<uint32_t>(255, source[c] + (out[c] * (255 - alpha) + 127) / 255));
        }
    }
}
