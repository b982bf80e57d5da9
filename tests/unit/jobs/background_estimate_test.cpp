#include <chrono>
#include <thread>

#include <gtest/gtest.h>
#include <wx/app.h>

#include "core/jobs/background_estimate.h"
#include "core/export/frame_source.h"
#include "core/export/size_estimate.h"
#include "core/picture/picture_store.h"
#include "support/pump_events.h"
#include "support/test_images.h"

namespace {
std::vector<PictureRef> Pictures(int count, int size)
{
    static const std::shared_ptr<PictureStore> store = PictureStore::Create();
    std::vector<PictureRef> pictures;
    for (int i = 0; i < count; ++i)
        pictures.push_back(Picture::FromImage(store, PhotoLikeImage(size, size, i)));
    return pictures;
}

GifExportOptions OptionsFor(int size)
{
    GifExportOptions options;
    options.canvas = wxSize(size, size);
    options.threads = 1;
    return options;
}

std::vector<wxImage> Copies(const std::vector<PictureRef>& pictures)
{
    std::vector<wxImage> copies;
    for (const auto& picture : pictures)
        copies.push_back(picture->ToImage());
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
    EXPECT_TRUE(SamePixels(pictures[0]->ToImage(), PhotoLikeImage(24, 24, 0)));
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

TEST(BackgroundEstimate, GoingWhileAWorkerRunsEndsItWithoutAReport)
{
    bool reported = false;
    {
        BackgroundEstimate estimate([&](std::optional<uint64_t>) { reported = true; });
        ASSERT_TRUE(estimate.Start(Pictures(4, 32), OptionsFor(32)));
        // No events are pumped: the worker is still encoding when this goes.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    wxAppConsole::GetInstance()->ProcessPendingEvents();
    EXPECT_FALSE(reported);
}
