// The animation document and its undo history, without a display.
#include <gtest/gtest.h>

#include "core/document/animation_document.h"
#include "core/document/edit_history.h"
#include "core/document/frame_order.h"
#include "support/test_images.h"

namespace {
FrameList Frames(int n, int side = 4)
{
    FrameList frames;
    for (int i = 0; i < n; ++i)
        frames.push_back(MakeFrame(PictureOf(wxImage(side, side)), wxString::Format("f%d.png", i)));
    return frames;
}

// The document's frames as positions in the original list (-1 for a stranger).
std::vector<int> Order(const AnimationDocument& doc, const FrameList& original)
{
    std::vector<int> order;
    for (const FramePtr& frame : doc.Frames()) {
        int at = -1;
        for (size_t i = 0; i < original.size(); ++i)
            if (original[i] == frame)
                at = static_cast<int>(i);
        order.push_back(at);
    }
    return order;
}

struct Editing {
    explicit Editing(int n, size_t bound = size_t(1) << 30) : history(doc, bound)
    {
        frames = Frames(n);
        doc.Insert(0, frames);
    }
    AnimationDocument doc;
    EditHistory history;
    FrameList frames;
};
}

TEST(AnimationDocument, OrdersOfReversalsAndTheirInverses)
{
    EXPECT_EQ(ReverseOrder(5, {1, 3, 4}), (std::vector<int>{0, 4, 2, 3, 1}));
    EXPECT_EQ(ReverseOrder(4, {2}), (std::vector<int>{3, 2, 1, 0}));
    const std::vector<int> order{2, 0, 3, 1};
    const std::vector<int> inverse = InverseOrder(order);
    AnimationDocument doc;
    const FrameList frames = Frames(4);
    doc.Insert(0, frames);
    ASSERT_TRUE(doc.Reorder(order));
    ASSERT_TRUE(doc.Reorder(inverse));
    EXPECT_EQ(doc.Frames(), frames);
    EXPECT_FALSE(doc.Reorder({0, 0, 1, 2}));
    EXPECT_FALSE(doc.Reorder({0, 1}));
}

TEST(AnimationDocument, ListenersHearEachChangeInItsOwnTerms)
{
    AnimationDocument doc;
    std::vector<FrameListChange> heard;
    doc.SetListener([&](const FrameListChange& c) { heard.push_back(c); });
    doc.Insert(0, Frames(4));
    doc.Remove({3, 1, 1, 9});
    doc.Reorder({1, 0});
    doc.Remove({});
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[0].indices, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(heard[1].kind, FrameListChange::Removed);
    EXPECT_EQ(heard[1].indices, (std::vector<int>{1, 3}));
    EXPECT_EQ(heard[2].order, (std::vector<int>{1, 0}));
}

TEST(EditHistory, EveryEditUndoesAndRedoesToTheSameFrames)
{
    Editing e(6);
    const FrameList added = Frames(2);
    e.history.Submit(new InsertFramesCommand(e.doc, "Insert", 2, added));
    e.history.Submit(new RemoveFramesCommand(e.doc, "Delete", {5, 0, 3}));
    e.history.Submit(new ReorderFramesCommand(e.doc, "Move", OrderAfterMove(e.doc.Count(), {0, 1}, 5)));
    e.history.Submit(new InsertFramesCommand(e.doc, "Duplicate", 1, {e.doc.Frame(0)}));
    e.history.Submit(new ReorderFramesCommand(e.doc, "Reverse", ReverseOrder(e.doc.Count(), {})));
    e.history.Submit(new RemoveFramesCommand(e.doc, "Clear All", {0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(e.doc.Count(), 0);

    std::vector<FrameList> states;
    while (e.history.CanUndo()) {
        e.history.Undo();
        states.push_back(e.doc.Frames());
    }
    EXPECT_EQ(e.doc.Frames(), e.frames) << "every handle back, in the first order";
    // Redo walks forward through the same states.
    for (auto it = states.rbegin() + 1; it != states.rend(); ++it) {
        e.history.Redo();
        EXPECT_EQ(e.doc.Frames(), *it);
    }
    e.history.Redo();
    EXPECT_EQ(e.doc.Count(), 0);
    EXPECT_FALSE(e.history.CanRedo());
}

TEST(EditHistory, UndoLabelsNameTheStep)
{
    Editing e(3);
    e.history.Submit(new RemoveFramesCommand(e.doc, "Delete 2 Frames", {0, 1}));
    EXPECT_TRUE(e.history.GetUndoMenuLabel().Contains("Delete 2 Frames"));
    e.history.Undo();
    EXPECT_TRUE(e.history.GetRedoMenuLabel().Contains("Delete 2 Frames"));
}

TEST(EditHistory, SavedStateIsTheProjectsAndUndoBackToItIsClean)
{
    Editing e(3);
    EXPECT_FALSE(e.history.IsDirty());
    e.history.Submit(new RemoveFramesCommand(e.doc, "Delete", {0}));
    EXPECT_TRUE(e.history.IsDirty());
    e.history.Undo();
    EXPECT_FALSE(e.history.IsDirty());
    e.history.Redo();
    e.history.MarkSaved();
    EXPECT_FALSE(e.history.IsDirty());
    e.history.Undo();
    EXPECT_TRUE(e.history.IsDirty());
    // A new step where the saved one could have been redone leaves it out of reach.
    e.history.Submit(new RemoveFramesCommand(e.doc, "Delete", {2}));
    EXPECT_TRUE(e.history.IsDirty());
    e.history.ClearCommands();
    EXPECT_FALSE(e.history.IsDirty()) << "a project just opened";
}

TEST(EditHistory, ChangesOfOneControlMergeUntilSealedOrSaved)
{
    Editing e(1);
    auto change = [&](int control, int delay) {
        DocumentSettings after = e.doc.Settings();
        after.delay = delay;
        e.history.SubmitSettings(
            new ChangeSettingsCommand(e.doc, "Change Delay", control, e.doc.Settings(), after));
    };
    change(1, 1);
    change(1, 15);
    change(1, 150);
    EXPECT_EQ(e.history.GetCommands().GetCount(), 1u);
    e.history.SealLatest();
    change(1, 20);
    change(2, 30);
    EXPECT_EQ(e.history.GetCommands().GetCount(), 3u);
    e.history.Undo();
    EXPECT_EQ(e.doc.Delay(), 20);
    e.history.Undo();
    EXPECT_EQ(e.doc.Delay(), 150);
    e.history.Undo();
    EXPECT_EQ(e.doc.Delay(), kDefaultDelay);

    // The saved step takes no later change: the document would differ while reading clean.
    e.history.Redo();
    e.history.MarkSaved();
    change(1, 40);
    EXPECT_TRUE(e.history.IsDirty());
    e.history.Undo();
    EXPECT_FALSE(e.history.IsDirty());
    EXPECT_EQ(e.doc.Delay(), 150);
}

TEST(AnimationDocument, ChosenCanvasStaysThroughEditsUntilTheListEmptiesAndUndoGivesItBack)
{
    Editing e(2);  // 4 x 4 frames
    std::vector<DocumentSettings> told;
    e.doc.SetSettingsListener([&](const DocumentSettings& before) { told.push_back(before); });
    DocumentSettings chosen = e.doc.Settings();
    chosen.canvas = wxSize(320, 240);
    chosen.canvasChosen = true;
    e.history.Submit(new ChangeSettingsCommand(e.doc, "Change Size", 0, e.doc.Settings(), chosen));
    e.history.Submit(new InsertFramesCommand(e.doc, "Add", 0, Frames(1, 9)));
    EXPECT_EQ(e.doc.Canvas(), wxSize(320, 240)) << "a chosen size stays while frames come";
    EXPECT_EQ(e.doc.FramesCanvas(), wxSize(9, 9));

    e.history.Submit(RemovalStep(e.doc, "Delete", {0}));
    EXPECT_TRUE(e.doc.CanvasChosen()) << "frames are left";
    e.history.Submit(RemovalStep(e.doc, "Clear All", e.doc.AllPositions()));
    EXPECT_FALSE(e.doc.CanvasChosen()) << "an empty list gives the canvas back to the frames";
    EXPECT_EQ(e.doc.Canvas(), wxSize(0, 0));
    e.history.Undo();
    EXPECT_EQ(e.doc.Canvas(), wxSize(320, 240)) << "undo gives the chosen size back";
    e.history.Undo();
    e.history.Undo();
    e.history.Undo();
    EXPECT_EQ(e.doc.Canvas(), wxSize(4, 4)) << "the size the frames give once more";
    e.history.Redo();
    EXPECT_EQ(e.doc.Canvas(), wxSize(320, 240));
    ASSERT_EQ(told.size(), 5u) << "choose, empty, its undo, undo of the choice, redo";
    EXPECT_EQ(told[0].canvas, wxSize(4, 4));
    EXPECT_TRUE(told[1].canvasChosen);

    // Settings equal to the current ones are no change and tell nothing.
    e.doc.SetSettings(e.doc.Settings());
    EXPECT_EQ(told.size(), 5u);
}

TEST(EditHistory, StepsCostNoPictureAndTheBoundForgetsTheOldest)
{
    // 100 frames of 640 x 480 and a step that reorders them hold nothing the document lacks.
    AnimationDocument doc;
    EditHistory history(doc, size_t(1) << 30);
    FrameList big;
    for (int i = 0; i < 100; ++i)
        big.push_back(MakeFrame(PictureOf(wxImage(640, 480)), "f.png"));
    history.Submit(new InsertFramesCommand(doc, "Add", 0, big));
    history.Submit(new ReorderFramesCommand(doc, "Reverse", ReverseOrder(100, {})));
    history.Submit(new InsertFramesCommand(doc, "Duplicate", 0, {doc.Frame(0)}));
    EXPECT_EQ(history.HeldBytes(), 0u);

    // A bound of three small frames: deleting one at a time forgets the oldest deletions.
    const size_t one = FrameBytes(*Frames(1)[0]);
    ASSERT_GT(one, 0u);
    Editing e(6, 3 * one);
    for (int i = 0; i < 5; ++i)
        e.history.Submit(new RemoveFramesCommand(e.doc, "Delete", {0}));
    EXPECT_EQ(e.history.HeldBytes(), 3 * one);
    int undos = 0;
    while (e.history.CanUndo()) {
        e.history.Undo();
        ++undos;
    }
    EXPECT_EQ(undos, 3);
    EXPECT_EQ(Order(e.doc, e.frames), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_TRUE(e.history.IsDirty());
}

TEST(AnimationDocument, OwnDelaysStartTimesAndPlayedLength)
{
    AnimationDocument doc;
    const FrameList frames = Frames(3);
    doc.Insert(0, frames);
    doc.Replace({1}, {WithDelay(doc.Frame(1), 250)});
    EXPECT_EQ(doc.Frame(1)->picture, frames[1]->picture) << "the picture is shared";
    EXPECT_EQ(doc.EffectiveDelay(0), 10);
    EXPECT_EQ(doc.EffectiveDelay(1), 250);
    EXPECT_EQ(StartTimes({10, 250, 0}), (std::vector<long>{0, 10, 260, 260}));
    // Browsers play delays under 2 hundredths as 10; the length counts them so.
    EXPECT_EQ(PlayedLength({10, 250, 0, 1, 2}), 10 + 250 + 10 + 10 + 2);
    EXPECT_EQ(ScaledDelay(15, 50), 8);
    EXPECT_EQ(ScaledDelay(40000, 200), 65535);
    EXPECT_EQ(ScaledDelay(1, 10), 0);
}

TEST(EditHistory, DelayChangesOfFramesUndoToTheSameFrames)
{
    Editing e(3);
    e.history.Submit(new ReplaceFramesCommand(
        e.doc, "Set Delay", {0, 2}, {WithDelay(e.frames[0], 50), WithDelay(e.frames[2], 0)}));
    EXPECT_EQ(e.doc.EffectiveDelay(2), 0);
    e.history.Undo();
    EXPECT_EQ(e.doc.Frames(), e.frames);
    e.history.Redo();
    EXPECT_EQ(e.doc.EffectiveDelay(0), 50);
    EXPECT_EQ(e.history.HeldBytes(), 0u) << "the replaced frames share their pictures";
}
