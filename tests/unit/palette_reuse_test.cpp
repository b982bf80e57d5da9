// Keeping colours steady between frames: what the previous palette is asked to carry and when
// it may.
#include <gtest/gtest.h>

#include "src/window/palette_reuse.h"

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
    EXPECT_TRUE(ReusePalette(250, 0, n));    // a quarter per pixel
    EXPECT_FALSE(ReusePalette(251, 0, n));   // one new colour far off is not
    EXPECT_TRUE(ReusePalette(10000 + 500 + 250, 10000, n));
    EXPECT_FALSE(ReusePalette(10000 + 500 + 251, 10000, n));
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
