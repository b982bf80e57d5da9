// Frame orders on plain numbers: which positions a choice names, and the orders of the edits.
#include <algorithm>
#include <numeric>
#include <vector>

#include <gtest/gtest.h>

#include "core/document/frame_order.h"

namespace {
using Positions = std::vector<int>;
using Order = std::vector<int>;

Order Identity(int count)
{
    Order order(count);
    std::iota(order.begin(), order.end(), 0);
    return order;
}
}  // namespace

TEST(FrameOrder, AChoiceNamesEachFrameOnceAscendingAndNothingOutsideTheList)
{
    const struct {
        int count;
        Positions indices, valid;
    } cases[] = {
        {5, {3, 1, 4}, {1, 3, 4}},
        {5, {2, 2, 0, 2}, {0, 2}},
        {5, {-1, 5, 99, 4}, {4}},
        {5, {}, {}},
        {0, {0, 1}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.valid, ValidPositions(c.count, c.indices)) << c.count;
}

TEST(FrameOrder, SelectionsMoveForwardAndBackwardAsABlock)
{
    EXPECT_EQ(Order({0, 2, 4, 1, 3, 5}), OrderAfterMove(6, {1, 3}, 5));
    EXPECT_EQ(3, MovedStart(6, {1, 3}, 5));
    EXPECT_EQ(Order({0, 2, 4, 1, 3, 5}), OrderAfterMove(6, {2, 4}, 1));
    EXPECT_EQ(1, MovedStart(6, {2, 4}, 1));
    EXPECT_EQ(Order({3, 5, 0, 1, 2, 4}), OrderAfterMove(6, {5, 3}, 0)) << "to the start";
    EXPECT_EQ(Order({1, 3, 4, 5, 0, 2}), OrderAfterMove(6, {0, 2}, 6)) << "to the end";
    EXPECT_EQ(4, MovedStart(6, {0, 2}, 6));
    EXPECT_EQ(Order({0, 1, 4, 5, 2, 3}), OrderAfterMove(6, {2, 3}, 6));
    // The order in which the items were selected does not matter, nor repeats or indices
    // that name no item.
    EXPECT_EQ(OrderAfterMove(6, {1, 3}, 5), OrderAfterMove(6, {3, 1, 3, -1, 9}, 5));
}

TEST(FrameOrder, OnlyABlockDroppedOntoItsOwnPlaceChangesNothing)
{
    EXPECT_TRUE(MoveChangesNothing(6, {2, 3}, 2));
    EXPECT_TRUE(MoveChangesNothing(6, {2, 3}, 3));
    EXPECT_TRUE(MoveChangesNothing(6, {3, 2}, 4));
    EXPECT_FALSE(MoveChangesNothing(6, {2, 3}, 5));
    EXPECT_FALSE(MoveChangesNothing(6, {2, 3}, 1));
    EXPECT_FALSE(MoveChangesNothing(6, {1, 3}, 2)) << "gathering a spread selection moves it";
    EXPECT_TRUE(MoveChangesNothing(6, {}, 2));
    EXPECT_TRUE(MoveChangesNothing(6, {-1, 7}, 0));
}

// Every selection of short lists onto every gap: the result is a rearrangement that puts the
// moved items where MovedPositions says, in their old order, and it is the old order exactly
// when MoveChangesNothing says so.
TEST(FrameOrder, EveryMoveOfShortListsKeepsItsPromises)
{
    for (int count = 1; count <= 6; ++count)
        for (int mask = 1; mask < (1 << count); ++mask) {
            Order moved;
            for (int i = 0; i < count; ++i)
                if (mask & (1 << i))
                    moved.push_back(i);
            for (int gap = 0; gap <= count; ++gap) {
                const Order order = OrderAfterMove(count, moved, gap);
                Order sorted = order;
                std::sort(sorted.begin(), sorted.end());
                ASSERT_EQ(Identity(count), sorted) << count << "/" << mask << "/" << gap;
                Order landed;
                for (int position : MovedPositions(count, moved, gap))
                    landed.push_back(order[position]);
                ASSERT_EQ(moved, landed) << count << "/" << mask << "/" << gap;
                ASSERT_EQ(MovedStart(count, moved, gap), MovedPositions(count, moved, gap)[0]);
                ASSERT_EQ(order == Identity(count), MoveChangesNothing(count, moved, gap))
                    << count << "/" << mask << "/" << gap;
            }
        }
}

TEST(FrameOrder, StepsMoveTheFirstSelectedItemAndStopAtTheEnds)
{
    EXPECT_EQ(Order({0, 2, 1, 3, 4, 5}), OrderAfterMove(6, {2}, GapForStep(6, {2}, -1)));
    EXPECT_EQ(Order({0, 1, 3, 2, 4, 5}), OrderAfterMove(6, {2}, GapForStep(6, {2}, 1)));
    EXPECT_EQ(6, GapForStep(6, {3, 4}, 1)) << "onto the end";
    EXPECT_EQ(Order({0, 1, 2, 5, 3, 4}), OrderAfterMove(6, {3, 4}, 6));
    EXPECT_EQ(-1, GapForStep(6, {0}, -1));
    EXPECT_EQ(-1, GapForStep(6, {5}, 1));
    EXPECT_EQ(-1, GapForStep(6, {4, 5}, 1));
    EXPECT_EQ(-1, GapForStep(6, {}, 1));
    // A row of three: item 4 goes straight down to 7 and up to 1; item 7 has no row below.
    EXPECT_EQ(7, MovedStart(10, {4}, GapForStep(10, {4}, 3)));
    EXPECT_EQ(1, MovedStart(10, {4}, GapForStep(10, {4}, -3)));
    EXPECT_EQ(-1, GapForStep(10, {7}, 3));
    EXPECT_EQ(-1, GapForStep(10, {2}, -3));
    // A spread selection gathers behind its first item's new place.
    EXPECT_EQ(Order({1, 3, 0, 2, 4}), OrderAfterMove(5, {1, 3}, GapForStep(5, {1, 3}, -1)));
    EXPECT_EQ(Order({0, 2, 1, 3, 4}), OrderAfterMove(5, {1, 3}, GapForStep(5, {1, 3}, 1)));
}
