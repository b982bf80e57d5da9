// Fewer frames for the same animation: runs of frames become their first frame, which plays
// for the whole run, so the total time stays as it was. Which frames join the one before them
// is decided by the pictures (duplicates), by position (every n-th frame kept) or by time (at
// most N frames a second); pure functions on plain numbers, and the undoable step that does it.
#pragma once

#include <vector>

#include "core/document/edit_commands.h"

// joins[i]: frame i plays as part of the frame before it. joins[0] is never taken.
using FrameJoins = std::vector<bool>;

// The frames that stay, ascending, each with the delay of its whole run.
struct ThinnedFrames {
    std::vector<int> kept;
    std::vector<int> delays;
    // How many frames go.
    int Gone(int count) const { return count - static_cast<int>(kept.size()); }
};

// Runs of joined frames, merged: each run's first frame with the sum of the run's delays. A
// run whose sum would pass kGifMaxDelay ends before that frame, which starts a new one.
ThinnedFrames MergeRuns(const std::vector<int>& delays, const FrameJoins& joins);

// thinned merged once more: joins among its frames, the kept positions those of the list
// thinned was made from.
ThinnedFrames MergeAgain(const ThinnedFrames& thinned, const FrameJoins& joins);

// The most share of differing pixels a tolerance of percent (0..100) lets repeat: the limit
// to count differing pixels up to.
double ToleranceShare(double percent);
// Frames that repeat the one before them: shares as ConsecutiveDifferences gives them,
// counted up to ToleranceShare(tolerancePercent) at the least, and the tolerance as a
// percentage of the pixels (0: the same pixels only).
FrameJoins DuplicateJoins(const std::vector<double>& shares, double tolerancePercent);
// Every n-th frame kept (n >= 2): frames k*n + 1 .. k*n + n - 1 join frame k*n.
FrameJoins EveryNthJoins(int count, int n);
// At most fps frames a second (1..100): a frame stays when its start time reaches the next
// slot of 100 / fps hundredths after the slot of the last frame kept.
FrameJoins FrameRateJoins(const std::vector<int>& delays, int fps);

// The step that leaves only the kept frames of the document, each merged one with its run's
// delay as a delay of its own; null when thinned keeps every frame.
DocumentCommand* ThinningStep(AnimationDocument& document, const StepName& name,
                              const ThinnedFrames& thinned);
