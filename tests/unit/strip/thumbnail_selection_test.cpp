// Selection rules of the frame strip: which indices a click or key selects, which it
// reports (and in what order), and where anchor, last selected and focus end up.
#include <vector>

#include <gtest/gtest.h>

#include "core/strip/thumbnail_selection.h"

namespace {

using Indices = std::vector<int>;

Indices Selected(const ThumbnailSelection& s)
{
    return Indices(s.Indices().begin(), s.Indices().end());
}

void ExpectMarks(const ThumbnailSelection& s, int anchor, int last, int focus)
{
    EXPECT_EQ(anchor, s.Anchor());
    EXPECT_EQ(last, s.LastSelected());
    EXPECT_EQ(focus, s.FocusItem());
}

const int kCount = 10;

}  // namespace

TEST(ThumbnailSelection, PlainClickReportsOldSelectionDeselectedThenNewItem)
{
    ThumbnailSelection s;
    s.Select(1, true);
    s.Select(3, true);
    EXPECT_EQ(Indices({1, 3, 5}), s.Update(5, 0, true, kCount));
    EXPECT_EQ(Indices({5}), Selected(s));
    ExpectMarks(s, 5, 5, 5);
}

TEST(ThumbnailSelection, PlainClickOnSelectedItemReportsItOnceInItsOldPlace)
{
    ThumbnailSelection s;
    s.Select(5, true);
    s.Select(1, true);
    EXPECT_EQ(Indices({5, 1}), s.Update(5, 0, true, kCount));
    EXPECT_EQ(Indices({5}), Selected(s));
}

TEST(ThumbnailSelection, ShiftClickKeepsAnchorAcrossRepeatedClicks)
{
    ThumbnailSelection s;
    s.Update(5, 0, true, kCount);
    EXPECT_EQ(Indices({5, 6, 7, 8}), s.Update(8, STRIP_SHIFT_DOWN, true, kCount));
    EXPECT_EQ(Indices({5, 6, 7, 8}), Selected(s));
    ExpectMarks(s, 5, 8, 8);

    // Back across the anchor: 6, 7 and 8 drop out without being reported.
    EXPECT_EQ(Indices({5, 4, 3, 2}), s.Update(2, STRIP_SHIFT_DOWN, true, kCount));
    EXPECT_EQ(Indices({5, 4, 3, 2}), Selected(s));
    ExpectMarks(s, 5, 2, 2);
}

TEST(ThumbnailSelection, ShiftClickWithoutUsableAnchorSelectsOnlyTheClickedItem)
{
    ThumbnailSelection s;
    s.Update(2, 0, true, kCount);
    s.ItemAppended();  // drops the anchor, keeps the selection
    EXPECT_EQ(Indices({4}), s.Update(4, STRIP_SHIFT_DOWN, true, kCount));
    EXPECT_EQ(Indices({4}), Selected(s));
    ExpectMarks(s, 4, 4, 4);

    // An anchor left beyond the end (the list shrank) is not usable either.
    s.Update(9, 0, true, kCount);
    EXPECT_EQ(Indices({3}), s.Update(3, STRIP_SHIFT_DOWN, true, 5));
    EXPECT_EQ(3, s.Anchor());

    // Shift on the anchor itself: just that item.
    EXPECT_EQ(Indices({3}), s.Update(3, STRIP_SHIFT_DOWN, true, kCount));
    EXPECT_EQ(Indices({3}), Selected(s));
}

TEST(ThumbnailSelection, ControlClickTogglesOnlyTheClickedItem)
{
    ThumbnailSelection s;
    s.Select(2, true);
    s.Select(5, true);
    EXPECT_EQ(Indices({5}), s.Update(5, STRIP_CTRL_DOWN, true, kCount));
    EXPECT_EQ(Indices({2}), Selected(s));
    ExpectMarks(s, 5, 5, 5);
    // Control wins over Shift.
    EXPECT_EQ(Indices({7}), s.Update(7, STRIP_CTRL_DOWN | STRIP_SHIFT_DOWN, true, kCount));
    EXPECT_EQ(Indices({2, 7}), Selected(s));
}

TEST(ThumbnailSelection, ModifiersActAsPlainClickWithoutMultiSelect)
{
    ThumbnailSelection s;
    s.Update(2, 0, false, kCount);
    EXPECT_EQ(Indices({2, 6}), s.Update(6, STRIP_SHIFT_DOWN, false, kCount));
    EXPECT_EQ(Indices({6}), Selected(s));
    EXPECT_EQ(Indices({6}), s.Update(6, STRIP_CTRL_DOWN | STRIP_ALT_DOWN, false, kCount));
    EXPECT_EQ(Indices({6}), Selected(s));
}

TEST(ThumbnailSelection, SelectAllMarksTheLastItem)
{
    ThumbnailSelection s;
    s.Select(2, true);
    s.SelectAll(4);
    EXPECT_EQ(Indices({2, 0, 1, 3}), Selected(s));
    ExpectMarks(s, 3, 3, 3);

    ThumbnailSelection empty;
    empty.SelectAll(0);
    EXPECT_TRUE(Selected(empty).empty());
    ExpectMarks(empty, -1, -1, -1);
}

TEST(ThumbnailSelection, AppendAndInsertDropMarksAndKeepSelection)
{
    ThumbnailSelection s;
    s.Select(1, true);
    s.Select(2, true);
    s.Select(5, true);
    s.ItemAppended();
    EXPECT_EQ(Indices({1, 2, 5}), Selected(s));
    ExpectMarks(s, -1, -1, -1);

    s.SetFocusItem(4);
    s.ItemInserted(2);  // items at 2 and later move down
    EXPECT_EQ(Indices({1, 3, 6}), Selected(s));
    ExpectMarks(s, -1, -1, -1);
}

TEST(ThumbnailSelection, DeleteMovesSelectionAndClearsOnlyMarksOnTheDeletedItem)
{
    ThumbnailSelection s;
    s.Select(1, true);
    s.Select(3, true);
    s.Select(6, true);  // marks on 6

    s.ItemDeleted(8);  // after the marks: nothing moves
    EXPECT_EQ(Indices({1, 3, 6}), Selected(s));
    ExpectMarks(s, 6, 6, 6);

    // Before the marks: the marks keep their numbers and so now name the following item.
    s.ItemDeleted(3);
    EXPECT_EQ(Indices({1, 5}), Selected(s));
    ExpectMarks(s, 6, 6, 6);

    s.SetFocusItem(5);
    s.ItemDeleted(5);  // at the focus: only the focus goes
    EXPECT_EQ(Indices({1}), Selected(s));
    ExpectMarks(s, 6, 6, -1);

    s.ItemDeleted(6);
    ExpectMarks(s, -1, -1, -1);

    s.Select(0, true);
    s.Cleared();
    EXPECT_TRUE(Selected(s).empty());
    ExpectMarks(s, -1, -1, -1);
}

TEST(ThumbnailSelection, RearrangedItemsKeepTheirSelectionAndMarks)
{
    ThumbnailSelection s;
    s.Select(4, true);
    s.Select(1, true);
    s.SetFocusItem(2);
    // Items 1 and 2 moved behind item 4: 0 3 4 1 2 5.
    s.ItemsReordered({0, 3, 4, 1, 2, 5});
    EXPECT_EQ(Indices({2, 3}), Selected(s)) << "item 4 is now at 2, item 1 at 3";
    ExpectMarks(s, 3, 3, 4);

    s.Replace({3, 4});
    EXPECT_EQ(Indices({3, 4}), Selected(s));
    ExpectMarks(s, 3, 3, 3);
    s.Replace({});
    EXPECT_TRUE(Selected(s).empty());
    ExpectMarks(s, -1, -1, -1);
}
