// Tile layout of the frame strip, on plain numbers: 80 x 80 thumbnails, margin and spacing 3,
// a 13-pixel caption and a one-line 13-pixel label, so a tile is 86 x 118 and a cell 89 x 121.
#include <gtest/gtest.h>
#include <wx/defs.h>

#include "core/strip/thumbnail_grid.h"
#include "core/strip/thumbnail_size.h"

namespace {

TileMetrics Metrics(int labelLines = 1, int labelWidth = 60)
{
    TileMetrics m;
    m.captionHeight = 13;
    m.labelHeight = 13 * labelLines;
    m.labelWidth = labelWidth;
    return m;
}

ThumbnailGrid LabelGrid()
{
    return ThumbnailGrid(Metrics());
}

}  // namespace

TEST(ThumbnailGrid, NarrowClientStillShowsOneColumn)
{
    const ThumbnailGrid grid = LabelGrid();
    EXPECT_EQ(1, grid.Columns(0));
    EXPECT_EQ(1, grid.Columns(50));
    EXPECT_EQ(1, grid.Columns(177));
    EXPECT_EQ(2, grid.Columns(178));
    EXPECT_EQ(3, grid.Columns(300));
}

TEST(ThumbnailGrid, ItemsFillRowsLeftToRightThenDownward)
{
    const ThumbnailGrid grid = LabelGrid();
    EXPECT_EQ(wxRect(3, 3, 86, 118), grid.ItemRect(0, 300));
    EXPECT_EQ(wxRect(181, 3, 86, 118), grid.ItemRect(2, 300));
    EXPECT_EQ(wxRect(92, 124, 86, 118), grid.ItemRect(4, 300));
    // One column: every item starts a new row.
    EXPECT_EQ(wxRect(3, 366, 86, 118), grid.ItemRect(3, 60));
}

TEST(ThumbnailGrid, ThumbnailBoxSitsBetweenCaptionAndLabel)
{
    const ThumbnailGrid grid = LabelGrid();
    // Margin + text line + margin above the box, the same below it.
    EXPECT_EQ(wxRect(6, 22, 80, 80), grid.ImageRect(wxRect(3, 3, 86, 118)));
    EXPECT_EQ(wxRect(6, 6, 80, 13), grid.CaptionRect(wxRect(3, 3, 86, 118)));
    EXPECT_EQ(wxRect(6, 105, 80, 13), grid.LabelRect(wxRect(3, 3, 86, 118)));
    // Works on scrolled rectangles too.
    EXPECT_EQ(wxRect(6, -8, 80, 80), grid.ImageRect(wxRect(3, -27, 86, 118)));

    // Without a label the tile ends one margin below the box.
    TileMetrics noLabel = Metrics();
    noLabel.labelHeight = noLabel.labelWidth = 0;
    EXPECT_EQ(wxSize(86, 102), noLabel.ItemSize());
    EXPECT_EQ(wxRect(6, 22, 80, 80), ThumbnailGrid(noLabel).ImageRect(wxRect(3, 3, 86, 102)));
}

TEST(ThumbnailGrid, TileMakesRoomForItsLabel)
{
    struct Case {
        int lines, labelWidth, thumb;
        wxSize item;
        wxRect label;  // in the tile at (3, 3)
    };
    const Case cases[] = {
        // One line narrower than the box: the box decides the width.
        {1, 60, 80, {86, 118}, {6, 105, 80, 13}},
        // A second line makes the tile one line taller, the box stays where it was.
        {2, 70, 80, {86, 131}, {6, 105, 80, 26}},
        // A label wider than a small box widens the tile; the box stays centred in it.
        {2, 70, 64, {76, 115}, {6, 89, 70, 26}},
    };
    for (const Case& c : cases) {
        TileMetrics m = Metrics(c.lines, c.labelWidth);
        m.thumbWidth = m.thumbHeight = c.thumb;
        SCOPED_TRACE(c.thumb);
        EXPECT_EQ(c.item, m.ItemSize());
        const ThumbnailGrid grid(m);
        const wxRect tile(wxPoint(3, 3), c.item);
        EXPECT_EQ(c.label, grid.LabelRect(tile));
        EXPECT_EQ(3 + (c.item.x - c.thumb) / 2, grid.ImageRect(tile).x);
        EXPECT_GE(grid.LabelRect(tile).width, c.labelWidth) << "the label fits its tile";
    }
}

TEST(ThumbnailGrid, ThumbnailSizesStepWithinTheirRangeAndSettingsFallBack)
{
    EXPECT_LT(ThumbnailSide(ThumbnailSize::Small), ThumbnailSide(ThumbnailSize::Medium));
    EXPECT_LT(ThumbnailSide(ThumbnailSize::Medium), ThumbnailSide(ThumbnailSize::Large));
    EXPECT_EQ(ThumbnailSize::Large, StepThumbnailSize(ThumbnailSize::Medium, 1));
    EXPECT_EQ(ThumbnailSize::Large, StepThumbnailSize(ThumbnailSize::Large, 3));
    EXPECT_EQ(ThumbnailSize::Small, StepThumbnailSize(ThumbnailSize::Large, -2));
    EXPECT_EQ(ThumbnailSize::Small, StepThumbnailSize(ThumbnailSize::Small, -1));
    EXPECT_EQ(ThumbnailSize::Medium, StepThumbnailSize(ThumbnailSize::Medium, 0));
    for (ThumbnailSize size : {ThumbnailSize::Small, ThumbnailSize::Medium, ThumbnailSize::Large})
        EXPECT_EQ(size, ThumbnailSizeFromSetting(ThumbnailSizeSetting(size)));
    // Nothing stored (the -1 the window reads then), a damaged or a newer file's value.
    for (long stored : {-1L, 3L, 1000L})
        EXPECT_EQ(kDefaultThumbnailSize, ThumbnailSizeFromSetting(stored));
}

TEST(ThumbnailGrid, ScrollRangeReachesTheBottomOfTheLastRow)
{
    const ThumbnailGrid grid = LabelGrid();
    EXPECT_EQ(0, grid.ContentHeight(0, 300));
    EXPECT_EQ(0, grid.ScrollUnits(0, 300));
    // Ten items in three columns: 4 rows, 3 + 4 * 121 = 487 pixels.
    EXPECT_EQ(487, grid.ContentHeight(10, 300));
    // 49 units, not 48: 480 pixels would hide the last row's bottom edge and label.
    EXPECT_EQ(49, grid.ScrollUnits(10, 300));
    EXPECT_EQ(37, grid.ScrollUnits(9, 300));  // 3 + 3 * 121 = 366
}

TEST(ThumbnailGrid, ViewStartIsClampedWhenContentShrinks)
{
    const ThumbnailGrid grid = LabelGrid();
    // 487 pixels in a 200-pixel view: the last start that shows the bottom is 29 (290..490).
    EXPECT_EQ(29, grid.ClampStart(40, 10, 300, 200));
    EXPECT_EQ(12, grid.ClampStart(12, 10, 300, 200));
    // After deleting down to one row the content fits: back to the top.
    EXPECT_EQ(0, grid.ClampStart(29, 3, 300, 200));
    EXPECT_EQ(0, grid.ClampStart(29, 0, 300, 200));
}

TEST(ThumbnailGrid, HitTestMissesSpacingBlankAreaAndBeyondLastItem)
{
    const ThumbnailGrid grid = LabelGrid();
    EXPECT_EQ(0, grid.HitTest(wxPoint(3, 3), 0, 10, 300));
    EXPECT_EQ(0, grid.HitTest(wxPoint(88, 120), 0, 10, 300));
    EXPECT_EQ(-1, grid.HitTest(wxPoint(90, 50), 0, 10, 300));   // between columns 0 and 1
    EXPECT_EQ(-1, grid.HitTest(wxPoint(50, 122), 0, 10, 300));  // between rows 0 and 1
    EXPECT_EQ(-1, grid.HitTest(wxPoint(50, 1), 0, 10, 300));    // top spacing
    // Right of the last column, also where further rows follow (no wrap into the next row).
    EXPECT_EQ(-1, grid.HitTest(wxPoint(285, 50), 0, 10, 300));
    EXPECT_EQ(-1, grid.HitTest(wxPoint(275, 150), 0, 10, 300));
    // Row 3 holds only item 9: the places of 10 and 11 are empty, as is everything below.
    EXPECT_EQ(9, grid.HitTest(wxPoint(10, 400), 0, 10, 300));
    EXPECT_EQ(-1, grid.HitTest(wxPoint(100, 400), 0, 10, 300));
    EXPECT_EQ(-1, grid.HitTest(wxPoint(10, 500), 0, 10, 300));
    EXPECT_EQ(-1, grid.HitTest(wxPoint(10, 10), 0, 0, 300));
}

TEST(ThumbnailGrid, HitTestFollowsTheScrollPosition)
{
    const ThumbnailGrid grid = LabelGrid();
    // Scrolled by 130 pixels, client y 10 is logical y 140: row 1.
    EXPECT_EQ(4, grid.HitTest(wxPoint(100, 10), 130, 10, 300));
    // Client y 0 at 120 pixels is the spacing below row 0.
    EXPECT_EQ(-1, grid.HitTest(wxPoint(100, 2), 120, 10, 300));
}

TEST(ThumbnailGrid, ScrollTargetShowsTheWholeTile)
{
    const ThumbnailGrid grid = LabelGrid();
    const wxSize view(300, 200);
    EXPECT_EQ(-1, grid.ScrollTarget(0, 0, view, false));  // in view already
    // Item 9 spans 366..484: start 29 shows 290..490, its bottom included (28 would not).
    EXPECT_EQ(29, grid.ScrollTarget(9, 0, view, false));
    EXPECT_EQ(29, grid.ScrollTarget(9, 0, view, true));
    // Item 0 above the view: back to its top.
    EXPECT_EQ(0, grid.ScrollTarget(0, 29, view, false));
    EXPECT_EQ(0, grid.ScrollTarget(0, 29, view, true));
}

TEST(ThumbnailGrid, TileTallerThanViewShowsTopBackwardAndBottomForward)
{
    const ThumbnailGrid grid = LabelGrid();
    const wxSize view(300, 100);
    // Item 3 spans 124..242; the view 130..230 cuts both ends.
    EXPECT_EQ(15, grid.ScrollTarget(3, 13, view, false));
    EXPECT_EQ(12, grid.ScrollTarget(3, 13, view, true));
}

TEST(ThumbnailGrid, ItemsInBandCoverEveryTileThatMeetsIt)
{
    const ThumbnailGrid grid = LabelGrid();
    int first = 0, last = 0;
    grid.ItemsInBand(0, 200, 10, 300, first, last);  // rows 0 and 1
    EXPECT_EQ(0, first);
    EXPECT_GE(last, 5);
    grid.ItemsInBand(300, 310, 10, 300, first, last);  // inside row 2 only
    EXPECT_LE(first, 6);
    EXPECT_GE(last, 8);
    grid.ItemsInBand(400, 900, 10, 300, first, last);
    EXPECT_LE(first, 9);
    EXPECT_EQ(9, last);
    grid.ItemsInBand(0, 200, 0, 300, first, last);
    EXPECT_LT(last, first);
}

TEST(ThumbnailGrid, ArrowsStopAtTheEndsAndPagesLandOnTheLastItem)
{
    const ThumbnailGrid grid = LabelGrid();
    const wxSize view(300, 250);  // 3 columns, 2 full rows: a page is 6 items
    EXPECT_EQ(5, grid.NavigationTarget(WXK_RIGHT, 4, 10, view));
    EXPECT_EQ(3, grid.NavigationTarget(WXK_LEFT, 4, 10, view));
    EXPECT_EQ(7, grid.NavigationTarget(WXK_DOWN, 4, 10, view));
    EXPECT_EQ(1, grid.NavigationTarget(WXK_UP, 4, 10, view));
    EXPECT_EQ(0, grid.NavigationTarget(WXK_HOME, 4, 10, view));
    EXPECT_EQ(9, grid.NavigationTarget(WXK_END, 4, 10, view));
    EXPECT_EQ(7, grid.NavigationTarget(WXK_PAGEDOWN, 1, 10, view));
    EXPECT_EQ(9, grid.NavigationTarget(WXK_PAGEDOWN, 4, 10, view));  // past the end
    EXPECT_EQ(0, grid.NavigationTarget(WXK_PAGEUP, 4, 10, view));
    EXPECT_EQ(1, grid.NavigationTarget(WXK_PAGEUP, 7, 10, view));

    EXPECT_EQ(-1, grid.NavigationTarget(WXK_RIGHT, 9, 10, view));
    EXPECT_EQ(-1, grid.NavigationTarget(WXK_DOWN, 7, 10, view));  // last row
    EXPECT_EQ(-1, grid.NavigationTarget(WXK_LEFT, 0, 10, view));
    EXPECT_EQ(-1, grid.NavigationTarget(WXK_UP, 2, 10, view));
    EXPECT_EQ(-1, grid.NavigationTarget('a', 4, 10, view));
    // A view lower than one tile still pages by one row.
    EXPECT_EQ(7, grid.NavigationTarget(WXK_PAGEDOWN, 4, 10, wxSize(300, 50)));
}
