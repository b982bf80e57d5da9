#include <gtest/gtest.h>

#include "core/record/region_editing.h"

namespace {
const CaptureRect kBox{100, 100, 200, 100};  // right 300, bottom 200
}

TEST(RegionEditing, ThePointerTakesTheNearestPartOfTheRectangle)
{
    struct Case {
        int x, y;
        RegionGrip grip;
    };
    const Case cases[] = {
        {98, 103, RegionGrip::TopLeft},  {302, 97, RegionGrip::TopRight},
        {100, 200, RegionGrip::BottomLeft}, {300, 204, RegionGrip::BottomRight},
        {96, 150, RegionGrip::Left},     {304, 150, RegionGrip::Right},
        {200, 96, RegionGrip::Top},      {200, 202, RegionGrip::Bottom},
        {200, 150, RegionGrip::Move},    {95, 150, RegionGrip::None},
        {200, 205, RegionGrip::None},    {10, 10, RegionGrip::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GripAt(kBox, c.x, c.y, 4), c.grip) << c.x << "," << c.y;
}

TEST(RegionEditing, DragsStayInsideTheSourceAndKeepASize)
{
    struct Case {
        const char* what;
        RegionGrip grip;
        int fromX, fromY, toX, toY;
        CaptureRect result;
    };
    const Case cases[] = {
        {"move", RegionGrip::Move, 150, 150, 170, 140, {120, 90, 200, 100}},
        {"move stops at the far edges", RegionGrip::Move, 150, 150, 900, 900, {440, 380, 200, 100}},
        {"move stops at the near edges", RegionGrip::Move, 150, 150, -50, -50, {0, 0, 200, 100}},
        {"right edge", RegionGrip::Right, 300, 150, 350, 10, {100, 100, 250, 100}},
        {"right edge past the left one", RegionGrip::Right, 300, 150, 20, 150, {100, 100, 1, 100}},
        {"left edge past the screen", RegionGrip::Left, 100, 150, -30, 150, {0, 100, 300, 100}},
        {"top-left corner", RegionGrip::TopLeft, 100, 100, 90, 80, {90, 80, 210, 120}},
        {"bottom-right past the source", RegionGrip::BottomRight, 300, 200, 700, 700, {100, 100, 540, 380}},
        {"new, drawn up and left", RegionGrip::None, 50, 60, 10, 20, {10, 20, 40, 40}},
        {"new, a click without a drag", RegionGrip::None, 50, 60, 50, 60, {50, 60, 1, 1}},
        {"new, out past the corner", RegionGrip::None, 600, 400, 900, 900, {600, 400, 40, 80}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DragRegion(kBox, c.grip, c.fromX, c.fromY, c.toX, c.toY, 640, 480), c.result)
            << c.what;
}

TEST(RegionEditing, TypedValuesAreBroughtWithinTheSource)
{
    EXPECT_EQ(ClampRegion({0, 0, 640, 480}, 640, 480), (CaptureRect{0, 0, 640, 480}));
    EXPECT_EQ(ClampRegion({600, 0, 100, 10}, 640, 480), (CaptureRect{600, 0, 40, 10}));
    EXPECT_EQ(ClampRegion({-5, 900, 0, 0}, 640, 480), (CaptureRect{0, 479, 1, 1}));
}

TEST(RegionEditing, TheControlWindowGoesWhereTheScreenHasRoom)
{
    struct Case {
        const char* what;
        CaptureRect region;
        bool placed;
        int x, y;
    };
    // A 300 x 100 window on a 1280 x 1024 screen, 8 pixels off the region.
    const Case cases[] = {
        {"below", {100, 100, 400, 300}, true, 150, 408},
        {"above", {0, 600, 1280, 424}, true, 490, 492},
        {"right", {0, 0, 800, 1024}, true, 808, 462},
        {"left", {400, 0, 880, 1024}, true, 92, 462},
        {"nowhere", {0, 0, 1280, 1024}, false, 0, 0},
    };
    for (const Case& c : cases) {
        int x = 0, y = 0;
        EXPECT_EQ(PlaceOutside(c.region, 1280, 1024, 300, 100, 8, x, y), c.placed) << c.what;
        if (c.placed) {
            EXPECT_EQ(x, c.x) << c.what;
            EXPECT_EQ(y, c.y) << c.what;
        }
    }
}

TEST(RegionEditing, ShiftDragsKeepTheProportionWithinTheSource)
{
    struct Case {
        const char* what;
        CaptureRect dragged;
        RegionGrip grip;
        int ratioW, ratioH;
        CaptureRect expected;
    };
    // A source of 400 x 300.
    const Case cases[] = {
        {"a corner takes the longer side", {10, 10, 100, 50}, RegionGrip::BottomRight, 1, 1,
         {10, 10, 100, 100}},
        {"a corner stops at the source's edge", {50, 60, 40, 100}, RegionGrip::TopLeft, 1, 1,
         {0, 70, 90, 90}},
        {"an edge moves the other side back inside", {300, 250, 100, 20}, RegionGrip::Right, 1,
         1, {300, 200, 100, 100}},
        {"an edge too long for the source shrinks", {0, 0, 50, 300}, RegionGrip::Bottom, 16, 9,
         {0, 0, 400, 225}},
        {"a move keeps the rectangle", {5, 5, 10, 20}, RegionGrip::Move, 1, 1, {5, 5, 10, 20}},
        {"no proportion", {5, 5, 10, 20}, RegionGrip::Right, 0, 1, {5, 5, 10, 20}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, KeepProportion(c.dragged, c.grip, c.ratioW, c.ratioH, 400, 300))
            << c.what;
    // A new rectangle drawn up and left keeps the corner where the drag began.
    EXPECT_EQ((CaptureRect{50, 50, 50, 50}),
              DragRegionKeeping({}, RegionGrip::None, 100, 100, 50, 80, 400, 300, 1, 1));
    EXPECT_EQ((CaptureRect{0, 37, 400, 225}), FitProportion({0, 0, 400, 300}, 16, 9));
    EXPECT_EQ((CaptureRect{50, 0, 300, 300}), FitProportion({0, 0, 400, 300}, 1, 1));
}
