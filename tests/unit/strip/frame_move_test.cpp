// Dragging frames in the strip on plain numbers: the gap under a pointer, the marker's place
// and the auto-scroll.
// The grid is the one of thumbnail_grid_test: 86 x 118 tiles in 89 x 121 cells, 3 columns
// in a 300-pixel strip.
#include <gtest/gtest.h>

#include "core/strip/frame_move.h"
#include "core/strip/thumbnail_grid.h"

namespace {

ThumbnailGrid LabelGrid()
{
    TileMetrics metrics;
    metrics.captionHeight = metrics.labelHeight = 13;
    return ThumbnailGrid(metrics);
}

DropGap At(int x, int y, int count = 10, int width = 300)
{
    return DropGapAt(LabelGrid(), wxPoint(x, y), count, width);
}

}  // namespace

TEST(DropGap, TheNearerSideOfATileDecides)
{
    // Tile 1 spans x 92..177; its middle is at 135.
    EXPECT_EQ(1, At(100, 50).gap);
    EXPECT_EQ(1, At(134, 50).gap);
    EXPECT_EQ(2, At(135, 50).gap);
    EXPECT_EQ(1, At(90, 50).gap) << "the spacing before tile 1";
    EXPECT_EQ(0, At(10, 50).gap);
    EXPECT_EQ(0, At(-30, 50).gap) << "left of the strip";
    const DropGap second = At(200, 150);  // left half of tile 5
    EXPECT_EQ(5, second.gap);
    EXPECT_EQ(1, second.row);
    EXPECT_EQ(2, second.col);
}

TEST(DropGap, RowEndsAndTheListEndKeepTheirRow)
{
    // Right of row 1's last tile: after item 5, marked at the end of row 1, not the start of
    // row 2, although both are gap 6.
    const DropGap rowEnd = At(290, 150);
    EXPECT_EQ(6, rowEnd.gap);
    EXPECT_EQ(1, rowEnd.row);
    EXPECT_EQ(3, rowEnd.col);
    // Row 3 holds item 9 alone: its empty places and everything below end the list.
    for (const wxPoint p : {wxPoint(200, 400), wxPoint(10, 600), wxPoint(250, 2000)}) {
        const DropGap end = At(p.x, p.y);
        EXPECT_EQ(10, end.gap) << p.x << "," << p.y;
        EXPECT_EQ(3, end.row);
        EXPECT_EQ(1, end.col);
    }
    EXPECT_EQ(2, At(140, -40).gap) << "above the first row counts as the first row";
    EXPECT_EQ(0, At(50, 50, 0).gap) << "an empty strip";
}

// The places that fall outside a tile's halves: files dropped from outside land there too.
TEST(DropGap, EdgesOfTheGridFallToTheNearestGap)
{
    const struct {
        int x, y, count, width, gap;
        const char* where;
    } cases[] = {
        {1, 150, 7, 300, 3, "left of a later row's first tile"},
        {134, 240, 7, 300, 4, "the bottom edge of a tile's left half"},
        {50, 1, 7, 300, 1, "the spacing above the first row"},
        {10, 5000, 6, 300, 6, "far below a full last row"},
        {10, 130, 3, 60, 1, "one column: a tile's left half"},
        {55, 130, 3, 60, 2, "one column: a tile's right half"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.gap, At(c.x, c.y, c.count, c.width).gap) << c.where;
}

TEST(DropGap, MarkerStandsInTheSpacingBetweenTwoTiles)
{
    const ThumbnailGrid grid = LabelGrid();
    const wxRect left = grid.ItemRect(3, 300), right = grid.ItemRect(4, 300);
    const wxRect marker = DropMarkerRect(grid, At(100, 150), 5);
    const int middle = marker.x + marker.width / 2;
    EXPECT_GT(middle, left.GetRight());
    EXPECT_LT(middle, right.x);
    // Wider than the spacing, it covers no more than a tile's outer edge on either side.
    EXPECT_EQ(left.GetRight(), marker.x);
    EXPECT_EQ(right.x, marker.GetRight());
    EXPECT_EQ(left.y, marker.y);
    EXPECT_EQ(left.height, marker.height);
    // At the end of a row it stands right of the row's last tile, in that row.
    const wxRect last = grid.ItemRect(5, 300);
    const wxRect rowEnd = DropMarkerRect(grid, At(290, 150), 5);
    EXPECT_EQ(last.GetRight(), rowEnd.x);
    EXPECT_EQ(last.y, rowEnd.y);
}

TEST(FrameMove, AutoScrollRunsOnlyNearTheEdgesAndFasterPastThem)
{
    EXPECT_EQ(0, AutoScrollStep(100, 200, 24));
    EXPECT_EQ(0, AutoScrollStep(24, 200, 24));
    EXPECT_EQ(-1, AutoScrollStep(23, 200, 24));
    EXPECT_EQ(-2, AutoScrollStep(0, 200, 24));
    EXPECT_EQ(-3, AutoScrollStep(-40, 200, 24));
    EXPECT_EQ(0, AutoScrollStep(175, 200, 24));
    EXPECT_EQ(1, AutoScrollStep(176, 200, 24));
    EXPECT_EQ(2, AutoScrollStep(199, 200, 24));
    EXPECT_EQ(3, AutoScrollStep(260, 200, 24));
    EXPECT_EQ(0, AutoScrollStep(0, 200, 0));
}
