#include "core/record/capture_timing.h"

#include <algorithm>

#include "core/gif/gif_limits.h"

namespace {

// Microseconds to hundredths, to the nearest.
int64_t Hundredths(int64_t micros)
{
    return (micros + 5000) / 10000;
}

// Appends picture for span hundredths, in pieces a GIF can hold.
void AppendSpan(std::vector<TimedFrame>& frames, int picture, int64_t span)
{
    do {
        const int64_t piece = std::min<int64_t>(span, kGifMaxDelay);
        frames.push_back({picture, static_cast<int>(piece)});
        span -= piece;
    } while (span > 0);
}

} // namespace

std::vector<TimedFrame> TimeRecordedFrames(const std::vector<int64_t>& moments, int64_t end)
{
    std::vector<TimedFrame> frames;
    if (moments.empty())
        return frames;
    // Starts of the pictures kept, in hundredths; the first is shown from the recording's
    // start, however long the first picture took to arrive.
    std::vector<std::pair<int, int64_t>> starts;
    for (size_t i = 0; i < moments.size(); ++i) {
        const int64_t start = i == 0 ? 0 : Hundredths(moments[i]);
        if (starts.empty() || start - starts.back().second >= kMinRecordedDelay)
            starts.push_back({static_cast<int>(i), start});
    }
    const int64_t last = std::max(Hundredths(end), starts.back().second);
    for (size_t k = 0; k < starts.size(); ++k) {
        const int64_t next = k + 1 < starts.size() ? starts[k + 1].second : last;
        const int64_t span = std::max<int64_t>(next - starts[k].second, kMinRecordedDelay);
        AppendSpan(frames, starts[k].first, span);
    }
    return frames;
}
