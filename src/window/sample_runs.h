// Which frames a size estimate encodes, and how it scales their lengths up to the whole file,
// as plain arithmetic.
#pragma once

#include <cstdint>
#include <vector>

// Consecutive frames encoded together: an optimised frame's length depends on the one
// before it, so a run's first frame only sets the scene for the others.
struct FrameRun {
    int start = 0;
    int length = 0;
};

// Animations up to this many frames are encoded whole: sampling would save little.
constexpr int kEstimateExactFrames = 24;

// The runs to encode for count frames: empty when count is small enough to encode whole;
// otherwise 4 to 8 runs (more for longer animations) of 4 frames, the first at frame 0, the
// last ending at the last frame, the others spread evenly between, in order, without overlap.
std::vector<FrameRun> SampleRuns(int count);

// The file length for count frames: first, the header and first frame as measured, plus the
// mean of the sampled frames (sampledBytes over sampled of them) for every other frame, plus
// the trailer.
uint64_t ExtrapolateGifLength(uint64_t first, uint64_t sampledBytes, int sampled, int count);
