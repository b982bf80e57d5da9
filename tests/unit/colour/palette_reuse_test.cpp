// Keeping colours steady between frames: what the previous palette is asked to carry and when
// it may.
#include <gtest/gtest.h>

#include "core/colour/palette_reuse.h"

TEST(PaletteReuse, StillPixelsKeepTheirIndexAndNewOnesTakeTheNearestEntry)
{
    IndexedPicture previous;
    previous.palette = {{0, 0, 0}, {100, 100, 100}, {100, 100, 100}, {200, 0, 0}};
    // Pixel 0 was dithered to entry 2 although its source is nearer to 1: it must stay 2.
    previous.indices = {2, 0, 3, 1};
    const uint8_t previousSource[12] = {90, 90, 90, 0, 0, 0, 200, 0, 0, 100, 100, 100};
    const uint8_t source[12] = {90, 90, 90, 190, 10, 0, 100, 100, 100, 5, 5, 5};
    const std::vector<uint8_t> mapped = MapOntoPalette(source, previousSource, previous, 4);
    EXPECT_EQ(mapped, (std::vector<uint8_t>{2, 3, 1, 0}));  // ties take the first entry
}

TEST(PaletteReuse, TheOldPaletteIsKeptOnlyWhenItIsNearlyAsGood)
{
    const size_t n = 1000;
    EXPECT_TRUE(ReusePalette(0, 0, n));
    EXPECT_TRUE(ReusePalette(2000, 0, n));    // two per pixel
    EXPECT_FALSE(ReusePalette(2001, 0, n));   // one new colour far off is not
    EXPECT_TRUE(ReusePalette(10000 + 5000 + 2000, 10000, n));
    EXPECT_FALSE(ReusePalette(10000 + 5000 + 2001, 10000, n));
    EXPECT_TRUE(ReusePalette(5, 9000, n));   // better is always taken
}

TEST(PaletteReuse, AFreshPaletteShowsStillPixelsAsBeforeWhenItCan)
{
    const uint8_t previousSource[9] = {1, 1, 1, 2, 2, 2, 3, 3, 3};
    const uint8_t source[9] = {1, 1, 1, 2, 2, 2, 9, 9, 9};
    const uint8_t previousShown[9] = {0, 0, 0, 50, 50, 50, 0, 0, 0};
    IndexedPicture fresh;
    fresh.palette = {{4, 4, 4}, {0, 0, 0}};
    fresh.indices = {0, 0, 0};
    KeepStableColours(source, previousSource, previousShown, fresh);
    // Pixel 0 shows black again; pixel 1's old colour is gone from the palette; pixel 2 changed.
    EXPECT_EQ(fresh.indices, (std::vector<uint8_t>{1, 0, 0}));
    EXPECT_EQ(Shown(fresh), (std::vector<uint8_t>{0, 0, 0, 4, 4, 4, 4, 4, 4}));
    EXPECT_EQ(SquaredError(source, previousShown, 3), 3u * (1 + 48 * 48 + 81));
}

TEST(PaletteReuse, NewColoursTakeTheEntriesStillPixelsDontShow)
{
    // Four pixels; the first two are still, the last two change to colours the old palette
    // lacks (one of them also kept by a still pixel).
    IndexedPicture previous;
    previous.palette = {{10, 10, 10}, {20, 20, 20}, {30, 30, 30}};
    previous.indices = {2, 0, 1, 1};
    const uint8_t previousSource[12] = {30, 30, 30, 10, 10, 10, 20, 20, 20, 20, 20, 20};
    const uint8_t source[12] = {30, 30, 30, 10, 10, 10, 99, 0, 0, 31, 31, 31};
    IndexedPicture fresh;
    fresh.palette = {{30, 30, 30}, {10, 10, 10}, {99, 0, 0}};
    fresh.indices = {0, 1, 2, 0};
    const IndexedPicture merged = MergePalettes(source, previousSource, previous, fresh);
    // Entry 1 (shown by no still pixel) becomes the red; the grey 30 is entry 2 already.
    ASSERT_EQ(merged.palette.size(), 3u);
    EXPECT_EQ(merged.palette[1].red, 99);
    EXPECT_EQ(merged.indices, (std::vector<uint8_t>{2, 0, 1, 2}));

    // With every entry held by still pixels, a new colour takes the nearest kept one.
    IndexedPicture full;
    for (int i = 0; i < 256; ++i)
        full.palette.push_back(GifRgb{static_cast<uint8_t>(i), 0, 0});
    std::vector<uint8_t> before(3 * 257, 0), after(3 * 257, 0);
    full.indices.resize(257);
    for (int i = 0; i < 256; ++i) {
        full.indices[i] = static_cast<uint8_t>(i);
        before[3 * i] = after[3 * i] = static_cast<uint8_t>(i);
    }
    full.indices[256] = 0;
    after[3 * 256 + 1] = 200;  // the last pixel turns green
    IndexedPicture green;
    green.palette = {{0, 200, 0}};
    green.indices.assign(257, 0);
    const IndexedPicture squeezed = MergePalettes(after.data(), before.data(), full, green);
    EXPECT_EQ(squeezed.palette.size(), 256u);
    EXPECT_EQ(squeezed.indices[255], 255);
    EXPECT_EQ(squeezed.indices[256], 0);  // (0, 0, 0) is nearest to (0, 200, 0)
}
