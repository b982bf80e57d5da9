// Frame orders on plain numbers: which positions a choice names, and the orders of the edits.
#include <vector>

#include <gtest/gtest.h>

#include "core/document/frame_order.h"

namespace {
using Positions = std::vector<int>;
}

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
