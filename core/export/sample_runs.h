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
constexpr int kEstimateExactFrames = 40;

// The runs to encode for count frames: empty when count is small enough to encode whole.
// Otherwise, spread evenly, in order and without overlap, the first at frame 0 and the last
// ending at the last frame: for optimised files 4 runs of 8 frames (the first of each only
// sets the scene for the others: an optimised frame's length depends on what the frames
// before it left, and that takes some frames to settle), for others, whose frames don't
// depend on each other, 16 single frames, so that an animation that changes character along
// its length (a slide show of different photographs) is sampled all along.
std::vector<FrameRun> SampleRuns(int count, bool optimised);

// The file length for count frames: first, the header and first frame as measured, plus the
// mean of the sampled frames (sampledBytes over sampled of them) for every other frame, plus
// the trailer.
uint64_t ExtrapolateGifLength(uint64_t first, uint64_t sampledBytes, int sampled, int count);
