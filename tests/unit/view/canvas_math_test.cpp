#include <gtest/gtest.h>

#include "core/view/canvas_math.h"

TEST(CanvasProportion, WidthEditKeepsBaseProportionTruncating)
{
    const wxSize base(640, 480);
    EXPECT_EQ(CanvasForWidth(320, base, 480), wxSize(320, 240));
    EXPECT_EQ(CanvasForWidth(333, base, 480), wxSize(333, 249));
    EXPECT_EQ(CanvasForHeight(100, base, 640), wxSize(133, 100));
    EXPECT_EQ(CanvasForHeight(240, base, 640), wxSize(320, 240));
}

TEST(CanvasProportion, BaseWithoutSizeKeepsTheOtherSide)
{
    EXPECT_EQ(CanvasForWidth(320, wxSize(0, 480), 200), wxSize(320, 200));
    EXPECT_EQ(CanvasForHeight(100, wxSize(640, 0), 50), wxSize(50, 100));
    EXPECT_EQ(CanvasForWidth(320, wxSize(0, 0), 0), wxSize(320, 1));
}

TEST(CanvasProportion, DerivedSideTooLargeLowersTheTypedSide)
{
    // 1000 wide on a 10 x 1000 frame would be 100,000 high.
    EXPECT_EQ(CanvasForWidth(1000, wxSize(10, 1000), 1000), wxSize(655, 65500));
    // A 1 x 40000 frame: 32 bits would have wrapped to a negative height.
    EXPECT_EQ(CanvasForWidth(60000, wxSize(1, 40000), 40000), wxSize(1, 40000));
    EXPECT_EQ(CanvasForHeight(65535, wxSize(40000, 1), 1), wxSize(40000, 1));
    // The largest typed side that fits is kept exactly.
    EXPECT_EQ(CanvasForWidth(65535, wxSize(2, 1), 1), wxSize(65535, 32767));
    EXPECT_EQ(CanvasForHeight(65535, wxSize(1, 2), 1), wxSize(32767, 65535));
}

TEST(CanvasProportion, SidesStayBetweenOneAndTheGifLimit)
{
    EXPECT_EQ(CanvasForWidth(0, wxSize(640, 480), 480), wxSize(1, 1));
    EXPECT_EQ(CanvasForWidth(-5, wxSize(640, 480), 480), wxSize(1, 1));
    EXPECT_EQ(CanvasForWidth(10, wxSize(1000, 10), 10), wxSize(10, 1));
    EXPECT_EQ(CanvasForWidth(70000, wxSize(100, 100), 100), wxSize(65535, 65535));
    // A base beyond the GIF's limit (a very tall picture) can't keep its proportion at all.
    EXPECT_EQ(CanvasForWidth(5, wxSize(1, 100000), 1), wxSize(1, 65535));
}

TEST(PreviewPlacement, SmallFrameIsCentredUnscaled)
{
    EXPECT_EQ(PreviewPlacement(wxSize(400, 300), wxSize(100, 100)), wxRect(150, 100, 100, 100));
}

TEST(PreviewPlacement, LargeFrameShrinksByTheSmallerRatio)
{
    EXPECT_EQ(PreviewPlacement(wxSize(400, 300), wxSize(800, 600)), wxRect(0, 0, 400, 300));
    EXPECT_EQ(PreviewPlacement(wxSize(400, 300), wxSize(800, 100)), wxRect(0, 125, 400, 50));
    EXPECT_EQ(PreviewPlacement(wxSize(400, 300), wxSize(0, 0)), wxRect());
}
