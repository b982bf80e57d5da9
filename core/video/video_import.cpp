#include "core/video/video_import.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/video/video_geometry.h"
#include "core/video/video_reference.h"

namespace {
double KnownLength(const VideoInfo& info)
{
    return info.length > 0 ? info.length : std::numeric_limits<double>::infinity();
}
} // namespace

VideoImportPlan PlanVideoImport(const VideoInfo& info, const VideoSampling& sampling, int width)
{
    VideoImportPlan plan;
    plan.frames = VideoFrameCount(sampling, KnownLength(info));
    plan.frameSize = VideoFrameSize(info.display, width);
    plan.bytes = static_cast<uint64_t>(plan.frames) * static_cast<uint64_t>(plan.frameSize.x) *
                 static_cast<uint64_t>(plan.frameSize.y) * 4;
    return plan;
}

int HighestVideoRate(const VideoInfo& info)
{
    if (!(info.frameRate > 0))
        return 30;
    return static_cast<int>(std::clamp(std::lround(info.frameRate), 1L, 60L));
}

int DefaultVideoRate(const VideoInfo& info)
{
    return std::min(10, HighestVideoRate(info));
}

VideoImportFrames VideoImportEntries(const wxString& video, const VideoInfo& info,
                                     const VideoSampling& sampling, int width)
{
    VideoImportFrames out;
    const int count = VideoFrameCount(sampling, KnownLength(info));
    const int frameWidth = VideoFrameSize(info.display, width).x;
    for (int k = 0; k < count; ++k)
        out.entries.Add(FormatVideoReference({video, VideoFrameMillis(sampling, k), frameWidth}));
    out.delays = VideoFrameDelays(count, sampling.fps);
    return out;
}
