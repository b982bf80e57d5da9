#include <gtest/gtest.h>

#include <cmath>

#include "core/gif/gif_limits.h"
#include "core/record/capture_timing.h"

namespace {

int64_t Total(const std::vector<TimedFrame>& frames)
{
    int64_t total = 0;
    for (const TimedFrame& f : frames)
        total += f.delay;
    return total;
}

std::vector<int64_t> Regular(int count, double fps, int64_t offset = 0)
{
    std::vector<int64_t> moments;
    for (int i = 0; i < count; ++i)
        moments.push_back(offset + static_cast<int64_t>(i * 1e6 / fps));
    return moments;
}

} // namespace

TEST(CaptureTiming, DelaysAddUpToTheRecordedTime)
{
    struct Case {
        double fps;
        int frames;
        int64_t expectedTotal;  // hundredths
    };
    // 15 fps is 6.67 hundredths a frame: rounding each delay would give 7 x 150 = 1050.
    const Case cases[] = {{15, 150, 1000}, {30, 300, 1000}, {7, 70, 1000}, {1, 10, 1000}};
    for (const Case& c : cases) {
        const std::vector<TimedFrame> frames =
            TimeRecordedFrames(Regular(c.frames, c.fps), 10'000'000);
        EXPECT_EQ(Total(frames), c.expectedTotal) << c.fps;
        EXPECT_EQ(frames.size(), static_cast<size_t>(c.frames)) << c.fps;
        // Each frame within a hundredth of its nominal length.
        for (const TimedFrame& f : frames)
            EXPECT_LT(std::abs(f.delay - 100 / c.fps), 1.0) << c.fps;
    }
}

TEST(CaptureTiming, FramesTooCloseForAPlayerAreLeftOut)
{
    // At 60 fps a frame every 1.67 hundredths: every delay of 1 would play as 10.
    const std::vector<TimedFrame> frames = TimeRecordedFrames(Regular(600, 60), 10'000'000);
    EXPECT_EQ(Total(frames), 1000);
    EXPECT_GE(frames.size(), 380u);  // delays of 2 and 3: 40 a second
    for (const TimedFrame& f : frames)
        EXPECT_GE(f.delay, kMinRecordedDelay);
    // Each picture kept keeps its place in time.
    for (size_t i = 1; i < frames.size(); ++i)
        EXPECT_GT(frames[i].picture, frames[i - 1].picture);
}

TEST(CaptureTiming, LongStillsAndShortEndsStayWritable)
{
    // A screen still for twenty minutes: 120,000 hundredths, past one GIF delay.
    const std::vector<TimedFrame> still = TimeRecordedFrames({0}, 1'200'000'000);
    ASSERT_EQ(still.size(), 2u);
    EXPECT_EQ(still[0].delay, kGifMaxDelay);
    EXPECT_EQ(still[1].picture, 0);
    EXPECT_EQ(Total(still), 120'000);
    // Stopped right after the last picture was taken.
    const std::vector<TimedFrame> cut = TimeRecordedFrames({0, 100'000}, 100'000);
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[1].delay, kMinRecordedDelay);
    EXPECT_TRUE(TimeRecordedFrames({}, 1000).empty());
    // The first picture arrived late: it stands for the screen from the start.
    const std::vector<TimedFrame> late = TimeRecordedFrames({40'000, 100'000}, 200'000);
    ASSERT_EQ(late.size(), 2u);
    EXPECT_EQ(late[0].delay, 10);
    EXPECT_EQ(late[1].delay, 10);
}
