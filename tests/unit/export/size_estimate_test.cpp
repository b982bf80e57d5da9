// The size estimate: which frames it samples, how it scales them up, and that on photo-like
// and screen-like animations it lands within 15 % of the file the export writes.
#include <gtest/gtest.h>

#include <wx/mstream.h>

#include "core/base/trace.h"
#include "core/export/sample_runs.h"
#include "core/export/size_estimate.h"
#include "support/test_images.h"
#include "support/gif_test_helpers.h"

using namespace giftest;

namespace {

TEST(SampleRuns, ShortAnimationsAreEncodedWhole)
{
    EXPECT_TRUE(SampleRuns(1, true).empty());
    EXPECT_TRUE(SampleRuns(kEstimateExactFrames, false).empty());
}

TEST(SampleRuns, RunsSpanTheAnimationInOrderWithoutOverlap)
{
    for (bool optimised : {false, true})
        for (int count : {kEstimateExactFrames + 1, 60, 299, 10000}) {
            const std::vector<FrameRun> runs = SampleRuns(count, optimised);
            ASSERT_EQ(runs.size(), optimised ? 4u : 16u) << count;
            EXPECT_EQ(runs.front().start, 0) << count;
            EXPECT_EQ(runs.back().start + runs.back().length, count) << count;
            for (const FrameRun& run : runs)
                EXPECT_EQ(run.length, optimised ? 8 : 1);
            for (size_t i = 1; i < runs.size(); ++i)
                EXPECT_LE(runs[i - 1].start + runs[i - 1].length, runs[i].start) << count;
        }
}

TEST(SampleRuns, ExtrapolationCountsEveryFrameAndTheTrailerOnce)
{
    // 1000 for the first frame, 30 frames averaging 100 stand for 59 others, 1 trailer byte.
    EXPECT_EQ(ExtrapolateGifLength(1000, 3000, 30, 60), 1000u + 5900u + 1u);
    EXPECT_EQ(ExtrapolateGifLength(1000, 0, 0, 1), 1001u);
    EXPECT_EQ(ExtrapolateGifLength(10, 10, 3, 4), 10u + 10u + 1u);  // rounded to nearest
}

// Photo-like: noise over gradients that drift from frame to frame.
std::vector<wxImage> PhotoFrames(int count)
{
    std::vector<wxImage> frames;
    for (int i = 0; i < count; ++i)
        frames.push_back(PhotoLikeImage(80, 60, i / 3));
    return frames;
}

// Screen-like: flat panels, and text boxes that move and change their lines.
std::vector<wxImage> ScreenFrames(int count)
{
    std::vector<wxImage> frames;
    for (int i = 0; i < count; ++i) {
        wxImage f = SolidImage(80, 60, 240, 240, 240);
        f.SetRGB(wxRect(0, 0, 80, 6), 30, 60, 150);
        f.SetRGB(wxRect(0, 6, 14, 54), 40, 44, 52);
        const int x = 16 + (i * 3) % 40, y = 10 + (i * 7) % 30;
        f.SetRGB(wxRect(x, y, 24, 16), 255, 255, 255);
        for (int line = 0; line < 3; ++line)
            for (int c = 0; c < 1 + (i + line) % 5; ++c)
                f.SetRGB(wxRect(x + 2 + 4 * c, y + 2 + 5 * line, 3, 3),
                         static_cast<unsigned char>(20 * c), 30, static_cast<unsigned char>(60 + 30 * line));
        frames.push_back(f);
    }
    return frames;
}

GifExportOptions Options(int quality, bool optimize)
{
    GifExportOptions options;
    options.canvas = wxSize(80, 60);
    options.quality = quality;
    options.optimize = optimize;
    options.threads = 1;
    return options;
}

uint64_t RealLength(const std::vector<wxImage>& frames, const GifExportOptions& options)
{
    ImageListFrameSource source(frames);
    wxMemoryOutputStream out;
    EXPECT_TRUE(WriteGifAnimation(source, out, options).ok);
    return out.GetLength();
}

TEST(SizeEstimate, WithinFifteenPercentOfTheFile)
{
    QuietTrace quiet;
    const std::atomic<bool> never{false};
    for (const auto& frames : {PhotoFrames(90), ScreenFrames(90)})
        for (bool optimize : {false, true})
            for (int quality : {100, 70, 40}) {
                const GifExportOptions options = Options(quality, optimize);
                ImageListFrameSource source(frames);
                const std::optional<uint64_t> estimate = EstimateGifSize(source, options, never);
                ASSERT_TRUE(estimate);
                const double real = static_cast<double>(RealLength(frames, options));
                EXPECT_NEAR(static_cast<double>(*estimate), real, real * 0.15)
                    << "optimize " << optimize << " quality " << quality;
            }
}

TEST(SizeEstimate, ShortAnimationsAreExact)
{
    QuietTrace quiet;
    const std::atomic<bool> never{false};
    const std::vector<wxImage> frames = ScreenFrames(10);
    ImageListFrameSource source(frames);
    EXPECT_EQ(EstimateGifSize(source, Options(80, true), never),
              RealLength(frames, Options(80, true)));
}

TEST(SizeEstimate, WritesNoneOfTheCompositionTraceThatASaveWrites)
{
    const bool wasOn = IsTraceEnabled();
    SetTraceEnabled(true);
    const std::atomic<bool> never{false};
    // Frames that fit and frames that are shrunk, plain and optimised.
    std::vector<wxImage> frames = ScreenFrames(3);
    frames.push_back(SolidImage(160, 60, 10, 20, 30));
    for (bool optimize : {false, true}) {
        ImageListFrameSource source(frames);
        testing::internal::CaptureStdout();
        const bool estimated = EstimateGifSize(source, Options(100, optimize), never).has_value();
        const std::string estimateTrace = testing::internal::GetCapturedStdout();
        testing::internal::CaptureStdout();
        RealLength(frames, Options(100, optimize));
        const std::string saveTrace = testing::internal::GetCapturedStdout();
        EXPECT_TRUE(estimated);
        EXPECT_EQ(estimateTrace, "") << "optimize " << optimize;
        EXPECT_NE(saveTrace.find("thumbnail-3\nimage\nm_bitmap\nRescale\n"), std::string::npos);
        EXPECT_NE(saveTrace.find("thumbnail-1\nthumbnail-2\nRescale\n"), std::string::npos);
    }
    SetTraceEnabled(wasOn);
}

// Sets the cancel flag when frame stopAt is asked for, and counts what was read.
class CancellingSource : public ImageListFrameSource {
public:
    CancellingSource(std::vector<wxImage> frames, std::atomic<bool>& cancel, int stopAt)
        : ImageListFrameSource(std::move(frames)), m_cancel(cancel), m_stopAt(stopAt)
    {
    }
    bool Frame(int index, wxImage& frame, FrameError& error) override
    {
        ++read;
        if (index == m_stopAt)
            m_cancel = true;
        return ImageListFrameSource::Frame(index, frame, error);
    }
    int read = 0;

private:
    std::atomic<bool>& m_cancel;
    int m_stopAt;
};

TEST(SizeEstimate, CancelEndsItBetweenFrames)
{
    QuietTrace quiet;
    for (int count : {10, 90}) {
        std::atomic<bool> cancel{false};
        CancellingSource source(ScreenFrames(count), cancel, 5);
        GifExportOptions options = Options(100, true);
        EXPECT_FALSE(EstimateGifSize(source, options, cancel)) << count;
        EXPECT_LE(source.read, 8) << count;
    }
}

} // namespace
