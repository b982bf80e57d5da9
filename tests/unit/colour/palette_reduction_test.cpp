// Palette reduction: the BMP pass as reference, the direct path against it, and the colour
// table taken from a reduced image.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include <wx/imagbmp.h>
#include <wx/mstream.h>

#include "core/gif/gif_writer.h"
#include "core/colour/palette.h"
#include "core/colour/palette_lookup.h"
#include "support/test_images.h"
#include "support/gif_test_helpers.h"

using namespace giftest;

namespace {

std::vector<GifRgb> PaletteOf(const wxImage& img)
{
    std::vector<GifRgb> out;
    const wxPalette& p = img.GetPalette();
    for (int i = 0; i < p.GetColoursCount(); ++i) {
        GifRgb c;
        p.GetRGB(i, &c.red, &c.green, &c.blue);
        out.push_back(c);
    }
    return out;
}

bool SamePalette(const wxImage& a, const wxImage& b)
{
    const std::vector<GifRgb> pa = PaletteOf(a), pb = PaletteOf(b);
    return pa.size() == pb.size() &&
           std::equal(pa.begin(), pa.end(), pb.begin(), [](const GifRgb& x, const GifRgb& y) {
               return x.red == y.red && x.green == y.green && x.blue == y.blue;
           });
}

// Images that exercise the quantiser differently: few colours, smooth ramps, noise, photos,
// odd sizes and an alpha channel that the reduction must ignore.
std::vector<wxImage> VariedImages()
{
    std::vector<wxImage> images = {SolidImage(17, 9, 255, 0, 0), GradientImage(64, 48, 1),
                                   PhotoLikeImage(160, 120, 3), PhotoLikeImage(33, 71, 9),
                                   GradientImage(1, 1, 0)};
    wxImage twoColour = SolidImage(40, 20, 0, 0, 255);
    twoColour.SetRGB(wxRect(0, 0, 20, 20), 255, 255, 0);
    images.push_back(twoColour);
    wxImage noise(50, 50, false);
    unsigned state = 12345;
    for (int i = 0; i < 50 * 50 * 3; ++i) {
        state = state * 1103515245u + 12345u;
        noise.GetData()[i] = static_cast<unsigned char>(state >> 16);
    }
    images.push_back(noise);
    wxImage withAlpha = PhotoLikeImage(30, 20, 4);
    withAlpha.InitAlpha();
    withAlpha.GetAlpha()[7] = 0;
    images.push_back(withAlpha);
    return images;
}

void ExpectEveryPixelInPalette(const wxImage& img)
{
    ASSERT_TRUE(img.HasPalette());
    const std::vector<GifRgb> pal = PaletteOf(img);
    ASSERT_LE(pal.size(), 256u);
    const PaletteLookup lookup(pal.data(), static_cast<int>(pal.size()));
    std::vector<unsigned char> indices(static_cast<size_t>(img.GetWidth()) * img.GetHeight());
    EXPECT_EQ(lookup.Map(img.GetData(), static_cast<long>(indices.size()), indices.data()), -1);
    EXPECT_LE(img.CountColours(257), 256u);
}

// Frees blocks full of a pattern so that the next small allocations reuse dirty memory, as
// they do in a long-running application.
void DirtyTheHeap(unsigned char pattern)
{
    std::vector<void*> blocks;
    for (int i = 0; i < 64; ++i) {
        void* p = std::malloc(236);
        std::memset(p, pattern, 236);
        blocks.push_back(p);
    }
    for (void* p : blocks)
        std::free(p);
}

TEST(PaletteReduction, SourceKeepsGreyRampAndBmpOptionOnEveryCall)
{
    for (int call = 0; call < 2; ++call) {
        wxImage source = GradientImage(8, 8, call);
        ReduceToPalette(source);
        ASSERT_TRUE(source.HasPalette());
        const std::vector<GifRgb> ramp = PaletteOf(source);
        ASSERT_EQ(ramp.size(), 256u);
        for (int i = 0; i < 256; ++i)
            EXPECT_TRUE(ramp[i].red == i && ramp[i].green == i && ramp[i].blue == i) << i;
        EXPECT_EQ(source.GetOptionInt(wxIMAGE_OPTION_BMP_FORMAT), wxBMP_8BPP);
    }
}

TEST(PaletteReduction, DirectPathMatchesBmpPassPixelsPaletteAndFileBytes)
{
    for (const wxImage& img : VariedImages()) {
        wxImage source = img.Copy();
        const wxImage reference = ReduceToPalette(source);
        ASSERT_TRUE(reference.IsOk());
        EXPECT_EQ(reference.GetSize(), img.GetSize());
        EXPECT_FALSE(reference.HasMask());
        ExpectEveryPixelInPalette(reference);
        DirtyTheHeap(0x5A);
        const wxImage direct = ReduceToPaletteDirect(img);
        ASSERT_TRUE(direct.IsOk());
        EXPECT_TRUE(SamePixels(reference, direct)) << img.GetWidth() << "x" << img.GetHeight();
        EXPECT_TRUE(SamePalette(reference, direct)) << img.GetWidth() << "x" << img.GetHeight();

        Bytes files[2];
        const wxImage* both[2] = {&reference, &direct};
        for (int k = 0; k < 2; ++k) {
            wxMemoryOutputStream out;
            EXPECT_TRUE(WriteGifFrames(out, {*both[k]})[0]);
            files[k] = StreamBytes(out);
        }
        EXPECT_EQ(files[0], files[1]);
    }
}

TEST(PaletteReduction, UnusedEntriesAreBlackNotLeftoverHeapBytes)
{
    // Two colours leave 234 of the quantiser's 236 entries without a colour; it doesn't fill
    // them, so without clearing they would hold whatever the heap held before.
    wxImage img = SolidImage(32, 8, 0, 0, 255);
    img.SetRGB(wxRect(0, 0, 16, 8), 255, 0, 0);
    DirtyTheHeap(0x5A);
    const wxImage first = ReduceToPaletteDirect(img);
    DirtyTheHeap(0xA5);
    const wxImage second = ReduceToPaletteDirect(img);
    EXPECT_TRUE(SamePalette(first, second));

    std::set<int> used;
    const std::vector<GifRgb> pal = PaletteOf(first);
    const PaletteLookup lookup(pal.data(), static_cast<int>(pal.size()));
    for (int i = 0; i < 32 * 8; ++i) {
        const unsigned char* p = first.GetData() + 3 * i;
        used.insert(lookup.Find(p[0], p[1], p[2]));
    }
    for (int i = 0; i < static_cast<int>(pal.size()); ++i)
        if (!used.count(i)) {
            EXPECT_TRUE(pal[i].red == 0 && pal[i].green == 0 && pal[i].blue == 0) << i;
        }
}

TEST(PaletteLookupCache, ReturnsFirstOfRepeatedColoursLikeLinearSearch)
{
    std::vector<GifRgb> pal = DistinctColours(256);
    pal[10] = pal[200] = pal[250] = {9, 9, 9};
    pal[3] = {0, 0, 0};
    pal[4] = {0, 0, 0};
    const PaletteLookup lookup(pal.data(), 256);
    for (int i = 0; i < 256; ++i) {
        int linear = -1;
        for (int j = 0; j < 256 && linear < 0; ++j)
            if (pal[j].red == pal[i].red && pal[j].green == pal[i].green && pal[j].blue == pal[i].blue)
                linear = j;
        EXPECT_EQ(lookup.Find(pal[i].red, pal[i].green, pal[i].blue), linear) << i;
    }
    EXPECT_EQ(lookup.Find(1, 1, 1), -1);
    EXPECT_EQ(PaletteLookup(pal.data(), 3).Find(0, 0, 0), -1);
}

// ExtractGifPalette's mask handling.
struct Extracted {
    bool ok;
    GifPaletteTable table;
    int count = -7;
    int transparent = -7;
};

Extracted Extract(const wxImage& img)
{
    Extracted e;
    e.ok = ExtractGifPalette(img, e.table, e.count, e.transparent);
    return e;
}

TEST(PaletteExtract, MaskFindsFirstEqualEntryOrIsAppendedOrDropped)
{
    std::vector<GifRgb> colours = DistinctColours(8);
    colours[2] = colours[5] = {40, 50, 60};
    const struct {
        int paletteSize;  // 0, or DistinctColours' count; 8 uses the repeated colour above
        GifRgb mask;
        int count, transparent;
    } cases[] = {{8, {40, 50, 60}, 8, 2},     // equal to entries 2 and 5: the first
                 {3, {7, 8, 9}, 4, 3},        // not found, room: appended
                 {0, {7, 8, 9}, 1, 0},        // empty palette: becomes entry 0
                 {256, {1, 2, 3}, 256, -1}};  // not found, full: dropped
    for (const auto& c : cases) {
        wxImage img(2, 2);
        if (c.paletteSize == 0)
            img.SetPalette(wxPalette(0, nullptr, nullptr, nullptr));
        else
            img = PalettedImage(2, 2, c.paletteSize == 8 ? colours : DistinctColours(c.paletteSize),
                                [](int x, int) { return x; });
        img.SetMaskColour(c.mask.red, c.mask.green, c.mask.blue);
        const Extracted e = Extract(img);
        EXPECT_TRUE(e.ok);
        EXPECT_EQ(e.count, c.count) << c.paletteSize;
        EXPECT_EQ(e.transparent, c.transparent) << c.paletteSize;
        const GifRgb& t = e.table[c.transparent < 0 ? 0 : c.transparent];
        if (c.transparent >= 0) {
            EXPECT_TRUE(t.red == c.mask.red && t.green == c.mask.green && t.blue == c.mask.blue);
        }
    }
}

TEST(PaletteExtract, ImageWithoutPaletteIsRefusedAndOutputsUntouched)
{
    const Extracted e = Extract(SolidImage(2, 2, 1, 1, 1));
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.count, -7);
    EXPECT_EQ(e.transparent, -7);

    const Extracted noMask = Extract(PalettedImage(1, 1, DistinctColours(5), [](int, int) { return 0; }));
    EXPECT_EQ(noMask.count, 5);
    EXPECT_EQ(noMask.transparent, -1);
}

} // namespace
