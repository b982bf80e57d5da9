#include <gtest/gtest.h>

#include "mainwindow/canvas_math.h"

TEST(CanvasProportion, WidthEditKeepsBaseProportionTruncating)
{
    EXPECT_EQ(HeightForWidth(320, 640, 480), 240);
    EXPECT_EQ(HeightForWidth(333, 640, 480), 249);
    EXPECT_EQ(WidthForHeight(100, 640, 480), 133);
    EXPECT_EQ(WidthForHeight(240, 640, 480), 320);
}

TEST(CanvasProportion, BaseWithoutSizeDoesNotDivideByZero)
{
    EXPECT_EQ(HeightForWidth(320, 0, 480), 480);
    EXPECT_EQ(WidthForHeight(100, 640, 0), 640);
    EXPECT_EQ(HeightForWidth(320, 0, 0), 0);
}

TEST(PreviewPlacement, SmallFrameIsCentredUnscaledThirtyPixelsLow)
{
    EXPECT_EQ(PreviewPlacement(wxSize(400, 300), wxSize(100, 100)), wxRect(150, 130, 100, 100));
}

TEST(PreviewPlacement, LargeFrameShrinksByTheSmallerRatio)
{
    EXPECT_EQ(PreviewPlacement(wxSize(400, 300), wxSize(800, 600)), wxRect(0, 30, 400, 300));
    EXPECT_EQ(PreviewPlacement(wxSize(400, 300), wxSize(800, 100)), wxRect(0, 155, 400, 50));
    EXPECT_EQ(PreviewPlacement(wxSize(400, 300), wxSize(0, 0)), wxRect());
}
