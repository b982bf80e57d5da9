// Fewer frames for the same time: runs merged with their delays summed, which frames join
// for duplicates, every n-th frame and a frame rate, and the step that undoes exactly.
#include <gtest/gtest.h>

#include <numeric>

#include "core/document/edit_history.h"
#include "core/document/frame_thinning.h"
#include "core/gif/gif_limits.h"
#include "core/picture/picture_differences.h"

namespace {
using Ints = std::vector<int>;

long Sum(const Ints& delays)
{
    return std::accumulate(delays.begin(), delays.end(), 0L);
}

FrameJoins Joins(const char* marks)
{
    FrameJoins joins;
    for (const char* c = marks; *c; ++c)
        joins.push_back(*c == '+');
    return joins;
}
}  // namespace

TEST(FrameThinning, RunsBecomeTheirFirstFrameWithTheTotalTimeKept)
{
    const int most = kGifMaxDelay;
    const struct {
        const char* name;
        Ints delays;
        const char* joins;  // '+': joins the frame before
        Ints kept, merged;
    } cases[] = {
        {"nothing joins", {10, 20, 30}, "...", {0, 1, 2}, {10, 20, 30}},
        {"a run in the middle", {10, 20, 30, 5}, ".++.", {0, 3}, {60, 5}},
        {"the first frame never joins", {10, 20}, "++", {0}, {30}},
        {"zero delays", {0, 0, 7}, ".++", {0}, {7}},
        {"a run stops short of the most a GIF holds", {most - 5, 5, 1, 3}, ".+++", {0, 2},
         {most, 4}},
        {"no frames", {}, "", {}, {}},
    };
    for (const auto& c : cases) {
        const ThinnedFrames thinned = MergeRuns(c.delays, Joins(c.joins));
        EXPECT_EQ(thinned.kept, c.kept) << c.name;
        EXPECT_EQ(thinned.delays, c.merged) << c.name;
        EXPECT_EQ(Sum(thinned.delays), Sum(c.delays)) << c.name;
    }
}

TEST(FrameThinning, DuplicatesEveryNthFrameAndAFrameRateChooseTheFramesThatGo)
{
    const std::vector<double> shares = {kNotAlike, 0, 0.001, 0.005, 0.0051, kNotAlike, 0};
    const struct {
        const char* name;
        FrameJoins joins;
        const char* expected;
    } cases[] = {
        {"equal pixels only", DuplicateJoins(shares, 0), ".+....+"},
        {"up to half a percent", DuplicateJoins(shares, 0.5), ".+++..+"},
        {"any share but never unlike pictures", DuplicateJoins(shares, 100), ".++++.+"},
        {"every 3rd of 7", EveryNthJoins(7, 3), ".++.++."},
        {"every 2nd of 1", EveryNthJoins(1, 2), "."},
        // 33 frames a second down to 10: slots of 10 hundredths, frames starting at
        // 0, 3, 6, 9, 12, 15, 18, 21, 24, 27, 30.
        {"10 of 33 a second", FrameRateJoins(Ints(11, 3), 10), ".+++.++.++."},
        // Slots of 3.33 hundredths: every frame of 4 hundredths starts in a slot of its own.
        {"slower than the rate asked", FrameRateJoins(Ints(5, 4), 30), "....."},
        // A long frame covers several slots; the next still needs a slot of its own.
        {"a long frame", FrameRateJoins({50, 1, 1, 10, 1}, 10), "..++."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.joins, Joins(c.expected)) << c.name;
}

TEST(FrameThinning, TheStepLeavesTheKeptFramesRetimedAndUndoesAndRedoesExactly)
{
    AnimationDocument doc;
    EditHistory history(doc);
    FrameList frames;
    for (int i = 0; i < 7; ++i)
        frames.push_back(MakeFrame(nullptr, wxString::Format("f%d.png", i),
                                   i == 4 ? 25 : kCommonDelay));
    doc.Insert(0, frames);
    Ints delays;
    for (int i = 0; i < doc.Count(); ++i)
        delays.push_back(doc.EffectiveDelay(i));

    const ThinnedFrames thinned = MergeRuns(delays, EveryNthJoins(doc.Count(), 3));
    ASSERT_EQ(thinned.kept, (Ints{0, 3, 6}));
    history.Submit(ThinningStep(doc, "Lower Frame Rate", thinned));
    ASSERT_EQ(doc.Count(), 3);
    Ints after;
    for (int i = 0; i < doc.Count(); ++i)
        after.push_back(doc.EffectiveDelay(i));
    EXPECT_EQ(after, (Ints{30, 45, 10})) << "the last frame alone keeps the common delay";
    EXPECT_EQ(doc.Frame(2), frames[6]);
    EXPECT_EQ(doc.Frame(1)->source, "f3.png");
    EXPECT_TRUE(history.GetUndoMenuLabel().Contains("Lower Frame Rate"));

    history.Undo();
    EXPECT_EQ(doc.Frames(), frames) << "every frame back as it was, own delays included";
    history.Redo();
    EXPECT_EQ(doc.Count(), 3);
    EXPECT_EQ(doc.Frame(1)->delay, 45);
    EXPECT_EQ(ThinningStep(doc, "Nothing", MergeRuns({10, 45, 10}, Joins("..."))), nullptr);
}
