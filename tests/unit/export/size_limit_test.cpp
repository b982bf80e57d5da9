// The size-limited export: its steps on plain sizes, and whole exports that fit only after
// reductions, that can't fit, that are stopped, with the progress the user sees.
#include <gtest/gtest.h>

#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filename.h>

#include "core/gif/gif_frame_reader.h"
#include "core/export/scaled_frame_source.h"
#include "core/export/size_limit.h"
#include "core/export/size_steps.h"
#include "support/temp_dir.h"
#include "support/test_images.h"
#include "support/gif_test_helpers.h"

using namespace giftest;

namespace {

TEST(SizeSteps, ColoursGoFirstByTheMeasuredRatio)
{
    const wxSize full(640, 480);
    const SizeStep start{100, full};
    const auto near = NextSizeStep(start, 1050, 1000, full);
    const auto far = NextSizeStep(start, 10000, 1000, full);
    ASSERT_TRUE(near && far);
    EXPECT_EQ(near->canvas, full);
    EXPECT_LT(near->quality, 100);
    EXPECT_GT(near->quality, 80);  // five percent too long costs little
    EXPECT_EQ(far->quality, kSizeLimitLowestQuality);
    EXPECT_EQ(far->canvas, full);
    EXPECT_FALSE(NextSizeStep(start, 1000, 1000, full));  // it fits: no next step
}

TEST(SizeSteps, ThenTheCanvasShrinksKeepingItsShapeDownToAFloor)
{
    const wxSize full(640, 480);
    SizeStep step{kSizeLimitLowestQuality, full};
    const auto slightly = NextSizeStep(step, 1010, 1000, full);
    ASSERT_TRUE(slightly);
    EXPECT_EQ(slightly->canvas, wxSize(576, 432));  // at least a tenth each way
    const auto much = NextSizeStep(step, 4000, 1000, full);
    ASSERT_TRUE(much);
    EXPECT_NEAR(much->canvas.x, 640 * std::sqrt(0.25 * 0.95), 1);
    EXPECT_EQ(much->canvas.x * 3, much->canvas.y * 4);
    // Far too long: the floor, a quarter each way, and after it nothing.
    const auto floor = NextSizeStep(step, 1000000, 1000, full);
    ASSERT_TRUE(floor);
    EXPECT_EQ(floor->canvas, wxSize(160, 120));
    EXPECT_FALSE(NextSizeStep(*floor, 1000000, 1000, full));
    EXPECT_EQ(SmallestCanvas(wxSize(40, 10)), wxSize(16, 10));
    EXPECT_EQ(ScaledCanvas(wxSize(3, 1000), 0.1), wxSize(1, 100));
}

TEST(SizeSteps, ATryCutShortIsProjectedWithItsWholeFirstFrameApart)
{
    // 60 frames: a first frame of 50000 bytes, then 10 of 1000 each when the try stopped.
    EXPECT_EQ(ProjectedLength(50000, 60000, 11, 60), 50000u + 59u * 1000u);
    EXPECT_EQ(ProjectedLength(50000, 50000, 1, 60), 50000u * 60u);  // nothing else to go by
    EXPECT_EQ(ProjectedLength(500, 9000, 60, 60), 9000u);           // finished: as measured
}

TEST(ScaledFrameSource, ScalesTheWholePictureRatherThanCroppingIt)
{
    QuietTrace quiet;
    // A 20 x 20 white frame sits in the middle of a 40 x 40 canvas.
    ImageListFrameSource inner({SolidImage(20, 20, 255, 255, 255)});
    ScaledFrameSource scaled(inner, wxSize(40, 40), wxSize(20, 20));
    wxImage frame;
    FrameError error;
    ASSERT_TRUE(scaled.Frame(0, frame, error));
    EXPECT_EQ(frame.GetSize(), wxSize(20, 20));
    EXPECT_EQ(frame.GetRed(10, 10), 255);  // the middle is white
    EXPECT_EQ(frame.GetRed(1, 1), 0);      // the border is still there, black
    EXPECT_EQ(frame.GetRed(3, 10), 0);
}

std::vector<wxImage> Photos()
{
    std::vector<wxImage> frames;
    for (int i = 0; i < 8; ++i)
        frames.push_back(PhotoLikeImage(96, 72, i));
    return frames;
}

FrameSourceFactory Factory(const std::vector<wxImage>& frames, int* passes = nullptr)
{
    return [frames, passes]() -> std::unique_ptr<FrameSource> {
        if (passes)
            ++*passes;
        std::vector<wxImage> copies;
        for (const wxImage& f : frames)
            copies.push_back(f.Copy());
        return std::make_unique<ImageListFrameSource>(std::move(copies));
    };
}

GifExportOptions Options(int threads = 1)
{
    GifExportOptions options;
    options.canvas = wxSize(96, 72);
    options.threads = threads;
    return options;
}

class RecordingSink : public ExportProgressSink {
public:
    void Progress(int percent) override { seen.push_back(percent); }
    bool StopRequested() override { return stopAfter >= 0 && int(seen.size()) >= stopAfter; }
    std::vector<int> seen;
    int stopAfter = -1;
};

uint64_t Length(const wxString& path)
{
    return wxFileName::GetSize(path).GetValue();
}

Bytes Contents(const wxString& path)
{
    wxFFile file(path, "rb");
    Bytes bytes(file.Length());
    file.Read(bytes.data(), bytes.size());
    return bytes;
}

size_t FilesIn(const TempDir& dir)
{
    wxArrayString files;
    return wxDir::GetAllFiles(dir.Path(), &files, "", wxDIR_FILES | wxDIR_HIDDEN);
}

TEST(SizeLimit, FitsAfterReductionsAndSaysWhat)
{
    QuietTrace quiet;
    TempDir dir;
    const wxString full = dir.File("full.gif"), limited = dir.File("limited.gif");
    ASSERT_TRUE(ExportGifWithinSize(Factory(Photos()), full, Options(), 0).ok);
    const uint64_t limit = Length(full) * 45 / 100;

    RecordingSink sink;
    SizeLimitReport report;
    int passes = 0;
    const GifExportResult result =
        ExportGifWithinSize(Factory(Photos(), &passes), limited, Options(), limit, &sink, &report);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_TRUE(report.fitted);
    EXPECT_GE(report.attempts, 2);
    EXPECT_EQ(report.attempts, passes);
    EXPECT_LE(report.attempts, 6);  // the steps follow the measured ratio
    EXPECT_TRUE(report.quality < 100 || report.canvas.x < 96);
    EXPECT_EQ(Length(limited), report.bytes);
    EXPECT_LE(report.bytes, limit);
    EXPECT_EQ(FilesIn(dir), 2u);  // no temporary file left from the tries

    GifFrameReader reader;
    ASSERT_TRUE(reader.Open(limited, nullptr));
    EXPECT_EQ(reader.Count(), 8u);
    EXPECT_EQ(reader.ScreenSize(), report.canvas);
    ASSERT_FALSE(sink.seen.empty());
    EXPECT_TRUE(std::is_sorted(sink.seen.begin(), sink.seen.end()));
    EXPECT_EQ(sink.seen.back(), 100);
    EXPECT_GE(sink.seen.front(), 0);
}

TEST(SizeLimit, SameBytesForAnyThreadCount)
{
    QuietTrace quiet;
    TempDir dir;
    const wxString one = dir.File("one.gif"), many = dir.File("many.gif");
    const uint64_t limit = 20000;
    ASSERT_TRUE(ExportGifWithinSize(Factory(Photos()), one, Options(1), limit).ok);
    ASSERT_TRUE(ExportGifWithinSize(Factory(Photos()), many, Options(3), limit).ok);
    EXPECT_EQ(Contents(one), Contents(many));
}

TEST(SizeLimit, NothingFitsNothingWritten)
{
    QuietTrace quiet;
    TempDir dir;
    const wxString target = dir.File("old.gif");
    {
        wxFFile old(target, "wb");
        old.Write(wxString("the old file"));
    }
    RecordingSink sink;
    SizeLimitReport report;
    const GifExportResult result =
        ExportGifWithinSize(Factory(Photos()), target, Options(), 300, &sink, &report);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failure.kind, ExportFailure::Kind::TooLarge);
    EXPECT_EQ(result.failure.limit, 300u);
    EXPECT_GT(result.failure.smallest, 300u);
    EXPECT_FALSE(report.fitted);
    EXPECT_EQ(report.canvas, SmallestCanvas(wxSize(96, 72)));
    EXPECT_EQ(Contents(target), Bytes({'t', 'h', 'e', ' ', 'o', 'l', 'd', ' ', 'f', 'i', 'l', 'e'}));
    EXPECT_EQ(FilesIn(dir), 1u);
    EXPECT_TRUE(std::is_sorted(sink.seen.begin(), sink.seen.end()));
    EXPECT_TRUE(sink.seen.empty() || sink.seen.back() < 100);
}

TEST(SizeLimit, StopEndsTheTriesBetweenFrames)
{
    QuietTrace quiet;
    TempDir dir;
    RecordingSink sink;
    sink.stopAfter = 3;
    const GifExportResult result =
        ExportGifWithinSize(Factory(Photos()), dir.File("x.gif"), Options(), 20000, &sink);
    EXPECT_EQ(result.failure.kind, ExportFailure::Kind::Stopped);
    EXPECT_EQ(sink.seen.size(), 3u);
    EXPECT_EQ(FilesIn(dir), 0u);
}

TEST(SizeLimit, UnreadableFramesFail)
{
    TempDir dir;
    const GifExportResult result = ExportGifWithinSize(
        [] { return std::unique_ptr<FrameSource>(); }, dir.File("x.gif"), Options(), 1000);
    EXPECT_EQ(result.failure.kind, ExportFailure::Kind::InputRead);
    EXPECT_EQ(FilesIn(dir), 0u);
}

} // namespace
