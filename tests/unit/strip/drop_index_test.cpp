// Where a drop on the strip puts its frames: the tile grid of thumbnail_grid_test (tiles
// 86 x 118 in cells of 89 x 121, 3 pixels of spacing), three columns in a 300-pixel strip.
#include <gtest/gtest.h>

#include "core/strip/drop_index.h"

namespace {
ThumbnailGrid LabelGrid()
{
    TileMetrics metrics;
    metrics.captionHeight = metrics.labelHeight = 13;
    return ThumbnailGrid(metrics);
}

int DropAt(int x, int y, int count, int width = 300)
{
    return DropIndex(LabelGrid(), wxPoint(x, y), count, width);
}
}

TEST(DropIndex, ATilesLeftHalfIsBeforeItAndItsRightHalfAfterIt)
{
    // Tile 4 is the middle of the second row: x 92..177, y 124..241; its middle is x 135.
    EXPECT_EQ(DropAt(93, 130, 7), 4);
    EXPECT_EQ(DropAt(134, 240, 7), 4);
    EXPECT_EQ(DropAt(135, 130, 7), 5);
    EXPECT_EQ(DropAt(177, 200, 7), 5);
    // The first tile of the strip.
    EXPECT_EQ(DropAt(10, 10, 7), 0);
    EXPECT_EQ(DropAt(80, 10, 7), 1);
}

TEST(DropIndex, SpacingAndTheRowsBlankEndBelongToTheNearestGap)
{
    // The spacing between tiles 3 and 4, and left of the first column.
    EXPECT_EQ(DropAt(90, 150, 7), 4);
    EXPECT_EQ(DropAt(1, 150, 7), 3);
    // Right of a full row's last tile: after it, as a cursor at a line's end.
    EXPECT_EQ(DropAt(290, 150, 7), 6);
    // The spacing above the first row.
    EXPECT_EQ(DropAt(50, 1, 7), 1);
}

TEST(DropIndex, BelowTheTilesAndInAnEmptyStripIsTheEnd)
{
    // The third row holds tile 6 alone: right of it and below it are the end.
    EXPECT_EQ(DropAt(250, 300, 7), 7);
    EXPECT_EQ(DropAt(10, 400, 7), 7);
    EXPECT_EQ(DropAt(10, 5000, 6), 6);
    EXPECT_EQ(DropAt(50, 50, 0), 0);
    // One column: a narrow strip still splits its tiles in halves.
    EXPECT_EQ(DropAt(10, 130, 3, 60), 1);
    EXPECT_EQ(DropAt(55, 130, 3, 60), 2);
}
