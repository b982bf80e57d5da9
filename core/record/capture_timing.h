// The delays of a recording's frames, from the moments they were taken. Each frame lasts until
// the next one was taken (the last one until the recording ended); the moments are rounded to
// hundredths before they are subtracted, so the delays add up to the recording's length
// however many frames there are, instead of gathering each frame's rounding error.
#pragma once

#include <cstdint>
#include <vector>

// A frame of the recording as written: which picture, and for how long.
struct TimedFrame {
    int picture = 0;  // index into the moments given
    int delay = 0;    // hundredths of a second
};

// The shortest delay a frame is written with: players show a GIF frame of 0 or 1 hundredth for
// a tenth of a second, which would slow a fast recording down tenfold. A frame taken sooner
// than this after the one before is left out (the picture after it comes a moment later).
constexpr int kMinRecordedDelay = 2;

// The frames for pictures taken at moments (microseconds from the recording's start, rising)
// of a recording that ended at end. A picture held longer than a GIF's longest delay is
// written as several frames. The first picture is shown from the start (0); the delays add up
// to end rounded to hundredths (at least kMinRecordedDelay for the last frame).
std::vector<TimedFrame> TimeRecordedFrames(const std::vector<int64_t>& moments, int64_t end);
