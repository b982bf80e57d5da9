// Frame timing and the loop setting on the way out: the looping block for each loop count,
// which delay each frame gets, and files that decoders read back with those delays.
#include <gtest/gtest.h>

#include <wx/ffile.h>
#include <wx/mstream.h>

#include "core/export/frame_source.h"
#include "core/gif/gif_blocks.h"
#include "core/export/gif_export.h"
#include "core/gif/gif_frame_reader.h"
#include "support/temp_dir.h"
#include "support/test_images.h"
#include "support/gif_test_helpers.h"

using namespace giftest;

namespace {

// What a walk over a written file finds: the repeat count of its looping extension (-1 when
// it has none) and the delay field of every graphic control extension, in order.
struct Timing {
    int repeats = -1;
    std::vector<int> delays;
};

Timing ReadTiming(const Bytes& b)
{
    Timing t;
    size_t pos = 13;
    if (b.size() > 10 && (b[10] & 0x80))
        pos += 3u << ((b[10] & 0x07) + 1);
    while (pos < b.size() && b[pos] != kGifTrailer) {
        if (b[pos] == 0x2C) {
            const uint8_t packed = b[pos + 9];
            pos += 10;
            if (packed & 0x80)
                pos += 3u << ((packed & 0x07) + 1);
            pos = SkipImageData(b, pos);
            continue;
        }
        const uint8_t label = b[pos + 1];
        if (label == 0xF9)
            t.delays.push_back(b[pos + 4] | (b[pos + 5] << 8));
        if (label == 0xFF && std::string(b.begin() + pos + 3, b.begin() + pos + 14) == "NETSCAPE2.0")
            t.repeats = b[pos + 16] | (b[pos + 17] << 8);
        pos += 2;
        while (pos < b.size() && b[pos] != 0)
            pos += b[pos] + 1;
        ++pos;
    }
    return t;
}

Bytes Export(int frameCount, const GifExportOptions& options)
{
    std::vector<wxImage> frames;
    for (int i = 0; i < frameCount; ++i)
        frames.push_back(PhotoLikeImage(12, 9, i));
    ImageListFrameSource source(std::move(frames));
    wxMemoryOutputStream out;
    const GifExportResult r = WriteGifAnimation(source, out, options);
    EXPECT_TRUE(r.ok) << r.error;
    return StreamBytes(out);
}

TEST(GifTiming, LoopingBlockForEachLoopCount)
{
    const std::array<uint8_t, 19> forever = LoopingExtension();
    const Bytes foreverBytes(forever.begin(), forever.end());
    EXPECT_EQ(LoopingBlock(0), foreverBytes);
    EXPECT_EQ(LoopingBlock(-3), foreverBytes);
    EXPECT_TRUE(LoopingBlock(1).empty());
    const struct {
        int loops;
        uint8_t low, high;
    } cases[] = {{2, 1, 0}, {3, 2, 0}, {257, 0, 1}, {65536, 0xFF, 0xFF}, {70000, 0xFF, 0xFF}};
    for (const auto& c : cases) {
        Bytes expected = foreverBytes;
        expected[16] = c.low;
        expected[17] = c.high;
        EXPECT_EQ(LoopingBlock(c.loops), expected) << c.loops << " plays";
    }
}

TEST(GifTiming, FrameDelayIsItsOwnEntryElseTheCommonOne)
{
    GifExportOptions options;
    options.delay = 7;
    EXPECT_EQ(GifFrameDelay(options, 0), 7);
    options.delays = {0, -1, 65535, 70000, 1};
    const int expected[] = {0, 7, 65535, 65535, 1, 7, 7};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(GifFrameDelay(options, i), expected[i]) << "frame " << i;
    options.delay = -4;
    EXPECT_EQ(GifFrameDelay(options, 1), 0);
}

TEST(GifTiming, FilesCarryEachFramesDelayAndTheLoopSetting)
{
    QuietTrace quiet;
    GifExportOptions options;
    options.canvas = wxSize(12, 9);
    options.delay = 33;
    options.delays = {10, 0, 250, -1, 1, 65535};
    const std::vector<int> written = {10, 0, 250, 33, 1, 65535};
    const struct {
        int loops;
        int repeats;
    } cases[] = {{0, 0}, {1, -1}, {2, 1}, {5, 4}};
    TempDir dir;
    for (const auto& c : cases) {
        options.loopCount = c.loops;
        const Bytes bytes = Export(6, options);
        const Timing timing = ReadTiming(bytes);
        EXPECT_EQ(timing.repeats, c.repeats) << c.loops << " plays";
        EXPECT_EQ(timing.delays, written) << c.loops << " plays";

        wxMemoryInputStream in(bytes.data(), bytes.size());
        wxGIFDecoder toolkit;
        ASSERT_EQ(toolkit.LoadGIF(in), wxGIF_OK) << c.loops << " plays";
        ASSERT_EQ(toolkit.GetFrameCount(), 6u);
        GifFrameReader own;
        const wxString path = dir.File(wxString::Format("loop%d.gif", c.loops));
        ASSERT_TRUE(wxFFile(path, "wb").Write(bytes.data(), bytes.size()));
        ASSERT_TRUE(own.Open(path, nullptr));
        ASSERT_EQ(own.Count(), 6u);
        for (unsigned i = 0; i < 6; ++i) {
            EXPECT_EQ(toolkit.GetDelay(i), written[i] * 10) << "frame " << i;
            EXPECT_EQ(own.Delay(i), written[i]) << "frame " << i;
        }
    }
}

TEST(GifTiming, OwnDelaysGiveTheSameBytesOnAnyNumberOfThreads)
{
    QuietTrace quiet;
    GifExportOptions options;
    options.canvas = wxSize(12, 9);
    options.delays = {3, 250, -1, 0, 7, 8, 9};
    options.loopCount = 3;
    options.threads = 1;
    const Bytes reference = Export(9, options);
    for (int threads : {2, 4}) {
        options.threads = threads;
        EXPECT_EQ(Export(9, options), reference) << threads << " threads";
    }
}

TEST(GifTiming, DefaultsWriteTheCommonDelayAndLoopForever)
{
    QuietTrace quiet;
    GifExportOptions options;
    options.canvas = wxSize(12, 9);
    options.delay = 42;
    const Bytes plain = Export(3, options);
    const Timing timing = ReadTiming(plain);
    EXPECT_EQ(timing.repeats, 0);
    EXPECT_EQ(timing.delays, (std::vector<int>{42, 42, 42}));
    // A list of common entries and an explicit "forever" are the defaults, byte for byte.
    options.delays = {-1, -1, -1};
    options.loopCount = 0;
    EXPECT_EQ(Export(3, options), plain);
}

} // namespace
