#include "core/video/video_encoding_plan.h"

#include <algorithm>
#include <cmath>

namespace {

// Where quality (1..100) or effort (0..100) lies between from and to, rounded.
int Between(int value, int low, int high, int from, int to)
{
    const double share = double(std::clamp(value, low, high) - low) / (high - low);
    return static_cast<int>(std::lround(from + share * (to - from)));
}

} // namespace

int EvenLength(int length)
{
    return length + (length & 1);
}

int VideoFrameTicks(int delay)
{
    return std::max(delay, 1);
}

std::string DefaultVideoEncoder(VideoContainer container)
{
    return container == VideoContainer::Mp4 ? "libx264" : "libvpx-vp9";
}

std::string VideoCodecName(VideoContainer container)
{
    return container == VideoContainer::Mp4 ? "H.264" : "VP9";
}

std::string VideoContainerName(VideoContainer container)
{
    return container == VideoContainer::Mp4 ? "MP4" : "WebM";
}

int VideoRateFactor(VideoContainer container, int quality)
{
    return container == VideoContainer::Mp4 ? Between(quality, 1, 100, 35, 18)
                                            : Between(quality, 1, 100, 45, 24);
}

std::string X264Preset(int effort)
{
    static const char* const presets[] = {"ultrafast", "superfast", "veryfast",
                                          "faster",    "fast",      "medium",
                                          "slow",      "slower",    "veryslow"};
    if (effort < 0)
        return "medium";
    return presets[Between(effort, 0, 100, 0, 8)];
}

int Vp9CpuUsed(int effort)
{
    return effort < 0 ? 4 : Between(effort, 0, 100, 5, 0);
}
