// The arithmetic of taking frames from a video: moments, delays, times as typed, sizes and
// the names video frames get in project files.
#include <gtest/gtest.h>

#include <numeric>

#include "core/video/video_extent.h"
#include "core/video/video_geometry.h"
#include "core/video/video_reference.h"
#include "core/video/video_timing.h"

TEST(VideoTiming, FrameCountTakesTheMomentsBeforeTheEndOfTheStretchOrTheVideo)
{
    EXPECT_EQ(VideoFrameCount({0, 10, 10}, 60), 100);   // a whole span: the end itself is out
    EXPECT_EQ(VideoFrameCount({2, 4, 12}, 60), 24);
    EXPECT_EQ(VideoFrameCount({0, 1, 15}, 60), 15);
    EXPECT_EQ(VideoFrameCount({0, 0.95, 10}, 60), 10);  // 0.9 is before 0.95
    EXPECT_EQ(VideoFrameCount({8, 20, 10}, 9.5), 15);   // the video ends first
    EXPECT_EQ(VideoFrameCount({10, 20, 10}, 9.5), 0);   // starts after the video
    EXPECT_EQ(VideoFrameCount({3, 3, 10}, 60), 0);
    EXPECT_EQ(VideoFrameCount({0, 5, 0}, 60), 0);
    EXPECT_EQ(VideoFrameCount({-1, 5, 10}, 60), 0);
    EXPECT_DOUBLE_EQ(VideoFrameTime({2, 4, 12}, 6), 2.5);
}

TEST(VideoTiming, DelaysAddUpToTheStretchWithoutDrift)
{
    const std::vector<int> fifteen = VideoFrameDelays(6, 15);
    EXPECT_EQ(fifteen, (std::vector<int>{7, 7, 6, 7, 7, 6}));
    EXPECT_EQ(VideoFrameDelays(4, 10), (std::vector<int>{10, 10, 10, 10}));
    for (double fps : {7.0, 12.0, 24.0, 29.97, 50.0}) {
        const int count = 600;
        const std::vector<int> delays = VideoFrameDelays(count, fps);
        const int total = std::accumulate(delays.begin(), delays.end(), 0);
        EXPECT_NEAR(total, count * 100.0 / fps, 1.0) << fps;
    }
    EXPECT_TRUE(VideoFrameDelays(0, 10).empty());
}

TEST(VideoTiming, TimesAreSecondsOrClockTimesWhateverTheLocale)
{
    EXPECT_DOUBLE_EQ(*ParseClipTime("2.5"), 2.5);
    EXPECT_DOUBLE_EQ(*ParseClipTime("90"), 90);
    EXPECT_DOUBLE_EQ(*ParseClipTime("1:02.5"), 62.5);
    EXPECT_DOUBLE_EQ(*ParseClipTime("01:00:03"), 3603);
    EXPECT_DOUBLE_EQ(*ParseClipTime("0:00.250"), 0.25);
    for (double t : {0.0, 3.0, 12.5, 0.067, 3603.25})
        EXPECT_DOUBLE_EQ(*ParseClipTime(FormatClipTime(t)), t);
    EXPECT_EQ(FormatClipTime(12.5), "12.5");
    EXPECT_EQ(FormatClipTime(0.0669), "0.067");
    for (const char* bad : {"", "-1", "2,5", "1:2", "1:60", "1:02:03:04", "abc", "1e3", " 2",
                            ":30", "1:", "2.5.1"})
        EXPECT_FALSE(ParseClipTime(bad).has_value()) << bad;
}

TEST(VideoGeometry, DisplaySizeAppliesPixelAspectAndRotation)
{
    EXPECT_EQ(VideoDisplaySize(1920, 1080, 1, 1, 0), wxSize(1920, 1080));
    EXPECT_EQ(VideoDisplaySize(1920, 1080, 0, 0, 0), wxSize(1920, 1080));
    EXPECT_EQ(VideoDisplaySize(1440, 1080, 4, 3, 0), wxSize(1920, 1080));
    EXPECT_EQ(VideoDisplaySize(1920, 1080, 1, 1, 90), wxSize(1080, 1920));
    EXPECT_EQ(VideoDisplaySize(1920, 1080, 1, 1, 270), wxSize(1080, 1920));
    EXPECT_EQ(VideoDisplaySize(1920, 1080, 1, 1, 180), wxSize(1920, 1080));
    EXPECT_EQ(VideoFrameSize(wxSize(1920, 1080), 640), wxSize(640, 360));
    EXPECT_EQ(VideoFrameSize(wxSize(1080, 1920), 480), wxSize(480, 853));
    EXPECT_EQ(VideoFrameSize(wxSize(1000, 1), 10), wxSize(10, 1));
    EXPECT_EQ(DefaultVideoWidth(wxSize(1920, 1080)), 640);
    EXPECT_EQ(DefaultVideoWidth(wxSize(320, 240)), 320);
    EXPECT_EQ(ClockwiseQuarterTurns(90), 3);   // the matrix turns counter-clockwise
    EXPECT_EQ(ClockwiseQuarterTurns(-90), 1);
    EXPECT_EQ(ClockwiseQuarterTurns(180), 2);
    EXPECT_EQ(ClockwiseQuarterTurns(0), 0);
}

TEST(VideoGeometry, NoWidthOnOfferMakesAFrameBeyondThePictureLimit)
{
    const struct {
        wxSize display;
        int largest;
    } cases[] = {
        {{320, 240}, 320},        // the clip's own width, no larger
        {{20000, 10000}, 16384},  // the width itself is held
        {{120, 160}, 120},
        {{100, 20000}, 81},       // a tall clip: the height is held, 82 would give 16400
        {{16384, 16384}, 16384},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LargestVideoWidth(c.display), c.largest) << c.display.x << "x" << c.display.y;
        const wxSize frame = VideoFrameSize(c.display, c.largest);
        EXPECT_LE(std::max(frame.x, frame.y), 16384);
        EXPECT_LE(DefaultVideoWidth(c.display), c.largest);
    }
}

TEST(VideoExtent, LengthIsWhereThePicturesEndWhenTheFileStatesNoneOrIsCutShort)
{
    const struct {
        double stated;
        PacketEnds ends;
        double rate;
        double length;
        bool cut;
    } cases[] = {
        {10, {10, 10, 300}, 30, 10, false},      // whole
        {10, {9.9, 10, 297}, 30, 10, false},     // within the tolerance: as stated
        {10, {4.8, 4.8, 144}, 30, 4.8, true},    // cut short
        {10, {9, 10, 270}, 30, 9, false},        // the sound runs on: pictures end first
        {0, {7.5, 7.5, 225}, 30, 7.5, false},    // no length stated
        {0, {0, 0, 90}, 30, 3, false},           // packets without times, counted at the rate
        {0, {0, 0, 0}, 0, 0, false},             // nothing known
        {10, {0, 0, 0}, 30, 10, false},          // nothing read: the statement stands
    };
    for (const auto& c : cases) {
        const VideoLength judged = JudgeVideoLength(c.stated, c.ends, c.rate);
        EXPECT_DOUBLE_EQ(judged.length, c.length) << c.stated << " " << c.ends.video;
        EXPECT_EQ(!judged.damage.empty(), c.cut) << judged.damage;
    }
    EXPECT_EQ(JudgeVideoLength(10, {4.8, 4.8, 144}, 30).damage,
              "the file ends after 4.80 of the 10.00 seconds it states");
}

TEST(VideoReference, NamesRoundTripAndOtherPathsAreNoVideoFrames)
{
    const VideoFrameReference frame{"/home/u/My #1 clip.mp4", 12500, 640};
    EXPECT_EQ(FormatVideoReference(frame), "/home/u/My #1 clip.mp4#t=12.500&w=640");
    const auto back = ParseVideoReference(FormatVideoReference(frame));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->video, frame.video);
    EXPECT_EQ(back->millis, 12500);
    EXPECT_EQ(back->width, 640);
    EXPECT_EQ(ParseVideoReference("c.mp4#t=0.040&w=1")->millis, 40);
    EXPECT_EQ(FrameTitle(FormatVideoReference(frame)), "My #1 clip.mp4 12.500s");
    EXPECT_EQ(FrameTitle("/a/pic #2.png"), "pic #2.png");
    for (const char* other : {"/a/pic #2.png", "clip.mp4", "c.mp4#t=12.5&w=640",
                              "c.mp4#t=12,500&w=640", "c.mp4#t=12.500&w=0", "c.mp4#t=12.500",
                              "#t=1.000&w=5", "c.mp4#t=-1.000&w=5", "c.mp4#t=1.000&w=640x"})
        EXPECT_FALSE(ParseVideoReference(other).has_value()) << other;
}
