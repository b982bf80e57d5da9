#include "core/gif/gif_geometry.h"

#include "core/picture/picture_limit.h"

#include <algorithm>
#include <cstdint>

GifRect ClipToScreen(const GifRect& frame, int screenWidth, int screenHeight)
{
    const int64_t x0 = std::max<int64_t>(0, frame.x);
    const int64_t y0 = std::max<int64_t>(0, frame.y);
    const int64_t x1 = std::min<int64_t>(screenWidth, int64_t{frame.x} + frame.width);
    const int64_t y1 = std::min<int64_t>(screenHeight, int64_t{frame.y} + frame.height);
    if (frame.width <= 0 || frame.height <= 0 || x0 >= x1 || y0 >= y1)
        return GifRect();
    return GifRect{static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0),
                   static_cast<int>(y1 - y0)};
}

int InterlacedRow(int stored, int height)
{
    if (stored < 0 || stored >= height)
        return -1;
    static const int kStart[] = {0, 4, 2, 1};
    static const int kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        // Rows kStart, kStart + kStep, ... below height.
        const int rows = kStart[pass] < height ? (height - 1 - kStart[pass]) / kStep[pass] + 1 : 0;
        if (stored < rows)
            return kStart[pass] + stored * kStep[pass];
        stored -= rows;
    }
    return -1;
}

bool CheckedPixelBytes(int width, int height, int channels, size_t* bytes)
{
    if (width < 0 || height < 0 || width > kMaxPictureSide || height > kMaxPictureSide ||
        channels < 1 || channels > 4)
        return false;
    *bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * static_cast<size_t>(channels);
    return true;
}
