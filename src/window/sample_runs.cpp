#include "src/window/sample_runs.h"

#include <algorithm>

namespace {

constexpr int kRunLength = 4;

} // namespace

std::vector<FrameRun> SampleRuns(int count)
{
    std::vector<FrameRun> runs;
    if (count <= kEstimateExactFrames)
        return runs;
    // One run per 30 frames keeps the estimate's share of the work falling as animations
    // grow, and between 4 and 8 runs it stays within a few percent on mixed content.
    const int n = std::clamp(count / 30, 4, 8);
    const int span = count - kRunLength;
    for (int r = 0; r < n; ++r) {
        const int start = static_cast<int>(static_cast<long long>(span) * r / (n - 1));
        runs.push_back(FrameRun{start, kRunLength});
    }
    return runs;
}

uint64_t ExtrapolateGifLength(uint64_t first, uint64_t sampledBytes, int sampled, int count)
{
    const uint64_t trailer = 1;
    if (sampled <= 0 || count <= 1)
        return first + trailer;
    const uint64_t others = static_cast<uint64_t>(count - 1);
    return first + (sampledBytes * others + static_cast<uint64_t>(sampled) / 2) /
                       static_cast<uint64_t>(sampled) + trailer;
}
