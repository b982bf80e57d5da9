// The default reducer (libimagequant): the palette contract on every kind of frame, exact
// colours when they fit, and bytes that don't depend on threads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include <omp.h>

#include "src/window/gif_export.h"
#include "src/window/gif_gifhandler.h"
#include "src/window/palette_lookup.h"
#include "src/window/palette_quant.h"
#include "support/test_images.h"
#include "unit/gif_test_helpers.h"

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
        wxOutputStream* previous = g_gifOutputStream;
        g_gifOutputStream = &out;
        MyGifHandler handler;
        EXPECT_TRUE(SaveGifFrame(reduced, handler, 100, 1, 0));
        g_gifOutputStream = previous;
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
