// The geometry of the picture edits: fit modes on awkward sizes, and turns, flips and crops
// composing in the order they are made.
#include <gtest/gtest.h>

#include "core/document/canvas_edit.h"
#include "core/document/frame_placement.h"

namespace {

TEST(FramePlacement, EveryModeOnOddSizesAndExtremeProportions)
{
    struct Case {
        FitMode mode;
        wxSize frame, canvas;
        wxSize size;
        wxPoint origin;
    };
    const Case cases[] = {
        // Shrink: only larger frames scale; a smaller one stays centred with truncation.
        {FitMode::Shrink, {400, 200}, {100, 100}, {100, 50}, {0, 25}},
        {FitMode::Shrink, {51, 100}, {100, 100}, {51, 100}, {24, 0}},
        // Fit enlarges too; the limiting side gets the canvas exactly.
        {FitMode::Fit, {51, 100}, {100, 100}, {51, 100}, {24, 0}},
        {FitMode::Fit, {10, 5}, {101, 101}, {101, 50}, {0, 25}},
        {FitMode::Fit, {1, 10000}, {640, 480}, {1, 480}, {319, 0}},
        // Fill covers: the other side rounds up, so no row or column is left empty.
        {FitMode::Fill, {400, 200}, {100, 100}, {200, 100}, {-50, 0}},
        {FitMode::Fill, {3, 7}, {10, 10}, {10, 24}, {0, -7}},
        {FitMode::Fill, {10000, 1}, {64, 48}, {480000, 48}, {-239968, 0}},
        // Stretch takes the canvas; Centre never scales.
        {FitMode::Stretch, {7, 3}, {100, 50}, {100, 50}, {0, 0}},
        {FitMode::Centre, {151, 40}, {100, 100}, {151, 40}, {-25, 30}},
        // Nothing to place.
        {FitMode::Fit, {0, 10}, {100, 100}, {0, 0}, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(FitModeName(c.mode)) + " " + std::to_string(c.frame.x) + "x" +
                     std::to_string(c.frame.y));
        const FramePlacement p = PlaceFrameIn(c.frame, c.canvas, c.mode);
        EXPECT_EQ(p.size, c.size);
        EXPECT_EQ(p.origin, c.origin);
    }
}

TEST(CanvasEdit, FourTurnsOrTwoFlipsGiveTheStartBack)
{
    EditedCanvas start{wxSize(640, 480), CanvasEdit()};
    start = *CroppedTo(start, PixelRect{100, 50, 300, 200});
    EditedCanvas turned = start;
    for (int i = 0; i < 4; ++i)
        turned = Turned(turned, 1);
    EXPECT_EQ(turned.canvas, start.canvas);
    EXPECT_EQ(turned.edit, start.edit);
    EXPECT_EQ(Mirrored(Mirrored(start, true), true).edit, start.edit);
    EXPECT_EQ(Mirrored(Mirrored(start, false), false).edit, start.edit);
    // A left turn undoes a right one; a vertical flip is a horizontal one and a half turn.
    EXPECT_EQ(Turned(Turned(start, 1), -1).edit, start.edit);
    EXPECT_EQ(Mirrored(start, false).edit, Turned(Mirrored(start, true), 2).edit);
    EXPECT_EQ(Turned(start, 1).canvas, wxSize(200, 300));
}

TEST(CanvasEdit, CropsNestAndACropOfAResizedCanvasMapsBackOutwards)
{
    EditedCanvas state{wxSize(640, 480), CanvasEdit()};
    state = *CroppedTo(state, PixelRect{100, 50, 300, 200});
    EXPECT_EQ(state.edit.cropBase, wxSize(640, 480));
    EXPECT_EQ(state.canvas, wxSize(300, 200));
    // Within the crop: the offsets add up.
    EditedCanvas inner = *CroppedTo(state, PixelRect{10, 20, 30, 40});
    EXPECT_EQ(inner.edit.crop, (PixelRect{110, 70, 30, 40}));
    EXPECT_EQ(inner.edit.cropBase, wxSize(640, 480));
    // Past the picture's edge only what shows is kept; nothing of it, no crop.
    EXPECT_EQ(CroppedTo(state, PixelRect{250, 150, 100, 100})->canvas, wxSize(50, 50));
    EXPECT_FALSE(CroppedTo(state, PixelRect{300, 0, 10, 10}));
    // The cropped picture shown at half size: a crop of it covers twice as many pixels.
    EditedCanvas half = state;
    half.canvas = wxSize(150, 100);
    const EditedCanvas fromHalf = *CroppedTo(half, PixelRect{5, 5, 11, 10});
    EXPECT_EQ(fromHalf.edit.crop, (PixelRect{110, 60, 22, 20}));
    EXPECT_EQ(fromHalf.canvas, wxSize(11, 10));
}

TEST(CanvasEdit, BackgroundsAndFitNamesReadAsWritten)
{
    for (const char* text : {"#000000", "#ff8800", "transparent"})
        EXPECT_EQ(BackgroundText(*ReadBackground(text)), text);
    EXPECT_EQ(BackgroundText(*ReadBackground("white")), "#ffffff");
    for (const char* bad : {"", "#12", "nocolour", "#gggggg"})
        EXPECT_FALSE(ReadBackground(bad)) << bad;
    for (FitMode m : {FitMode::Shrink, FitMode::Fit, FitMode::Fill, FitMode::Stretch,
                      FitMode::Centre})
        EXPECT_EQ(FitModeNamed(FitModeName(m)), m);
    EXPECT_EQ(FitModeNamed("center"), FitMode::Centre);
    EXPECT_FALSE(FitModeNamed("zoom"));
}

TEST(CanvasEdit, CropProblemsAreNamed)
{
    EXPECT_FALSE(CropProblem(PixelRect{0, 0, 640, 480}, wxSize(640, 480)));
    EXPECT_TRUE(CropProblem(PixelRect{0, 0, 0, 10}, wxSize(640, 480)));
    EXPECT_EQ(*CropProblem(PixelRect{600, 0, 100, 10}, wxSize(640, 480)),
              "the crop 100x10+600+0 reaches past the 640x480 picture");
}

} // namespace
