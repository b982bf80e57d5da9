// The default reducer (libimagequant): the palette contract on every kind of frame, exact
// colours when they fit, and bytes that don't depend on threads.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <cstdint>
#include <string>
#include <vector>

#include <omp.h>

#include "core/export/gif_export.h"
#include "core/gif/gif_writer.h"
#include "core/colour/indexed_frame.h"
#include "core/colour/palette_lookup.h"
#include "core/colour/palette_quant.h"
#include "core/colour/palette_remap.h"
#include "support/test_images.h"
#include "support/gif_test_helpers.h"

using namespace giftest;

namespace {

// An image whose first n pixels (in raster order) have n different colours and whose other
// pixels repeat them.
wxImage NColourImage(int w, int h, int n)
{
    wxImage img(w, h, false);
    unsigned char* p = img.GetData();
    for (int i = 0; i < w * h; ++i, p += 3) {
        const int k = (i % n) * 97;  // spreads the colours over the cube
        p[0] = static_cast<unsigned char>(k);
        p[1] = static_cast<unsigned char>(k >> 8);
        p[2] = static_cast<unsigned char>(255 - (k & 0xFF));
    }
    return img;
}

wxImage Noise(int w, int h, unsigned seed)
{
    wxImage img(w, h, false);
    for (int i = 0; i < w * h * 3; ++i) {
        seed = seed * 1103515245u + 12345u;
        img.GetData()[i] = static_cast<unsigned char>(seed >> 16);
    }
    return img;
}

std::vector<uint32_t> SortedColours(const wxImage& img)
{
    std::vector<uint32_t> colours;
    const unsigned char* p = img.GetData();
    for (int i = 0; i < img.GetWidth() * img.GetHeight(); ++i, p += 3)
        colours.push_back((uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2]);
    std::sort(colours.begin(), colours.end());
    colours.erase(std::unique(colours.begin(), colours.end()), colours.end());
    return colours;
}

std::vector<uint32_t> PaletteColours(const wxImage& img)
{
    std::vector<uint32_t> colours;
    const wxPalette& p = img.GetPalette();
    for (int i = 0; i < p.GetColoursCount(); ++i) {
        unsigned char r, g, b;
        p.GetRGB(i, &r, &g, &b);
        colours.push_back((uint32_t(r) << 16) | (uint32_t(g) << 8) | b);
    }
    return colours;
}

struct Case {
    std::string name;
    wxImage image;
};

std::vector<Case> ContractCases()
{
    wxImage flat = SolidImage(90, 40, 253, 253, 0);
    flat.SetRGB(wxRect(30, 0, 30, 40), 0, 0, 128);
    flat.SetRGB(wxRect(60, 10, 30, 5), 255, 255, 255);
    wxImage withAlpha = PhotoLikeImage(30, 20, 4);
    withAlpha.InitAlpha();
    withAlpha.GetAlpha()[7] = 0;
    wxImage masked = SolidImage(12, 12, 0, 255, 0);
    masked.SetMaskColour(0, 255, 0);
    return {
        {"1x1", SolidImage(1, 1, 7, 8, 9)},
        {"one colour", SolidImage(64, 48, 0, 0, 0)},
        {"flat colours", flat},
        {"exactly 256 colours", NColourImage(32, 20, 256)},
        {"257 colours", NColourImage(32, 20, 257)},
        {"1xN, many colours", Noise(1, 700, 3)},
        {"Nx1, many colours", Noise(700, 1, 4)},
        {"gradient, many colours", GradientImage(64, 48, 1)},
        {"photo-like", PhotoLikeImage(160, 120, 3)},
        // More distinct colours than the whole-image quantisation takes, odd sides.
        {"noise, sampled", Noise(151, 97, 5)},
        {"gradient, sampled", GradientImage(256, 129, 2)},
        {"alpha ignored", withAlpha},
        {"mask ignored", masked},
    };
}

TEST(QuantReducer, EveryPixelIsAPaletteEntryAndTheWriterAcceptsTheFrame)
{
    for (const Case& c : ContractCases()) {
        SCOPED_TRACE(c.name);
        const wxImage reduced = ReduceToPaletteQuant(c.image);
        ASSERT_TRUE(reduced.IsOk());
        EXPECT_EQ(reduced.GetSize(), c.image.GetSize());
        EXPECT_FALSE(reduced.HasAlpha());
        EXPECT_FALSE(reduced.HasMask());
        ASSERT_TRUE(reduced.HasPalette());
        const std::vector<uint32_t> palette = PaletteColours(reduced);
        ASSERT_GE(palette.size(), 1u);
        ASSERT_LE(palette.size(), 256u);
        for (uint32_t colour : SortedColours(reduced))
            EXPECT_NE(std::find(palette.begin(), palette.end(), colour), palette.end())
                << std::hex << colour << " is not in the palette";

        wxMemoryOutputStream out;
        EXPECT_TRUE(WriteGifFrames(out, {reduced})[0]);
    }
}

TEST(QuantReducer, FramesWithAtMost256ColoursKeepEveryPixelAndListTheirColoursInOrder)
{
    for (const Case& c : ContractCases()) {
        const std::vector<uint32_t> colours = SortedColours(c.image);
        if (colours.size() > 256)
            continue;
        SCOPED_TRACE(c.name);
        const wxImage reduced = ReduceToPaletteQuant(c.image);
        EXPECT_TRUE(SamePixels(reduced, c.image)) << "a colour moved or was dithered";
        EXPECT_EQ(PaletteColours(reduced), colours);
    }
    // One colour more and the frame must be quantised, never refused or left with 257.
    const wxImage over = ReduceToPaletteQuant(NColourImage(32, 20, 257));
    EXPECT_LE(SortedColours(over).size(), 256u);
}

// An image's bytes as the writer writes it first in a file (with the file's start) or later.
Bytes FrameBytes(const GifIndexedImage& image, bool first)
{
    wxMemoryOutputStream out;
    GifWriter writer(out);
    EXPECT_TRUE((!first || writer.Begin(image)) && writer.Image(image, 70));
    return StreamBytes(out);
}

TEST(QuantReducer, IndexedFrameIsTheImagesPaletteAndIndicesAndWritesTheSameBytes)
{
    for (const Case& c : ContractCases()) {
        SCOPED_TRACE(c.name);
        IndexedFrame indexed;
        ASSERT_TRUE(ReduceToIndexedQuant(c.image, indexed));
        ASSERT_EQ(indexed.width, c.image.GetWidth());
        ASSERT_EQ(indexed.height, c.image.GetHeight());
        ASSERT_EQ(indexed.indices.size(), size_t(indexed.width) * indexed.height);
        ASSERT_GE(indexed.colourCount, 1);
        ASSERT_LE(indexed.colourCount, 256);
        // Distinct entries, every one used.
        std::vector<bool> used(indexed.colourCount, false);
        for (unsigned char index : indexed.indices) {
            ASSERT_LT(index, indexed.colourCount);
            used[index] = true;
        }
        EXPECT_EQ(std::count(used.begin(), used.end(), false), 0) << "an unused entry";
        std::vector<uint32_t> entries;
        for (int i = 0; i < indexed.colourCount; ++i)
            entries.push_back((uint32_t(indexed.palette[i].red) << 16) |
                              (uint32_t(indexed.palette[i].green) << 8) |
                              indexed.palette[i].blue);
        std::vector<uint32_t> sorted = entries;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(std::unique(sorted.begin(), sorted.end()), sorted.end()) << "a repeated entry";

        // The adaptor's image is the same reduction.
        const wxImage image = ReduceToPaletteQuant(c.image);
        ASSERT_TRUE(image.IsOk());
        EXPECT_TRUE(SamePixels(image, IndexedFrameToImage(indexed)));
        EXPECT_EQ(PaletteColours(image), entries);

        // Writing the indices gives the bytes of writing the image (which looks them up).
        GifImageIndices looked;
        ASSERT_TRUE(IndexGifImage(image, looked));
        for (bool first : {true, false})
            EXPECT_EQ(FrameBytes(ImageView(indexed), first), FrameBytes(ImageView(looked), first))
                << (first ? "first" : "later") << " frame";
    }
}

TEST(QuantReducer, IndexedReductionIsRepeatable)
{
    for (const wxImage& image : {PhotoLikeImage(160, 120, 3), GradientImage(256, 129, 2)}) {
        IndexedFrame a, b;
        ASSERT_TRUE(ReduceToIndexedQuant(image, a));
        ASSERT_TRUE(ReduceToIndexedQuant(image, b));
        EXPECT_EQ(a.indices, b.indices);
        EXPECT_EQ(a.colourCount, b.colourCount);
        EXPECT_TRUE(std::equal(a.palette.begin(), a.palette.begin() + a.colourCount,
                               b.palette.begin(), [](const GifRgb& x, const GifRgb& y) {
                                   return x.red == y.red && x.green == y.green &&
                                          x.blue == y.blue;
                               }));
    }
}

TEST(QuantReducer, IndexedReductionRefusesAnInvalidImage)
{
    IndexedFrame frame;
    EXPECT_FALSE(ReduceToIndexedQuant(wxImage(), frame));
    EXPECT_EQ(frame.colourCount, 0);
    EXPECT_TRUE(frame.indices.empty());
    EXPECT_FALSE(IndexedFrameToImage(frame).IsOk());
    wxMemoryOutputStream out;
    GifWriter writer(out);
    EXPECT_FALSE(writer.Begin(ImageView(frame)));
    EXPECT_FALSE(writer.Image(ImageView(frame), 100));
    EXPECT_EQ(out.GetLength(), 0);
}

TEST(PaletteRemap, WithoutDitheringEveryPixelTakesItsNearestEntryTheFirstOfEquals)
{
    GifPaletteTable palette{};
    palette[0] = {0, 0, 0};
    palette[1] = {200, 10, 10};
    palette[2] = {200, 10, 10};  // a repeat never wins
    palette[3] = {10, 200, 10};
    palette[4] = {255, 255, 255};
    const wxImage image = Noise(37, 23, 9);
    std::vector<unsigned char> indices(37 * 23);
    ASSERT_TRUE(RemapToPalette(image.GetData(), 37, 23, palette, 5, 0.f, indices.data()));
    const unsigned char* p = image.GetData();
    for (size_t i = 0; i < indices.size(); ++i, p += 3) {
        int best = -1, bestDistance = 1 << 30;
        for (int k = 0; k < 5; ++k) {
            const int dr = palette[k].red - p[0], dg = palette[k].green - p[1],
                      db = palette[k].blue - p[2];
            if (dr * dr + dg * dg + db * db < bestDistance) {
                bestDistance = dr * dr + dg * dg + db * db;
                best = k;
            }
        }
        ASSERT_EQ(indices[i], best) << "pixel " << i;
    }
}

TEST(PaletteRemap, DitheringLeavesFlatAreasOfAPaletteColourExactAndMixesOthers)
{
    // Left half a palette colour, right half a colour midway between two entries.
    const int w = 64, h = 32;
    wxImage image = SolidImage(w, h, 100, 100, 100);
    image.SetRGB(wxRect(w / 2, 0, w / 2, h), 150, 150, 150);
    GifPaletteTable palette{};
    palette[0] = {100, 100, 100};
    palette[1] = {200, 200, 200};
    std::vector<unsigned char> indices(w * h);
    ASSERT_TRUE(RemapToPalette(image.GetData(), w, h, palette, 2, 1.f, indices.data()));
    int mixed[2] = {0, 0};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (x < w / 2 - 2)
                ASSERT_EQ(indices[y * w + x], 0) << x << "," << y;
            else if (x >= w / 2 + 2)
                ++mixed[indices[y * w + x]];
        }
    EXPECT_GT(mixed[0], 0);
    EXPECT_GT(mixed[1], 0);
}

TEST(PaletteRemap, RefiningMovesEachEntryToTheMeanOfItsSamplePixelsAndKeepsAnUnusedOne)
{
    // Two clusters: 10..14 grey on the left, 200..204 on the right; a step of 1 samples all.
    const int w = 10, h = 4;
    wxImage image(w, h, false);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned char v = static_cast<unsigned char>((x < 5 ? 10 : 200) + x % 5);
            image.SetRGB(x, y, v, v, v);
        }
    GifPaletteTable palette{};
    palette[0] = {0, 0, 0};
    palette[1] = {255, 255, 255};
    palette[2] = {0, 255, 0};  // nearest to no pixel
    RefinePalette(image.GetData(), w, h, 1, 2, palette, 3);
    EXPECT_EQ(palette[0].red, 12);
    EXPECT_EQ(palette[0].blue, 12);
    EXPECT_EQ(palette[1].green, 202);
    EXPECT_EQ(palette[2].red, 0);
    EXPECT_EQ(palette[2].green, 255);

    // A sample of every third pixel of each 3 x 3 block sees only the pixels it takes.
    GifPaletteTable sampled{};
    sampled[0] = {100, 100, 100};
    wxImage ramp(3, 3, false);
    for (int i = 0; i < 9; ++i)
        ramp.GetData()[3 * i] = ramp.GetData()[3 * i + 1] = ramp.GetData()[3 * i + 2] =
            static_cast<unsigned char>(20 * i);
    RefinePalette(ramp.GetData(), 3, 3, 3, 1, sampled, 1);
    EXPECT_EQ(sampled[0].red, 0) << "the one block's sample is its first pixel, not the mean 80";
}

TEST(QuantReducer, TheDefaultExportWritesTheReducersPixels)
{
    QuietTrace quiet;
    const std::vector<wxImage> frames = {PhotoLikeImage(80, 60, 5), NColourImage(80, 60, 40),
                                         GradientImage(80, 60, 6)};
    GifExportOptions options;
    options.canvas = wxSize(80, 60);
    std::vector<wxImage> copies;
    for (const wxImage& f : frames)
        copies.push_back(f.Copy());
    ImageListFrameSource source(std::move(copies));
    wxMemoryOutputStream out;
    ASSERT_TRUE(WriteGifAnimation(source, out, options).ok);
    const std::vector<wxImage> decoded = DecodeWithToolkit(StreamBytes(out));
    ASSERT_EQ(decoded.size(), frames.size());
    for (size_t i = 0; i < frames.size(); ++i)
        EXPECT_TRUE(SamePixels(decoded[i], ReduceToPaletteQuant(frames[i]))) << "frame " << i;
}

TEST(QuantReducer, SameBytesWhateverTheThreadCountOrTheCallersOpenMpSetting)
{
    QuietTrace quiet;
    // Frames of each kind: exact colours, quantised whole, quantised from a sample.
    const std::vector<wxImage> frames = {NColourImage(96, 64, 200), PhotoLikeImage(96, 64, 1),
                                         Noise(96, 64, 2), GradientImage(256, 129, 3),
                                         PhotoLikeImage(90, 70, 4)};
    GifExportOptions options;
    ASSERT_EQ(options.reducer, PaletteReducer::Quant);
    options.canvas = wxSize(96, 64);
    const auto exportWith = [&](int threads) {
        options.threads = threads;
        std::vector<wxImage> copies;
        for (const wxImage& f : frames)
            copies.push_back(f.Copy());
        ImageListFrameSource source(std::move(copies));
        wxMemoryOutputStream out;
        EXPECT_TRUE(WriteGifAnimation(source, out, options).ok);
        return StreamBytes(out);
    };

    const int callersSetting = omp_get_max_threads();
    omp_set_num_threads(3);
    const Bytes reference = exportWith(1);  // reduced on this thread
    EXPECT_EQ(omp_get_max_threads(), 3) << "the caller's OpenMP setting was not restored";
    omp_set_num_threads(callersSetting);
    for (int threads : {2, 5})
        EXPECT_EQ(exportWith(threads), reference) << threads << " threads";
}

} // namespace
