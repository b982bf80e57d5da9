// The quality setting: what each level trades, and that the trade shows in the file while
// 100 stays the exact, lossless output.
#include <gtest/gtest.h>

#include <wx/mstream.h>

#include "core/export/gif_export.h"
#include "core/gif/gif_quality.h"
#include "core/colour/palette_quant.h"
#include "support/test_images.h"
#include "support/gif_test_helpers.h"

using namespace giftest;

namespace {

TEST(GifQuality, LevelsGiveTheirSettings)
{
    struct Row {
        int quality, colours;
        float dithering;
        int reusePerPixel, stillTolerance;
    };
    const Row rows[] = {
        {100, 256, 1.0f, 2, 0},  {150, 256, 1.0f, 2, 0},  // above the range: the best
        {80, 128, 0.75f, 62, 4}, {60, 64, 0.5f, 122, 8},  {40, 32, 0.25f, 182, 12},
        {20, 16, 0.0f, 242, 16}, {1, 8, 0.0f, 299, 19},   {-3, 8, 0.0f, 299, 19},
    };
    for (const Row& r : rows) {
        const GifQualitySettings s = QualitySettings(r.quality);
        EXPECT_EQ(s.colours, r.colours) << r.quality;
        EXPECT_FLOAT_EQ(s.dithering, r.dithering) << r.quality;
        EXPECT_EQ(s.reusePerPixel, r.reusePerPixel) << r.quality;
        EXPECT_EQ(s.stillTolerance, r.stillTolerance) << r.quality;
    }
}

TEST(GifQuality, EveryStepDownGivesUpNothingBack)
{
    for (int q = 1; q < 100; ++q) {
        const GifQualitySettings lower = QualitySettings(q);
        const GifQualitySettings higher = QualitySettings(q + 1);
        EXPECT_LE(lower.colours, higher.colours) << q;
        EXPECT_LE(lower.dithering, higher.dithering) << q;
        EXPECT_GE(lower.reusePerPixel, higher.reusePerPixel) << q;
        EXPECT_GE(lower.stillTolerance, higher.stillTolerance) << q;
    }
}

TEST(GifQuality, ReducerKeepsToTheColourLimit)
{
    const wxImage photo = PhotoLikeImage(64, 48, 7);
    const wxImage reduced = ReduceToPaletteQuant(photo, QuantSettings{16, 0.0f});
    ASSERT_TRUE(reduced.IsOk());
    EXPECT_LE(reduced.GetPalette().GetColoursCount(), 16);
    // Few enough colours are kept exactly, whatever the limit.
    const wxImage flat = SolidImage(8, 8, 10, 200, 30);
    const wxImage same = ReduceToPaletteQuant(flat, QuantSettings{8, 0.0f});
    EXPECT_TRUE(SamePixels(flat, same));
}

Bytes Export(const std::vector<wxImage>& frames, int quality, bool optimize, int threads = 1)
{
    QuietTrace quiet;
    std::vector<wxImage> copies;
    for (const wxImage& f : frames)
        copies.push_back(f.Copy());
    ImageListFrameSource source(std::move(copies));
    GifExportOptions options;
    options.canvas = frames[0].GetSize();
    options.quality = quality;
    options.optimize = optimize;
    options.threads = threads;
    wxMemoryOutputStream out;
    EXPECT_TRUE(WriteGifAnimation(source, out, options).ok);
    return StreamBytes(out);
}

std::vector<wxImage> PhotoFrames()
{
    std::vector<wxImage> frames;
    for (int i = 0; i < 6; ++i)
        frames.push_back(PhotoLikeImage(64, 48, i / 2));
    return frames;
}

TEST(GifQuality, LowerQualityMakesSmallerFiles)
{
    const std::vector<wxImage> frames = PhotoFrames();
    for (bool optimize : {false, true}) {
        const size_t best = Export(frames, 100, optimize).size();
        const size_t middle = Export(frames, 60, optimize).size();
        const size_t low = Export(frames, 20, optimize).size();
        EXPECT_LT(middle, best) << optimize;
        EXPECT_LT(low, middle) << optimize;
    }
}

TEST(GifQuality, SameBytesForAnyThreadCount)
{
    const std::vector<wxImage> frames = PhotoFrames();
    EXPECT_EQ(Export(frames, 55, true, 1), Export(frames, 55, true, 4));
    EXPECT_EQ(Export(frames, 55, false, 1), Export(frames, 55, false, 3));
}

// The first pixel of each frame a viewer shows.
std::vector<int> ShownGreys(const Bytes& gif)
{
    std::vector<int> greys;
    wxMemoryInputStream in(gif.data(), gif.size());
    wxImage screen;
    for (const wxImage& frame : DecodeWithToolkit(gif))
        greys.push_back(frame.GetRed(0, 0));
    return greys;
}

TEST(GifQuality, OnlyLowerQualityLetsSmallChangesGo)
{
    // A flat picture that brightens by one level, then by twenty.
    std::vector<wxImage> frames{SolidImage(16, 16, 100, 100, 100),
                                SolidImage(16, 16, 101, 101, 101),
                                SolidImage(16, 16, 121, 121, 121)};
    const Bytes exact = Export(frames, 100, true);
    const Bytes loose = Export(frames, 60, true);
    ASSERT_EQ(ShownGreys(exact).size(), 3u);
    EXPECT_EQ(ShownGreys(exact)[1], 101);
    // Each image after the first is a patch; the toolkit shows it at its own position, so
    // the unchanged frame shows as the one-pixel patch the writer makes for no change.
    const std::vector<int> shown = ShownGreys(loose);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[1], 100);
    EXPECT_EQ(shown[2], 121);
    EXPECT_LT(loose.size(), exact.size() + 1);
}

} // namespace
