// The GIF writer: file layout byte for byte, the toolkit compressor's traps, what it refuses
// before writing, and what a failing stream does to each frame's result.
#include <gtest/gtest.h>

#include <limits>

#include <wx/mstream.h>

#include "core/gif/gif_limits.h"
#include "core/gif/gif_writer.h"
#include "support/test_images.h"
#include "support/gif_test_helpers.h"

using namespace giftest;

namespace {

Bytes WriteToMemory(const std::vector<wxImage>& frames, int delayMs = 100)
{
    wxMemoryOutputStream out;
    for (bool ok : WriteGifFrames(out, frames, delayMs))
        EXPECT_TRUE(ok);
    return StreamBytes(out);
}

Bytes Slice(const Bytes& b, size_t pos, size_t n)
{
    return Bytes(b.begin() + pos, b.begin() + pos + n);
}

Bytes TableBytes(const std::vector<GifRgb>& colours, size_t entries)
{
    Bytes t;
    for (size_t i = 0; i < entries; ++i) {
        const GifRgb c = i < colours.size() ? colours[i] : GifRgb{0, 0, 0};
        t.insert(t.end(), {c.red, c.green, c.blue});
    }
    return t;
}

std::vector<wxImage> TwoFramesOf100x50()
{
    const std::vector<GifRgb> colours = DistinctColours(256);
    return {PalettedImage(100, 50, colours, [](int x, int y) { return (x + 3 * y) % 256; }),
            PalettedImage(100, 50, colours, [](int x, int y) { return (x * y) % 256; })};
}

TEST(GifWriter, TwoFrameFileHasEveryBlockInOrder)
{
    const std::vector<wxImage> frames = TwoFramesOf100x50();
    const Bytes b = WriteToMemory(frames);
    const Bytes table = TableBytes(DistinctColours(256), 256);

    size_t pos = 0;
    EXPECT_EQ(Slice(b, pos, 6), (Bytes{'G', 'I', 'F', '8', '9', 'a'}));
    EXPECT_EQ(Slice(b, pos += 6, 7), (Bytes{0x64, 0x00, 0x32, 0x00, 0xF7, 0x00, 0x00}));
    EXPECT_EQ(Slice(b, pos += 7, 768), table);
    EXPECT_EQ(Slice(b, pos += 768, 3), (Bytes{0x21, 0xFF, 0x0B}));
    EXPECT_EQ(Slice(b, pos += 3, 11), (Bytes{'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'}));
    EXPECT_EQ(Slice(b, pos += 11, 5), (Bytes{0x03, 0x01, 0x00, 0x00, 0x00}));
    EXPECT_EQ(Slice(b, pos += 5, 8), (Bytes{0x21, 0xF9, 0x04, 0x00, 0x0A, 0x00, 0x00, 0x00}));
    EXPECT_EQ(Slice(b, pos += 8, 10), (Bytes{0x2C, 0, 0, 0, 0, 0x64, 0x00, 0x32, 0x00, 0x00}));
    pos += 10;
    EXPECT_EQ(b[pos], 0x08);
    pos = SkipImageData(b, pos);
    EXPECT_EQ(Slice(b, pos, 8), (Bytes{0x21, 0xF9, 0x04, 0x00, 0x0A, 0x00, 0x00, 0x00}));
    EXPECT_EQ(Slice(b, pos += 8, 10), (Bytes{0x2C, 0, 0, 0, 0, 0x64, 0x00, 0x32, 0x00, 0x87}));
    EXPECT_EQ(Slice(b, pos += 10, 768), table);
    pos += 768;
    EXPECT_EQ(b[pos], 0x08);
    pos = SkipImageData(b, pos);
    ASSERT_EQ(pos + 1, b.size());
    EXPECT_EQ(b[pos], 0x3B);

    const std::vector<wxImage> decoded = DecodeWithToolkit(b);
    ASSERT_EQ(decoded.size(), 2u);
    EXPECT_TRUE(SamePixels(decoded[0], frames[0]));
    EXPECT_TRUE(SamePixels(decoded[1], frames[1]));
}

TEST(GifWriter, SingleFrameFileIsTheStartOneImageAndTheTrailer)
{
    const wxImage frame = PalettedImage(4, 4, DistinctColours(2), [](int x, int) { return x & 1; });
    const Bytes b = WriteToMemory({frame});
    const size_t descriptor = 6 + 7 + 6 + 19 + 8;
    EXPECT_EQ(b[10], 0x80);  // two colours: b = 1
    EXPECT_EQ(Slice(b, descriptor, 10), (Bytes{0x2C, 0, 0, 0, 0, 4, 0, 4, 0, 0x00}));
    EXPECT_EQ(SkipImageData(b, descriptor + 10) + 1, b.size());
    EXPECT_EQ(b.back(), 0x3B);
}

TEST(GifWriter, ThreeColoursGiveFourEntryTablesWithBlackPadding)
{
    const std::vector<GifRgb> colours = {{200, 10, 10}, {10, 200, 10}, {10, 10, 200}};
    const auto pattern = [](int x, int y) { return (x + y) % 3; };
    const std::vector<wxImage> frames = {PalettedImage(9, 4, colours, pattern),
                                         PalettedImage(9, 4, colours, pattern)};
    const Bytes b = WriteToMemory(frames);
    EXPECT_EQ(b[10], 0x91);
    EXPECT_EQ(Slice(b, 13, 12), TableBytes(colours, 4));
    const size_t second = SkipImageData(b, 13 + 12 + 19 + 8 + 10);
    EXPECT_EQ(b[second + 8 + 9], 0x81);
    EXPECT_EQ(Slice(b, second + 18, 12), TableBytes(colours, 4));
    // The code size stays 8 with a 2-bit table: the toolkit's compressor needs it.
    EXPECT_EQ(b[second + 30], 0x08);

    const std::vector<wxImage> decoded = DecodeWithToolkit(b);
    ASSERT_EQ(decoded.size(), 2u);
    EXPECT_TRUE(SamePixels(decoded[1], frames[1]));
}

TEST(GifWriter, PixelCountIsComputedIn64BitsAndRefusedBeyondInt)
{
    const struct {
        int width, height, count;
    } cases[] = {
        {1, 1, 2},
        {3, 2, 8},
        {4, 3, 12},
        {65535, 1, 65536},
        {32767, 65535, 2147450880},  // the largest odd width whose count still fits
        {32769, 65535, -1},
        {65535, 65535, -1},
        {std::numeric_limits<int>::max(), 1, -1},  // the even width alone is past int
        {0, 5, -1},
        {5, -1, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LzwPixelCount(c.width, c.height), c.count) << c.width << " x " << c.height;
}

TEST(GifWriter, OddAndTinyWidthsEndTheImageDataAndDecode)
{
    const std::vector<GifRgb> colours = DistinctColours(256);
    for (const wxSize size : {wxSize(1, 1), wxSize(5, 3), wxSize(1, 7), wxSize(7, 1),
                              wxSize(255, 3), wxSize(301, 211)}) {
        const wxImage frame = PalettedImage(size.x, size.y, colours, [](int x, int y) {
            return (x * 31 + y * 17 + (x * y) % 7) % 256;
        });
        const Bytes b = WriteToMemory({frame});
        const std::vector<wxImage> decoded = DecodeWithToolkit(b);
        ASSERT_EQ(decoded.size(), 1u) << size.x << "x" << size.y;
        EXPECT_TRUE(SamePixels(decoded[0], frame)) << size.x << "x" << size.y;
        EXPECT_EQ(b.back(), 0x3B);
    }
}

TEST(GifWriter, MaskColourBecomesTransparentIndex)
{
    wxImage frame = PalettedImage(6, 2, DistinctColours(4), [](int x, int) { return x % 4; });
    const GifRgb masked = DistinctColours(4)[2];
    frame.SetMaskColour(masked.red, masked.green, masked.blue);
    const Bytes b = WriteToMemory({frame}, 70);
    const size_t gce = 6 + 7 + 12 + 19;
    EXPECT_EQ(Slice(b, gce, 8), (Bytes{0x21, 0xF9, 0x04, 0x01, 0x07, 0x00, 0x02, 0x00}));
}

TEST(GifWriter, CommentOptionWritesCommentBeforeControlBlock)
{
    wxImage frame = PalettedImage(2, 2, DistinctColours(2), [](int x, int) { return x; });
    frame.SetOption(wxIMAGE_OPTION_GIF_COMMENT, wxString('c', 300));
    const Bytes b = WriteToMemory({frame});
    const size_t comment = 6 + 7 + 6 + 19;
    EXPECT_EQ(Slice(b, comment, 3), (Bytes{0x21, 0xFE, 255}));
    EXPECT_EQ(b[comment + 3 + 255], 45);
    EXPECT_EQ(b[comment + 3 + 255 + 1 + 45], 0x00);
    EXPECT_EQ(b[comment + 2 + 256 + 46 + 1], 0x21);
    EXPECT_EQ(b[comment + 2 + 256 + 46 + 2], 0xF9);
}

TEST(GifWriter, FrameWithColourOutsidePaletteWritesNothing)
{
    wxImage frame = PalettedImage(3, 3, DistinctColours(2), [](int, int) { return 0; });
    frame.SetRGB(1, 1, 99, 99, 99);
    wxMemoryOutputStream out;
    const std::vector<bool> results = WriteGifFrames(out, {frame}, 100);
    EXPECT_FALSE(results[0]);
    EXPECT_EQ(out.GetLength(), 0);

    wxImage noPalette = SolidImage(3, 3, 1, 2, 3);
    wxMemoryOutputStream out2;
    EXPECT_FALSE(WriteGifFrames(out2, {noPalette}, 100)[0]);
    EXPECT_EQ(out2.GetLength(), 0);
}

TEST(GifWriter, AnImageItCantWriteWritesNothingAndTheFirstImageIsTheOneBeginWasGiven)
{
    const std::vector<GifRgb> colours = DistinctColours(4);
    const std::vector<unsigned char> indices = {0, 1, 2, 3, 3, 2};
    GifIndexedImage good;
    good.indices = indices.data();
    good.width = 3;
    good.height = 2;
    good.palette = colours.data();
    good.colourCount = 4;
    const auto with = [&](auto change) {
        GifIndexedImage image = good;
        change(image);
        return image;
    };
    const std::vector<unsigned char> pastTable = {0, 1, 2, 3, 4, 0};
    const struct {
        const char* name;
        GifIndexedImage image;
    } refused[] = {
        {"no indices", with([](GifIndexedImage& i) { i.indices = nullptr; })},
        {"no colours", with([](GifIndexedImage& i) { i.colourCount = 0; })},
        {"257 colours", with([](GifIndexedImage& i) { i.colourCount = 257; })},
        {"an index past the table", with([&](GifIndexedImage& i) { i.indices = pastTable.data(); })},
        {"past the largest side", with([](GifIndexedImage& i) { i.left = kGifMaxSide - 2; })},
        {"no height", with([](GifIndexedImage& i) { i.height = 0; })},
    };
    for (const auto& c : refused) {
        wxMemoryOutputStream out;
        GifWriter writer(out);
        EXPECT_FALSE(writer.Begin(c.image)) << c.name;
        EXPECT_FALSE(writer.Image(c.image, 100)) << c.name;
        EXPECT_EQ(out.GetLength(), 0) << c.name;
    }

    // The first image is drawn with the global table, so no other image may take its place;
    // an image off the screen's corner can't begin a file.
    wxMemoryOutputStream out;
    GifWriter writer(out);
    EXPECT_FALSE(writer.Begin(with([](GifIndexedImage& i) { i.left = 1; })));
    ASSERT_TRUE(writer.Begin(good));
    const size_t start = out.GetLength();
    EXPECT_FALSE(writer.Image(with([](GifIndexedImage& i) { i.colourCount = 3; }), 100));
    const std::vector<GifRgb> others = DistinctColours(5);
    EXPECT_FALSE(writer.Image(with([&](GifIndexedImage& i) { i.palette = others.data() + 1; }), 100));
    EXPECT_EQ(out.GetLength(), start);
    EXPECT_TRUE(writer.Image(good, 100));
    EXPECT_TRUE(writer.Image(good, 100)) << "a later image with the same table carries its own";
    EXPECT_TRUE(writer.Finish());
    const Bytes b = StreamBytes(out);
    EXPECT_EQ(b[start + 8 + 9], 0x00);
    const size_t second = SkipImageData(b, start + 8 + 10);
    EXPECT_EQ(b[second + 8 + 9], 0x81);
    EXPECT_EQ(DecodeWithToolkit(b).size(), 2u);
}

// Layout of the three-frame file used by the failure test: where each frame's bytes end.
struct Layout {
    Bytes bytes;
    std::vector<size_t> frameEnd;  // one past the frame's image data
};

Layout ThreeFrameLayout(const std::vector<wxImage>& frames)
{
    Layout l;
    l.bytes = WriteToMemory(frames);
    size_t pos = 6 + 7 + 768 + 19;
    for (size_t i = 0; i < frames.size(); ++i) {
        pos += 8 + 10 + (i ? 768 : 0);
        pos = SkipImageData(l.bytes, pos);
        l.frameEnd.push_back(pos);
    }
    return l;
}

TEST(GifWriter, StreamFailureFailsTheFrameItHitsAndNoLaterOneSucceeds)
{
    const std::vector<GifRgb> colours = DistinctColours(256);
    std::vector<wxImage> frames;
    for (int f = 0; f < 3; ++f)
        frames.push_back(PalettedImage(40, 30, colours, [f](int x, int y) { return (x * y + f) % 256; }));
    const Layout layout = ThreeFrameLayout(frames);
    ASSERT_EQ(layout.frameEnd.back() + 1, layout.bytes.size());

    // Failing within: the header, the global table, frame 0's image data, its block
    // terminator (whose write the toolkit's compressor doesn't check), frame 1's local table,
    // frame 2's image data, its terminator and the trailer.
    const struct {
        size_t limit;
        int failingFrame;
    } cases[] = {{3, 0},
                 {100, 0},
                 {layout.frameEnd[0] - 50, 0},
                 {layout.frameEnd[0] - 1, 0},
                 {layout.frameEnd[0] + 8 + 10 + 5, 1},
                 {layout.frameEnd[2] - 20, 2},
                 {layout.frameEnd[2] - 1, 2},
                 {layout.frameEnd[2], 2}};
    for (const auto& c : cases) {
        FailingStream out(c.limit);
        const std::vector<bool> results = WriteGifFrames(out, frames, 100);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(results[i], i < c.failingFrame) << "limit " << c.limit << " frame " << i;
        EXPECT_EQ(out.Written(), Slice(layout.bytes, 0, c.limit)) << "limit " << c.limit;
    }
}

TEST(GifWriter, LastFrameFailureLeavesNoTrailer)
{
    const std::vector<GifRgb> colours = DistinctColours(2);
    wxImage bad = PalettedImage(2, 2, colours, [](int, int) { return 1; });
    bad.SetRGB(0, 0, 50, 50, 50);
    wxMemoryOutputStream out;
    const std::vector<bool> results =
        WriteGifFrames(out, {PalettedImage(2, 2, colours, [](int, int) { return 0; }), bad}, 100);
    EXPECT_TRUE(results[0]);
    EXPECT_FALSE(results[1]);
    const Bytes b = StreamBytes(out);
    ASSERT_FALSE(b.empty());
    EXPECT_NE(b.back(), 0x3B);
}

} // namespace
