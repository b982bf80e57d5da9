#include "core/export/sample_runs.h"

std::vector<FrameRun> SampleRuns(int count, bool optimised)
{
    std::vector<FrameRun> runs;
    if (count <= kEstimateExactFrames)
        return runs;
    const int length = optimised ? 8 : 1;
    const int n = optimised ? 4 : 16;
    const int span = count - length;
    for (int r = 0; r < n; ++r) {
        const int start = static_cast<int>(static_cast<long long>(span) * r / (n - 1));
        runs.push_back(FrameRun{start, length});
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
