#include <gtest/gtest.h>
#include <wx/ffile.h>

#include "core/input/entry_decoder.h"
#include "core/jobs/image_load_thread.h"
#include "support/temp_dir.h"
#include "support/test_images.h"
#include "support/gif_bytes_builder.h"
#include "support/video_clips.h"
#include "core/video/video_reference.h"

namespace {
struct Report {
    wxString path;
    int frame;
    int delay;
    int percent;
    wxSize size;
    int red;
};

class RecordingSink : public LoadSink {
public:
    void Loaded(const wxString& path, int frame, int delay, int percent,
                std::unique_ptr<wxImage> image) override
    {
        ASSERT_TRUE(image && image->IsOk());
        reports.push_back({path, frame, delay, percent, image->GetSize(), image->GetRed(0, 0)});
    }
    void Finished() override { ++finished; }
    void NoFrame(const wxString& entry, const wxString& reason, int percent) override
    {
        noFrames.push_back({entry, reason, percent});
    }
    void Damaged(const wxString& path, const wxString& damage, int percent) override
    {
        damaged.push_back({path, damage, percent, reports.size()});
    }

    std::vector<int> Percents() const
    {
        std::vector<int> out;
        for (const Report& r : reports)
            out.push_back(r.percent);
        return out;
    }

    struct NoFrameReport {
        wxString entry;
        wxString reason;
        int percent;
    };

    struct DamageReport {
        wxString path;
        wxString damage;
        int percent;
        size_t framesBefore;  // how many frames of the batch had come before it
    };

    std::vector<Report> reports;
    std::vector<NoFrameReport> noFrames;
    std::vector<DamageReport> damaged;
    int finished = 0;
};

const auto kNeverStop = [] { return false; };

wxString Png(const TempDir& dir, const char* name, int w = 8, int h = 6)
{
    const wxString path = dir.File(name);
    EXPECT_TRUE(WriteImage(SolidImage(w, h, 200, 10, 10), path, wxBITMAP_TYPE_PNG));
    return path;
}

wxString Gif(const TempDir& dir, const char* name, int frames)
{
    std::vector<wxImage> images;
    for (int i = 0; i < frames; ++i)
        images.push_back(SolidImage(10, 5, static_cast<unsigned char>(40 * i), 0, 0));
    const wxString path = dir.File(name);
    EXPECT_TRUE(WriteAnimatedGif(path, images.data(), frames));
    return path;
}

void Truncate(const wxString& path, size_t keep)
{
    wxFFile in(path, "rb");
    std::vector<char> bytes(in.Length());
    in.Read(bytes.data(), bytes.size());
    in.Close();
    wxFFile out(path, "wb");
    out.Write(bytes.data(), std::min(keep, bytes.size()));
}

size_t FileSize(const wxString& path)
{
    return static_cast<size_t>(wxFFile(path, "rb").Length());
}
}

TEST(ImageLoader, PlainPicturesReportTheirShareOfTheBatch)
{
    TempDir dir;
    wxArrayString list;
    for (const char* name : {"a.png", "b.png", "c.png", "d.png"})
        list.Add(Png(dir, name));
    RecordingSink sink;
    LoadImageBatch(list, sink, kNeverStop);
    EXPECT_EQ(sink.Percents(), (std::vector<int>{25, 50, 75, 100}));
    EXPECT_EQ(sink.finished, 0);
    EXPECT_EQ(sink.reports[2].path, list[2]);
}

TEST(ImageLoader, WholeGifFramesReportProgressFrameByFrame)
{
    TempDir dir;
    wxArrayString one;
    one.Add(Gif(dir, "five.gif", 5));
    RecordingSink sink;
    LoadImageBatch(one, sink, kNeverStop);
    EXPECT_EQ(sink.Percents(), (std::vector<int>{20, 40, 60, 80, 100}));
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(sink.reports[i].frame, i);
        EXPECT_NEAR(sink.reports[i].red, 40 * i, 8);  // the toolkit quantiser shifts colours a little
    }

    wxArrayString two;
    two.Add(Gif(dir, "three.gif", 3));
    two.Add(Png(dir, "p.png"));
    RecordingSink sink2;
    LoadImageBatch(two, sink2, kNeverStop);
    EXPECT_EQ(sink2.Percents(), (std::vector<int>{16, 33, 50, 100}));
}

TEST(ImageLoader, BatchPercentReachesOneHundredOnlyWithTheLastFrame)
{
    EXPECT_EQ(BatchPercent(0, 1, 1, 1), 100);
    EXPECT_EQ(BatchPercent(0, 2, 3, 3), 50);
    EXPECT_EQ(BatchPercent(1, 2, 1, 300), 50);
    EXPECT_EQ(BatchPercent(1, 2, 299, 300), 99) << "not the end yet";
    EXPECT_EQ(BatchPercent(1, 2, 300, 300), 100);
    EXPECT_EQ(BatchPercent(99999, 100000, 19999, 20000), 99);
}

TEST(ImageLoader, ARunOfFramesOfOneGifDecodesTheFileOnce)
{
    TempDir dir;
    const wxString gif = Gif(dir, "run.gif", 4);
    EntryDecoder decoder;
    std::vector<int> frames;
    const auto take = [&](std::unique_ptr<wxImage>, int frame, int, unsigned, unsigned) {
        frames.push_back(frame);
    };
    decoder.Decode(gif, 0, kNeverStop, take);
    // The file stays open from the first frame on: removing it doesn't stop the run.
    ASSERT_TRUE(wxRemoveFile(gif));
    WriteImage(SolidImage(2, 2, 0, 0, 0), gif, wxBITMAP_TYPE_PNG);
    for (int frame : {1, 2, 3})
        decoder.Decode(gif, frame, kNeverStop, take);
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 3}));
}

TEST(ImageLoader, FrameReferenceLoadsOnlyThatFrame)
{
    TempDir dir;
    const wxString gif = Gif(dir, "anim.gif", 4);
    wxArrayString list;
    list.Add(gif + "_2");
    RecordingSink sink;
    LoadImageBatch(list, sink, kNeverStop);
    ASSERT_EQ(sink.reports.size(), 1u);
    EXPECT_EQ(sink.reports[0].frame, 2);
    EXPECT_EQ(sink.reports[0].path, gif);
    EXPECT_EQ(sink.reports[0].percent, 100);
    EXPECT_NEAR(sink.reports[0].red, 80, 8);
}

TEST(ImageLoader, CapitalGifLoadsEveryFrameAndItsFrameReferences)
{
    TempDir dir;
    const wxString gif = Gif(dir, "ANIM.GIF", 3);
    wxArrayString list;
    list.Add(gif);
    list.Add(gif + "_1");
    RecordingSink sink;
    LoadImageBatch(list, sink, kNeverStop);
    ASSERT_EQ(sink.reports.size(), 4u);
    EXPECT_EQ(sink.reports[2].frame, 2);
    EXPECT_EQ(sink.reports[3].frame, 1);
    EXPECT_EQ(sink.reports[3].path, gif);
}

TEST(ImageLoader, UnreadableEntriesAreReportedWithTheirReasonAndTheBatchStillEnds)
{
    TempDir dir;
    const wxString corruptGif = dir.File("corrupt.gif");
    {
        wxFFile f(corruptGif, "wb");
        f.Write("GIF89a garbage", 14);
    }
    const wxString truncatedPng = Png(dir, "cut.png", 64, 64);
    Truncate(truncatedPng, 40);
    wxArrayString list;
    list.Add(Png(dir, "ok.png"));
    list.Add(dir.File("missing.png"));
    list.Add(Gif(dir, "frames.gif", 2) + "_9");
    list.Add(corruptGif);
    list.Add(truncatedPng);
    RecordingSink sink;
    LoadImageBatch(list, sink, kNeverStop);
    ASSERT_EQ(sink.reports.size(), 1u);
    EXPECT_EQ(sink.reports[0].percent, 20);
    ASSERT_EQ(sink.noFrames.size(), 4u);
    EXPECT_EQ(sink.noFrames[0].entry, list[1]);
    EXPECT_EQ(sink.noFrames[0].reason, "No such file or directory");
    EXPECT_EQ(sink.noFrames[1].entry, list[2]) << "the entry as given, frame reference included";
    EXPECT_EQ(sink.noFrames[1].reason, "it has no frame 10");
    for (const auto& report : sink.noFrames)
        EXPECT_FALSE(report.reason.empty()) << report.entry;
    EXPECT_EQ(sink.noFrames.back().percent, 100) << "the last entry's report ends the batch";
    EXPECT_EQ(sink.finished, 0);
}

TEST(ImageLoader, PicturesBeyondTheSizeLimitAreRefusedBeforeDecoding)
{
    TempDir dir;
    // A PNG whose header claims 20000 x 10 pixels: refused from the header alone.
    const wxString wide = Png(dir, "wide.png", 8, 6);
    {
        wxFFile f(wide, "r+b");
        const unsigned char width[4] = {0, 0, 0x4e, 0x20};
        f.Seek(16);
        f.Write(width, 4);
    }
    wxArrayString list;
    list.Add(wide);
    RecordingSink sink;
    LoadImageBatch(list, sink, kNeverStop);
    EXPECT_TRUE(sink.reports.empty());
    ASSERT_EQ(sink.noFrames.size(), 1u);
    EXPECT_NE(sink.noFrames[0].reason.Find("too large: 20000"), wxNOT_FOUND)
        << sink.noFrames[0].reason;
}

TEST(ImageLoader, EmptyListSendsNothingAndAStoppedBatchStillEnds)
{
    RecordingSink sink;
    LoadImageBatch(wxArrayString(), sink, kNeverStop);
    EXPECT_TRUE(sink.reports.empty());
    EXPECT_EQ(sink.finished, 0);

    TempDir dir;
    wxArrayString list;
    list.Add(Png(dir, "a.png"));
    list.Add(Png(dir, "b.png"));
    int calls = 0;
    LoadImageBatch(list, sink, [&] { return ++calls > 1; });
    EXPECT_EQ(sink.reports.size(), 1u);
    EXPECT_EQ(sink.finished, 1) << "a stopped load must still tell the window it ended";
}

TEST(ImageLoader, ADamagedFileLoadsWhatCanBeReadAndIsReportedBeforeItsLastFrame)
{
    TempDir dir;
    const wxString whole = dir.File("whole.jpg");
    ASSERT_TRUE(WriteImage(PhotoLikeImage(64, 48, 1), whole, wxBITMAP_TYPE_JPEG));
    const wxString cutJpeg = dir.File("cut.jpg");
    ASSERT_TRUE(WriteImage(PhotoLikeImage(64, 48, 2), cutJpeg, wxBITMAP_TYPE_JPEG));
    Truncate(cutJpeg, FileSize(cutJpeg) * 2 / 3);
    // Cut inside the last frame's data: two whole frames remain.
    const wxString cutGif = Gif(dir, "cut.gif", 3);
    Truncate(cutGif, FileSize(cutGif) - 4);
    wxArrayString list;
    list.Add(whole);
    list.Add(cutJpeg);
    list.Add(cutGif);
    list.Add(cutGif + "_1");
    RecordingSink sink;
    LoadImageBatch(list, sink, kNeverStop);

    ASSERT_EQ(sink.reports.size(), 5u);
    EXPECT_EQ(sink.reports[1].path, cutJpeg);
    EXPECT_EQ(sink.reports[1].size, wxSize(64, 48)) << "the decoder fills what is missing";
    EXPECT_TRUE(sink.noFrames.empty());
    ASSERT_EQ(sink.damaged.size(), 2u) << "a frame that is whole is not damaged by what follows";
    EXPECT_EQ(sink.damaged[0].path, cutJpeg);
    EXPECT_NE(sink.damaged[0].damage.Find("end-of-image marker"), wxNOT_FOUND)
        << sink.damaged[0].damage;
    EXPECT_EQ(sink.damaged[0].framesBefore, 1u) << "reported before its frame";
    EXPECT_EQ(sink.damaged[1].path, cutGif);
    EXPECT_FALSE(sink.damaged[1].damage.empty());
    EXPECT_EQ(sink.damaged[1].framesBefore, 2u) << "reported before the GIF's frames";
    for (const auto& report : sink.damaged)
        EXPECT_LT(report.percent, 100) << "100 ends the batch";
    EXPECT_EQ(sink.Percents().back(), 100);
}

TEST(ImageLoader, AGifFrameThatDoesNotDecodeAfterOthersMakesTheFileDamaged)
{
    using namespace giftest;
    const std::vector<uint8_t> colours{0, 0, 0, 255, 0, 0, 0, 200, 0, 10, 20, 250};
    std::vector<uint8_t> bytes = HandGif(4, 4, colours, {Filled(0, 0, 4, 4, 1, 0), Filled(0, 0, 4, 4, 2, 0),
                                                         Filled(0, 0, 4, 4, 3, 0)});
    // The last image's data is one sub-block of 10 bytes before the terminator and the
    // trailer. Its first byte becomes a clear code and the end code (3 bits each): the blocks
    // stay whole, but the pixels end after none of the 16 were given.
    bytes[bytes.size() - 12] = 4 | (5 << 3);
    TempDir dir;
    const wxString path = dir.File("late.gif");
    wxFFile(path, "wb").Write(bytes.data(), bytes.size());

    EntryDecoder decoder;
    std::vector<int> frames;
    std::vector<unsigned> damagedAfter;
    decoder.Decode(
        path, -1, kNeverStop,
        [&](std::unique_ptr<wxImage>, int frame, int, unsigned, unsigned) { frames.push_back(frame); },
        nullptr, [&](const wxString&, unsigned done, unsigned) { damagedAfter.push_back(done); });
    EXPECT_EQ(frames, (std::vector<int>{0, 1}));
    EXPECT_EQ(damagedAfter, std::vector<unsigned>{2});
}

namespace {
// A GIF whose three frames wait 10, 0 and 250 hundredths.
using namespace giftest;

wxString MixedDelayGif(const TempDir& dir)
{
    const std::vector<uint8_t> colours{0, 0, 0, 255, 0, 0, 0, 200, 0, 10, 20, 250};
    std::vector<HandImage> images{Filled(0, 0, 4, 4, 1, 0), Filled(0, 0, 4, 4, 2, 0),
                                  Filled(0, 0, 4, 4, 3, 0)};
    images[0].delay = 10;
    images[1].delay = 0;
    images[2].delay = 250;
    const std::vector<uint8_t> bytes = HandGif(4, 4, colours, images);
    const wxString path = dir.File("mixed.gif");
    wxFFile(path, "wb").Write(bytes.data(), bytes.size());
    return path;
}
}

TEST(ImageLoader, GifFramesCarryTheirOwnDelayAndPicturesNone)
{
    TempDir dir;
    const wxString gif = MixedDelayGif(dir);
    wxArrayString list;
    list.Add(gif);
    list.Add(Png(dir, "p.png"));
    list.Add(gif + "_2");
    RecordingSink sink;
    LoadImageBatch(list, sink, kNeverStop);
    std::vector<int> delays;
    for (const Report& r : sink.reports)
        delays.push_back(r.delay);
    EXPECT_EQ(delays, (std::vector<int>{10, 0, 250, -1, 250}));
}

TEST(ImageLoader, ThreadReportsCarryTheFramesDelay)
{
    TempDir dir;
    wxArrayString list;
    list.Add(MixedDelayGif(dir));
    list.Add(Png(dir, "p.png"));
    list.Add(dir.File("gone.png"));
    std::vector<LoadReport> reports;
    ImageLoadThread thread(list, PictureMaking{PictureStore::Create(), 0},
                           [&](LoadReport report) { reports.push_back(std::move(report)); });
    ASSERT_EQ(thread.Run(), wxTHREAD_NO_ERROR);
    thread.Wait();
    std::vector<int> delays;
    std::vector<bool> images;
    for (const LoadReport& report : reports) {
        const auto* picture = std::get_if<LoadedPicture>(&report.result);
        delays.push_back(picture ? picture->delay : -1);
        images.push_back(picture && picture->picture);
    }
    // The entry that gave nothing ends the batch as a report without an image.
    EXPECT_EQ(delays, (std::vector<int>{10, 0, 250, -1, -1}));
    EXPECT_EQ(images, (std::vector<bool>{true, true, true, true, false}));
    ASSERT_FALSE(reports.empty());
    EXPECT_TRUE(std::holds_alternative<NoPicture>(reports.back().result));
    EXPECT_EQ(reports.back().percent, 100);
}

TEST(ImageLoader, VideoFrameNamesLoadThatFrameAndAMissingClipIsTold)
{
    if (!HaveFfmpeg())
        GTEST_SKIP() << "ffmpeg is not installed";
    TempDir dir;
    const wxString clip = dir.File("clip.webm");
    ASSERT_TRUE(Ffmpeg("-f lavfi -i \"color=c=black:s=64x48:r=10:d=2,format=rgb24,"
                       "geq=r='N*12':g=0:b=0\" -c:v libvpx-vp9 -lossless 1 '" +
                       clip.ToStdString() + "'"));
    wxArrayString list;
    for (long long millis : {1500, 0, 1000})
        list.Add(FormatVideoReference({clip, millis, 32}));
    list.Add(FormatVideoReference({dir.File("gone.webm"), 0, 32}));
    RecordingSink sink;
    LoadImageBatch(list, sink, kNeverStop);
    ASSERT_EQ(sink.reports.size(), 3u);
    EXPECT_EQ(sink.reports[0].path, list[0]);
    EXPECT_EQ(sink.reports[0].size, wxSize(32, 24));
    EXPECT_EQ(sink.reports[0].delay, -1);
    EXPECT_NEAR(sink.reports[0].red, 15 * 12, 6);
    EXPECT_NEAR(sink.reports[1].red, 0, 6);
    EXPECT_NEAR(sink.reports[2].red, 10 * 12, 6);
    ASSERT_EQ(sink.noFrames.size(), 1u);
    EXPECT_EQ(sink.noFrames[0].entry, list[3]);
}
