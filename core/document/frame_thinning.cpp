#include "core/document/frame_thinning.h"

#include <cstdint>

#include "core/gif/gif_limits.h"

ThinnedFrames MergeRuns(const std::vector<int>& delays, const FrameJoins& joins)
{
    ThinnedFrames thinned;
    for (size_t i = 0; i < delays.size(); ++i) {
        const bool joined = i > 0 && i < joins.size() && joins[i];
        if (joined && thinned.delays.back() + delays[i] <= kGifMaxDelay) {
            thinned.delays.back() += delays[i];
            continue;
        }
        thinned.kept.push_back(static_cast<int>(i));
        thinned.delays.push_back(delays[i]);
    }
    return thinned;
}

ThinnedFrames MergeAgain(const ThinnedFrames& thinned, const FrameJoins& joins)
{
    ThinnedFrames again = MergeRuns(thinned.delays, joins);
    for (int& position : again.kept)
        position = thinned.kept[position];
    return again;
}

double ToleranceShare(double percent)
{
    // A hair of slack keeps a tolerance typed as a decimal (0.1, not exact in binary) from
    // missing a share it names exactly.
    return percent / 100.0 * (1 + 1e-9);
}

FrameJoins DuplicateJoins(const std::vector<double>& shares, double tolerancePercent)
{
    const double most = ToleranceShare(tolerancePercent);
    FrameJoins joins(shares.size(), false);
    for (size_t i = 1; i < shares.size(); ++i)
        joins[i] = shares[i] <= most;
    return joins;
}

FrameJoins EveryNthJoins(int count, int n)
{
    FrameJoins joins(static_cast<size_t>(std::max(count, 0)), false);
    for (int i = 1; i < count; ++i)
        joins[i] = n > 1 && i % n != 0;
    return joins;
}

FrameJoins FrameRateJoins(const std::vector<int>& delays, int fps)
{
    FrameJoins joins(delays.size(), false);
    if (fps <= 0)
        return joins;
    // Slot s starts at s * 100 / fps hundredths; whole numbers throughout, so no rounding
    // drifts over a long animation.
    int64_t start = 0;
    int64_t nextSlot = 1;
    for (size_t i = 0; i < delays.size(); ++i) {
        if (i > 0 && start * fps < nextSlot * 100) {
            joins[i] = true;
        } else {
            nextSlot = start * fps / 100 + 1;
        }
        start += delays[i];
    }
    return joins;
}

DocumentCommand* ThinningStep(AnimationDocument& document, const StepName& name,
                              const ThinnedFrames& thinned)
{
    const int count = document.Count();
    std::vector<bool> stays(static_cast<size_t>(count), false);
    std::vector<int> merged;
    FrameList retimed;
    for (size_t k = 0; k < thinned.kept.size(); ++k) {
        const int at = thinned.kept[k];
        if (at < 0 || at >= count)
            continue;
        stays[at] = true;
        if (document.EffectiveDelay(at) != thinned.delays[k]) {
            merged.push_back(at);
            retimed.push_back(WithDelay(document.Frame(at), thinned.delays[k]));
        }
    }
    std::vector<int> gone;
    for (int i = 0; i < count; ++i)
        if (!stays[i])
            gone.push_back(i);
    if (gone.empty())
        return nullptr;
    // The delays first, at the positions they were planned for; then the others go.
    auto* step = new CombinedCommand(document, name);
    if (!merged.empty())
        step->Add(new ReplaceFramesCommand(document, StepName(), merged, retimed));
    step->Add(RemovalStep(document, StepName(), gone));
    return step;
}
