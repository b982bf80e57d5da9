#include <gtest/gtest.h>

#include "core/gif/gif_composer.h"
#include "core/picture/picture_limit.h"
#include "core/gif/gif_geometry.h"
#include "core/gif/gif_graphic_control.h"

TEST(GifGeometry, InterlacedRowsFollowTheFourPasses)
{
    const int rows10[] = {0, 8, 4, 2, 6, 1, 3, 5, 7, 9};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(InterlacedRow(i, 10), rows10[i]) << i;
    EXPECT_EQ(InterlacedRow(0, 1), 0);
    const int rows3[] = {0, 2, 1};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(InterlacedRow(i, 3), rows3[i]) << i;
    EXPECT_EQ(InterlacedRow(3, 3), -1);
    EXPECT_EQ(InterlacedRow(-1, 3), -1);
}

TEST(GifGeometry, FramesAreClippedToTheScreenWithoutOverflow)
{
    const GifRect inside = ClipToScreen({1, 2, 3, 4}, 10, 10);
    EXPECT_EQ(inside.x + inside.y * 100 + inside.width * 10000 + inside.height * 1000000, 4030201);
    const GifRect past = ClipToScreen({8, 9, 65535, 65535}, 10, 10);
    EXPECT_EQ(past.width, 2);
    EXPECT_EQ(past.height, 1);
    EXPECT_TRUE(ClipToScreen({10, 0, 5, 5}, 10, 10).Empty());
    EXPECT_TRUE(ClipToScreen({0, 0, 0, 5}, 10, 10).Empty());
    EXPECT_TRUE(ClipToScreen({2147483600, 0, 2147483600, 5}, 10, 10).Empty());
}

TEST(GifGeometry, PixelBytesRefuseSidesPastTheLimit)
{
    size_t bytes = 7;
    EXPECT_TRUE(CheckedPixelBytes(kMaxPictureSide, kMaxPictureSide, 4, &bytes));
    EXPECT_EQ(bytes, size_t{1} << 30);
    EXPECT_FALSE(CheckedPixelBytes(kMaxPictureSide + 1, 1, 1, &bytes));
    EXPECT_FALSE(CheckedPixelBytes(1, -1, 1, &bytes));
    EXPECT_FALSE(CheckedPixelBytes(1, 1, 5, &bytes));
}

TEST(GifGraphicControl, FieldsAndReservedDisposals)
{
    const uint8_t full[] = {(3 << 2) | 1, 0x2C, 0x01, 9};
    const GifGraphicControl c = ParseGraphicControl(full, 4);
    EXPECT_EQ(c.disposal, GifDisposal::Previous);
    EXPECT_EQ(c.transparentIndex, 9);
    EXPECT_EQ(c.delay, 300);
    const uint8_t reserved[] = {7 << 2, 0, 0, 9};
    EXPECT_EQ(ParseGraphicControl(reserved, 4).disposal, GifDisposal::Unspecified);
    EXPECT_EQ(ParseGraphicControl(reserved, 4).transparentIndex, -1);
    EXPECT_EQ(ParseGraphicControl(full, 3).delay, 0) << "a short block gives the defaults";
}

TEST(GifComposer, IndicesPastTheTableDrawBlackAndOffScreenRowsAreDropped)
{
    GifComposer c(3, 2);
    c.BeginImage({1, 1, 3, 3}, {}, {{1, 2, 3}});
    const uint8_t row[] = {0, 5, 0};
    c.DrawRow(0, row);
    c.DrawRow(1, row);
    EXPECT_EQ(c.Pixel(1, 1)[0], 1);
    EXPECT_EQ(c.Pixel(2, 1)[3], 255);
    EXPECT_EQ(c.Pixel(2, 1)[0], 0);
    EXPECT_EQ(c.Pixel(0, 0)[3], 0);
    EXPECT_TRUE(c.ToImage().HasAlpha());
    c.BeginImage({0, 0, 3, 2}, {}, {{9, 9, 9}});
    const uint8_t zeros[] = {0, 0, 0};
    c.DrawRow(0, zeros);
    c.DrawRow(1, zeros);
    EXPECT_FALSE(c.ToImage().HasAlpha()) << "a fully drawn canvas needs no alpha";
}
