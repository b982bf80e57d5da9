#include "core/video/video_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/picture/picture_limit.h"
#include "core/gif/gif_limits.h"

namespace {
constexpr int kDefaultWidth = 640;

int Held(double value)
{
    return static_cast<int>(std::clamp(std::lround(value), 1L, static_cast<long>(kGifMaxSide)));
}
} // namespace

wxSize VideoDisplaySize(int codedWidth, int codedHeight, int aspectNum, int aspectDen,
                        int rotation)
{
    double width = codedWidth;
    if (aspectNum > 0 && aspectDen > 0)
        width = codedWidth * static_cast<double>(aspectNum) / aspectDen;
    const wxSize upright(Held(width), Held(codedHeight));
    const int turns = ((rotation / 90) % 4 + 4) % 4;
    return turns % 2 ? wxSize(upright.y, upright.x) : upright;
}

wxSize VideoFrameSize(const wxSize& display, int width)
{
    const int w = Held(width);
    if (display.x <= 0 || display.y <= 0)
        return wxSize(w, w);
    return wxSize(w, Held(static_cast<double>(w) * display.y / display.x));
}

int LargestVideoWidth(const wxSize& display)
{
    int width = std::clamp(display.x, 1, kMaxPictureSide);
    if (display.y > kMaxPictureSide && display.x > 0)
        width = std::clamp(static_cast<int>(static_cast<int64_t>(kMaxPictureSide) * display.x /
                                            display.y),
                           1, width);
    // The height is rounded: one pixel narrower may be needed to stay within the limit.
    while (width > 1 && VideoFrameSize(display, width).y > kMaxPictureSide)
        --width;
    return width;
}

int DefaultVideoWidth(const wxSize& display)
{
    return std::min(std::clamp(display.x, 1, kDefaultWidth), LargestVideoWidth(display));
}

int ClockwiseQuarterTurns(double counterClockwiseDegrees)
{
    if (!std::isfinite(counterClockwiseDegrees))
        return 0;
    const long quarters = std::lround(-counterClockwiseDegrees / 90.0);
    return static_cast<int>(((quarters % 4) + 4) % 4);
}
