#include <gtest/gtest.h>

#include "core/view/preview_zoom.h"

TEST(PreviewZoom, StepsGoThroughTheLevelsWithFitAtItsOwnScale)
{
    struct Case {
        int zoom, steps;
        double fitScale;
        int expected;
    };
    const Case cases[] = {
        {kZoomFit, 1, 0.37, 50},   // a large picture: fit lies below every level
        {kZoomFit, -1, 0.37, kZoomFit},
        {50, -1, 0.37, kZoomFit},
        {50, 1, 0.75, kZoomFit},   // fit between 50 % and 100 %
        {kZoomFit, 1, 0.75, 100},
        {kZoomFit, 1, 1.0, 200},   // a small picture: fit is 100 %
        {100, -1, 1.0, 50},
        {50, -1, 1.0, 50},         // the smallest stays
        {400, 1, 0.37, 400},       // the largest stays
        {kZoomFit, 9, 0.37, 400},
        {400, -2, 0.37, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, StepZoom(c.zoom, c.steps, c.fitScale))
            << c.zoom << " by " << c.steps << " with fit at " << c.fitScale;
    EXPECT_EQ(200, ValidZoom(200));
    EXPECT_EQ(kZoomFit, ValidZoom(300));
}

TEST(PreviewZoom, LayoutScrollsOnlyWhenTheZoomedPictureIsLarger)
{
    struct Case {
        int zoom;
        wxSize view, picture, scrolled;
        wxRect placed;
    };
    const Case cases[] = {
        {kZoomFit, {400, 300}, {800, 600}, {0, 0}, {0, 0, 400, 300}},
        {kZoomFit, {400, 300}, {100, 100}, {0, 0}, {150, 100, 100, 100}},
        {100, {400, 300}, {800, 600}, {800, 600}, {0, 0, 800, 600}},
        {200, {400, 300}, {100, 100}, {0, 0}, {100, 50, 200, 200}},
        {400, {400, 300}, {50, 200}, {200, 800}, {100, 0, 200, 800}},
        {50, {400, 300}, {3, 3}, {0, 0}, {199, 149, 2, 2}},
        {200, {400, 300}, {0, 0}, {0, 0}, {}},
    };
    for (const Case& c : cases) {
        const PreviewLayout layout = LayOutPreview(c.zoom, c.view, c.picture);
        EXPECT_EQ(c.scrolled, layout.scrolled) << c.zoom << " %";
        EXPECT_EQ(c.placed, layout.picture) << c.zoom << " %";
    }
}

TEST(PreviewZoom, OnlyThePixelsInViewAreTaken)
{
    struct Case {
        wxRect placed;
        wxSize view, picture;
        wxRect source, target;
    };
    const Case cases[] = {
        // The whole of a fitted picture.
        {{0, 0, 400, 300}, {400, 300}, {800, 600}, {0, 0, 800, 600}, {0, 0, 400, 300}},
        // 400 %, scrolled by 10 x 6 pixels: source pixels cut by the view's edge are whole.
        {{-10, -6, 400, 400}, {20, 20}, {100, 100}, {2, 1, 6, 6}, {-2, -2, 24, 24}},
        // Out of view.
        {{500, 0, 100, 100}, {400, 300}, {10, 10}, {}, {}},
    };
    for (const Case& c : cases) {
        const VisiblePart part = VisiblePicturePart(c.placed, c.view, c.picture);
        EXPECT_EQ(c.source, part.source);
        EXPECT_EQ(c.target, part.target);
    }
}

TEST(PreviewZoom, ScrollKeepsThePointUnderThePointer)
{
    const wxSize view(400, 300), picture(800, 600);
    const PreviewLayout fit = LayOutPreview(kZoomFit, view, picture);
    const PreviewLayout actual = LayOutPreview(100, view, picture);
    const PreviewLayout twice = LayOutPreview(200, view, picture);
    // Picture pixel (200, 150) is under (100, 75) when fitted, and stays there.
    EXPECT_EQ(wxPoint(100, 75), ScrollKeepingPoint(fit, {0, 0}, actual, view, {100, 75}));
    // From 100 % scrolled to (100, 100), the pixel under (200, 150) is (300, 250).
    EXPECT_EQ(wxPoint(400, 350), ScrollKeepingPoint(actual, {100, 100}, twice, view, {200, 150}));
    // Zoomed out at the far corner, the scrolling stops at the end of its range.
    EXPECT_EQ(wxPoint(400, 300), ScrollKeepingPoint(twice, {1200, 900}, actual, view, {0, 0}));
    // Back to fit: nothing to scroll.
    EXPECT_EQ(wxPoint(0, 0), ScrollKeepingPoint(twice, {500, 500}, fit, view, {10, 10}));
}
