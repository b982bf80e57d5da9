#include "core/formats/apng_frame_area.h"

#include <cstring>

namespace {

bool RowsDiffer(const uint8_t* before, const uint8_t* after, size_t rowBytes, int y)
{
    return std::memcmp(before + rowBytes * y, after + rowBytes * y, rowBytes) != 0;
}

bool PixelDiffers(const uint8_t* before, const uint8_t* after, size_t offset, int bpp)
{
    return std::memcmp(before + offset, after + offset, static_cast<size_t>(bpp)) != 0;
}

// The offset of pixel (x, y) in a picture width pixels of bpp bytes wide.
size_t At(int x, int y, int width, int bpp)
{
    return (static_cast<size_t>(y) * width + x) * bpp;
}

} // namespace

PixelRect ChangedArea(const uint8_t* before, const uint8_t* after, int width, int height,
                      int bpp)
{
    const size_t rowBytes = static_cast<size_t>(width) * bpp;
    int top = 0;
    while (top < height && !RowsDiffer(before, after, rowBytes, top))
        ++top;
    if (top == height)
        return PixelRect{};
    int bottom = height - 1;
    while (!RowsDiffer(before, after, rowBytes, bottom))
        --bottom;
    int left = width, right = -1;
    for (int y = top; y <= bottom; ++y) {
        for (int x = 0; x < left; ++x)
            if (PixelDiffers(before, after, At(x, y, width, bpp), bpp)) {
                left = x;
                break;
            }
        for (int x = width - 1; x > right; --x)
            if (PixelDiffers(before, after, At(x, y, width, bpp), bpp)) {
                right = x;
                break;
            }
    }
    return PixelRect{left, top, right - left + 1, bottom - top + 1};
}

bool ChangesOpaque(const uint8_t* before, const uint8_t* after, int width, const PixelRect& area)
{
    for (int y = area.y; y < area.y + area.height; ++y)
        for (int x = area.x; x < area.x + area.width; ++x) {
            const size_t offset = At(x, y, width, 4);
            if (after[offset + 3] != 255 && PixelDiffers(before, after, offset, 4))
                return false;
        }
    return true;
}

std::vector<uint8_t> ClearStillPixels(const uint8_t* before, const uint8_t* after, int width,
                                      const PixelRect& area)
{
    std::vector<uint8_t> out(static_cast<size_t>(area.width) * area.height * 4);
    uint8_t* to = out.data();
    for (int y = area.y; y < area.y + area.height; ++y)
        for (int x = area.x; x < area.x + area.width; ++x, to += 4) {
            const size_t offset = At(x, y, width, 4);
            if (PixelDiffers(before, after, offset, 4))
                std::memcpy(to, after + offset, 4);
        }
    return out;
}
