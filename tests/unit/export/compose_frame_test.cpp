// Fitting frames into the canvas: geometry, black surroundings, masks and alpha, trace lines.
#include <gtest/gtest.h>

#include "core/base/trace.h"
#include "core/export/compose_frame.h"
#include "support/test_images.h"

namespace {

// Runs ComposeFrame with the trace lines captured.
wxImage Compose(const wxImage& frame, const wxSize& canvas, std::string* traces)
{
    const bool wasOn = IsTraceEnabled();
    SetTraceEnabled(true);
    testing::internal::CaptureStdout();
    wxImage out = ComposeFrame(frame, canvas);
    *traces = testing::internal::GetCapturedStdout();
    SetTraceEnabled(wasOn);
    return out;
}

// The bounding box of the pixels that are not black.
wxRect Covered(const wxImage& img)
{
    int x0 = img.GetWidth(), y0 = img.GetHeight(), x1 = -1, y1 = -1;
    for (int y = 0; y < img.GetHeight(); ++y)
        for (int x = 0; x < img.GetWidth(); ++x)
            if (img.GetRed(x, y) || img.GetGreen(x, y) || img.GetBlue(x, y)) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    return x1 < 0 ? wxRect() : wxRect(x0, y0, x1 - x0 + 1, y1 - y0 + 1);
}

TEST(ComposeFrame, WideFrameShrinksToFitAndCentresVertically)
{
    std::string traces;
    const wxImage out = Compose(SolidImage(400, 200, 200, 100, 50), wxSize(100, 100), &traces);
    ASSERT_EQ(out.GetSize(), wxSize(100, 100));
    EXPECT_EQ(Covered(out), wxRect(0, 25, 100, 50));
    EXPECT_EQ(traces, "thumbnail-1\nthumbnail-2\nRescale\n");
}

TEST(ComposeFrame, NarrowFrameIsNotEnlargedAndCentresWithTruncation)
{
    std::string traces;
    const wxImage frame = SolidImage(51, 100, 10, 20, 30);
    const wxImage out = Compose(frame, wxSize(100, 100), &traces);
    EXPECT_EQ(Covered(out), wxRect(24, 0, 51, 100));
    EXPECT_EQ(out.GetRed(24, 0), 10);
    EXPECT_EQ(traces, "thumbnail-3\nimage\nm_bitmap\nRescale\n");
}

TEST(ComposeFrame, ExactSizeFrameIsCopiedUnscaled)
{
    std::string traces;
    const wxImage frame = PhotoLikeImage(64, 48, 2);
    const wxImage out = Compose(frame, wxSize(64, 48), &traces);
    EXPECT_TRUE(SamePixels(out, frame));
    EXPECT_EQ(traces, "thumbnail-3\nimage\nm_bitmap\nRescale\n");
}

TEST(ComposeFrame, SquareFrameRescaledToCanvasNeedsNoBackground)
{
    std::string traces;
    const wxImage frame = GradientImage(300, 300, 5);
    const wxImage out = Compose(frame, wxSize(100, 100), &traces);
    EXPECT_TRUE(SamePixels(out, frame.Scale(100, 100, wxIMAGE_QUALITY_NORMAL)));
    EXPECT_EQ(traces, "thumbnail-1\n");
}

TEST(ComposeFrame, ShrunkSizeIsExactWhereFloatingPointWouldLoseAPixel)
{
    // 100 / 161 * 161 is just below 100 in double precision; truncating it would leave a
    // black column and row around a frame that should fill the canvas.
    EXPECT_EQ(PlaceFrame(wxSize(161, 161), wxSize(100, 100)).size, wxSize(100, 100));
    std::string traces;
    const wxImage out = Compose(SolidImage(161, 161, 9, 9, 9), wxSize(100, 100), &traces);
    EXPECT_EQ(Covered(out), wxRect(0, 0, 100, 100));
    EXPECT_EQ(traces, "thumbnail-1\n");

    EXPECT_EQ(PlaceFrame(wxSize(3000, 2000), wxSize(640, 480)).size, wxSize(640, 426));
    EXPECT_EQ(PlaceFrame(wxSize(3000, 2000), wxSize(640, 480)).origin, wxPoint(0, 27));
    EXPECT_EQ(PlaceFrame(wxSize(1000, 4000), wxSize(640, 480)).size, wxSize(120, 480));
    // A very thin frame keeps one pixel instead of asking the toolkit for a 0-pixel image.
    EXPECT_EQ(Covered(Compose(SolidImage(5000, 3, 255, 255, 255), wxSize(100, 100), &traces)),
              wxRect(0, 49, 100, 1));
}

TEST(ComposeFrame, MaskedPixelsShowBlackOnEveryPath)
{
    wxImage frame = SolidImage(20, 20, 255, 0, 255);
    frame.SetRGB(wxRect(5, 5, 10, 10), 0, 200, 0);
    frame.SetMaskColour(255, 0, 255);
    std::string traces;
    for (const wxSize canvas : {wxSize(40, 40), wxSize(20, 20), wxSize(10, 10), wxSize(10, 5)}) {
        const wxImage out = Compose(frame, canvas, &traces);
        EXPECT_FALSE(out.HasMask());
        EXPECT_FALSE(out.HasAlpha());
        for (int i = 0; i < out.GetWidth() * out.GetHeight(); ++i) {
            const unsigned char* p = out.GetData() + 3 * i;
            EXPECT_TRUE((p[0] == 0 && p[1] == 0 && p[2] == 0) || (p[0] == 0 && p[1] == 200 && p[2] == 0))
                << canvas.x << "x" << canvas.y << " pixel " << i;
        }
    }
}

TEST(ComposeFrame, AlphaIsBlendedOverBlack)
{
    wxImage frame = SolidImage(2, 1, 200, 100, 255);
    frame.InitAlpha();
    frame.GetAlpha()[0] = 0;
    frame.GetAlpha()[1] = 128;
    std::string traces;
    const wxImage out = Compose(frame, wxSize(2, 1), &traces);
    EXPECT_EQ(out.GetRed(0, 0), 0);
    EXPECT_EQ(out.GetRed(1, 0), 100);    // 200 * 128 / 255, rounded
    EXPECT_EQ(out.GetGreen(1, 0), 50);
    EXPECT_EQ(out.GetBlue(1, 0), 128);
}

TEST(ComposeFrame, InvalidFrameGivesBlackCanvasAndBadCanvasGivesNothing)
{
    std::string traces;
    const wxImage out = Compose(wxImage(), wxSize(8, 4), &traces);
    ASSERT_TRUE(out.IsOk());
    EXPECT_EQ(out.GetSize(), wxSize(8, 4));
    EXPECT_EQ(Covered(out), wxRect());
    EXPECT_FALSE(Compose(SolidImage(2, 2, 1, 1, 1), wxSize(0, 4), &traces).IsOk());
}

} // namespace
