#include <chrono>
#include <thread>

#include <gtest/gtest.h>
#include <wx/app.h>

#include "core/jobs/background_estimate.h"
#include "core/jobs/feed_passes.h"
#include "core/export/size_estimate.h"
#include "support/pump_events.h"
#include "support/test_images.h"

namespace {
std::vector<std::shared_ptr<const wxImage>> Pictures(int count, int size)
{
    std::vector<std::shared_ptr<const wxImage>> pictures;
    for (int i = 0; i < count; ++i)
        pictures.push_back(std::make_shared<const wxImage>(PhotoLikeImage(size, size, i)));
    return pictures;
}

GifExportOptions OptionsFor(int size)
{
    GifExportOptions options;
    options.canvas = wxSize(size, size);
    options.threads = 1;
    return options;
}

std::vector<wxImage> Copies(const std::vector<std::shared_ptr<const wxImage>>& pictures)
{
    std::vector<wxImage> copies;
    for (const auto& picture : pictures)
        copies.push_back(picture->Copy());
    return copies;
}
}

TEST(BackgroundEstimate, ReportsWhatTheEstimateOfTheSameFramesGivesAndLeavesThemUntouched)
{
    const auto pictures = Pictures(3, 24);
    const std::atomic<bool> never{false};
    ImageListFrameSource direct(Copies(pictures));
    const std::optional<uint64_t> expected = EstimateGifSize(direct, OptionsFor(24), never);
    ASSERT_TRUE(expected.has_value());

    std::vector<std::optional<uint64_t>> reports;
    BackgroundEstimate estimate([&](std::optional<uint64_t> bytes) { reports.push_back(bytes); });
    ASSERT_TRUE(estimate.Start(pictures, OptionsFor(24)));
    EXPECT_TRUE(estimate.Running());
    ASSERT_TRUE(PumpUntil([&] { return !reports.empty() && estimate.Workers() == 0; }));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], expected);
    EXPECT_TRUE(SamePixels(*pictures[0], PhotoLikeImage(24, 24, 0)));
    EXPECT_EQ(pictures[0].use_count(), 1) << "the estimate keeps no frame once it has reported";
}

TEST(BackgroundEstimate, OnlyTheLatestStartIsReportedAndEveryWorkerIsJoined)
{
    std::vector<std::optional<uint64_t>> reports;
    BackgroundEstimate estimate([&](std::optional<uint64_t> bytes) { reports.push_back(bytes); });
    ASSERT_TRUE(estimate.Start(Pictures(6, 64), OptionsFor(64)));
    ASSERT_TRUE(estimate.Start(Pictures(1, 8), OptionsFor(8)));
    ASSERT_TRUE(PumpUntil([&] { return estimate.Workers() == 0; }));
    ASSERT_EQ(reports.size(), 1u);
    ImageListFrameSource small(Copies(Pictures(1, 8)));
    const std::atomic<bool> never{false};
    EXPECT_EQ(reports[0], EstimateGifSize(small, OptionsFor(8), never));

    ASSERT_TRUE(estimate.Start(Pictures(2, 8), OptionsFor(8)));
    estimate.Abandon();
    EXPECT_FALSE(estimate.Running());
    ASSERT_TRUE(PumpUntil([&] { return estimate.Workers() == 0; }));
    EXPECT_EQ(reports.size(), 1u) << "an abandoned estimate is not reported";
}

TEST(BackgroundEstimate, GoingWhileAWorkerWaitsForAFrameEndsIt)
{
    bool reported = false;
    {
        BackgroundEstimate estimate([&](std::optional<uint64_t>) { reported = true; });
        ASSERT_TRUE(estimate.Start(Pictures(4, 32), OptionsFor(32)));
        // No events are pumped: the worker waits for its first frame when this goes.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    wxAppConsole::GetInstance()->ProcessPendingEvents();
    EXPECT_FALSE(reported);
}

TEST(FeedPasses, EachPassStartsAgainAndACancelEndsThisAndLaterPasses)
{
    FeedPasses* passes = nullptr;
    // The test thread is the GUI thread and the worker at once: the frame asked for is
    // delivered at once.
    FeedPasses feed(2, [&](int index) {
        passes->Deliver(index, SolidImage(2, 2, static_cast<unsigned char>(index * 50), 0, 0));
    });
    passes = &feed;
    for (int pass = 0; pass < 2; ++pass) {
        std::unique_ptr<FrameSource> source = feed.NextPass();
        ASSERT_TRUE(source);
        for (int i = 0; i < source->Count(); ++i) {
            wxImage frame;
            FrameError error;
            ASSERT_TRUE(source->Frame(i, frame, error));
            EXPECT_EQ(frame.GetRed(0, 0), i * 50);
        }
    }
    std::unique_ptr<FrameSource> last = feed.NextPass();
    feed.Cancel();
    wxImage frame;
    FrameError error;
    EXPECT_FALSE(last->Frame(0, frame, error));
    EXPECT_TRUE(error.stopped);
    EXPECT_EQ(feed.NextPass(), nullptr);
}
