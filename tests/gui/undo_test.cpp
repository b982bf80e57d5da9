// Undo and Redo in the window, and the commands that put frames in order.
#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/spinctrl.h>
#include <wx/testing.h>
#include <wx/uiaction.h>

#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"

namespace {
// Five frames a.png .. e.png, 10 x 10.
wxArrayString FivePictures(const TempDir& dir)
{
    wxArrayString paths;
    for (const char* name : {"a.png", "b.png", "c.png", "d.png", "e.png"})
        paths.Add(WritePicture(dir, name, 10, 10));
    return paths;
}

wxArrayString Names(std::initializer_list<const char*> names)
{
    wxArrayString out;
    for (const char* name : names)
        out.Add(name);
    return out;
}

bool Enabled(MainWindow& frame, int id)
{
    frame.DoMenuUpdates();
    return frame.GetMenuBar()->IsEnabled(id);
}

void Select(MainWindow& frame, std::initializer_list<int> indices)
{
    const std::vector<int> selected = Probe(frame).SelectedFrames();
    for (int i : selected)
        Probe(frame).Strip()->Select(i, false);
    for (int i : indices)
        Probe(frame).Strip()->Select(i);
}

}

TEST(Undo, ClearAllAndDeleteComeBackWithTheSamePictures)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.AddImages(FivePictures(dir));
    EXPECT_EQ(MenuItem(frame, wxID_UNDO)->GetItemLabel(), "&Undo Add 5 Frames\tCtrl+Z");
    const FrameList before = Probe(frame).Document().Frames();

    Select(frame, {1, 3});
    wxTEST_DIALOG(fixture.Command(ID_DELETE_FRAMES),
                  wxExpectModal<wxMessageDialog>(wxID_YES));
    EXPECT_EQ(FrameNames(frame, true), Names({"a.png", "c.png", "e.png"}));
    EXPECT_EQ(MenuItem(frame, wxID_UNDO)->GetItemLabel(), "&Undo Delete 2 Frames\tCtrl+Z");
    fixture.Command(ID_CLEAR_ALL);
    EXPECT_EQ(frame.FrameCount(), 0);
    EXPECT_EQ(Probe(frame).WidthControl()->GetValue(), 0);

    fixture.Command(wxID_UNDO);
    EXPECT_EQ(FrameNames(frame, true), Names({"a.png", "c.png", "e.png"}));
    EXPECT_TRUE(MenuItem(frame, ID_SAVE_GIF)->IsEnabled()) << "the frame commands are back";
    EXPECT_EQ(Probe(frame).WidthControl()->GetValue(), 10);
    fixture.Command(wxID_UNDO);
    EXPECT_EQ(Probe(frame).Document().Frames(), before) << "the very same pictures, in order";
    EXPECT_EQ(FrameNames(frame, true), Names({"a.png", "b.png", "c.png", "d.png", "e.png"}));
    EXPECT_EQ(MenuItem(frame, wxID_REDO)->GetItemLabel(), "&Redo Delete 2 Frames\tCtrl+Shift+Z");

    fixture.Command(wxID_REDO);
    fixture.Command(wxID_REDO);
    EXPECT_EQ(frame.FrameCount(), 0);
    EXPECT_FALSE(Enabled(frame, wxID_REDO));
    fixture.Command(wxID_UNDO);
    fixture.Command(wxID_UNDO);
    fixture.Command(wxID_UNDO);
    EXPECT_EQ(frame.FrameCount(), 0) << "the load itself is a step";
    EXPECT_FALSE(Enabled(frame, wxID_UNDO));
}

TEST(Undo, KeysUndoAndRedo)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.AddImages(FivePictures(dir));
    fixture.Command(ID_CLEAR_ALL);
    Probe(frame).Strip()->SetFocus();
    wxUIActionSimulator sim;
    sim.Char('Z', wxMOD_CONTROL);
    WaitFor("Ctrl+Z", [&] { return frame.FrameCount() == 5; });
    sim.Char('Y', wxMOD_CONTROL);
    WaitFor("Ctrl+Y", [&] { return frame.FrameCount() == 0; });
    sim.Char('Z', wxMOD_CONTROL);
    WaitFor("Ctrl+Z again", [&] { return frame.FrameCount() == 5; });
    sim.Char('Z', wxMOD_CONTROL | wxMOD_SHIFT);
    WaitFor("Ctrl+Shift+Z", [&] { return frame.FrameCount() == 0; });
}

TEST(Undo, ArrangingCommandsAreStepsAndAvailableOnlyWhereTheyAct)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.AddImages(FivePictures(dir));

    Select(frame, {0});
    EXPECT_FALSE(Enabled(frame, ID_MOVE_LEFT));
    EXPECT_TRUE(Enabled(frame, ID_MOVE_RIGHT));
    fixture.Command(ID_MOVE_RIGHT);
    EXPECT_EQ(FrameNames(frame, true), Names({"b.png", "a.png", "c.png", "d.png", "e.png"}));
    EXPECT_EQ(Probe(frame).Strip()->m_selections[0], 1) << "the moved frame stays selected";

    Select(frame, {3, 4});
    EXPECT_FALSE(Enabled(frame, ID_MOVE_RIGHT));
    fixture.Command(ID_MOVE_LEFT);
    EXPECT_EQ(FrameNames(frame, true), Names({"b.png", "a.png", "d.png", "e.png", "c.png"}));

    Select(frame, {0, 1});
    fixture.Command(ID_DUPLICATE);
    EXPECT_EQ(FrameNames(frame, true),
              Names({"b.png", "a.png", "b.png", "a.png", "d.png", "e.png", "c.png"}));
    EXPECT_EQ(Probe(frame).Document().Frame(2)->picture,
              Probe(frame).Document().Frame(0)->picture);

    Select(frame, {});
    fixture.Command(ID_REVERSE);
    EXPECT_EQ(FrameNames(frame, true),
              Names({"c.png", "e.png", "d.png", "a.png", "b.png", "a.png", "b.png"}));
    for (int i = 0; i < 4; ++i)
        fixture.Command(wxID_UNDO);
    EXPECT_EQ(FrameNames(frame, true), Names({"a.png", "b.png", "c.png", "d.png", "e.png"}));

    fixture.Command(ID_PING_PONG);
    EXPECT_EQ(FrameNames(frame, true), Names({"a.png", "b.png", "c.png", "d.png", "e.png",
                                              "d.png", "c.png", "b.png"}));
    EXPECT_EQ(MenuItem(frame, wxID_UNDO)->GetItemLabel(), "&Undo Ping-Pong\tCtrl+Z");
}

TEST(Undo, TypingInAControlIsOneStepUntilTheControlIsLeft)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.AddImages(FivePictures(dir));
    TypeInto(Probe(frame).DelayControl(), "125");
    EXPECT_EQ(Probe(frame).Document().Delay(), 125);
    EXPECT_EQ(MenuItem(frame, wxID_UNDO)->GetItemLabel(), "&Undo Change Delay\tCtrl+Z");
    TypeInto(Probe(frame).WidthControl(), "20");
    EXPECT_EQ(Probe(frame).HeightControl()->GetValue(), 20);
    TypeInto(Probe(frame).DelayControl(), "7");

    fixture.Command(wxID_UNDO);
    EXPECT_EQ(Probe(frame).DelayControl()->GetValue(), 125);
    fixture.Command(wxID_UNDO);
    EXPECT_EQ(Probe(frame).WidthControl()->GetValue(), 10);
    EXPECT_EQ(Probe(frame).HeightControl()->GetValue(), 10);
    EXPECT_FALSE(Probe(frame).Document().CanvasChosen()) << "the canvas follows the frames again";
    fixture.Command(wxID_UNDO);
    EXPECT_EQ(Probe(frame).DelayControl()->GetValue(), 10) << "1, 12, 125 were one step";
    EXPECT_EQ(Probe(frame).Document().Delay(), 10);
    EXPECT_EQ(MenuItem(frame, wxID_UNDO)->GetItemLabel(), "&Undo Add 5 Frames\tCtrl+Z");
}

TEST(Undo, UndoingBackToTheSavedProjectCountsAsUnchangedAndOpeningStartsAfresh)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.AddImages(FivePictures(dir));
    fixture.SaveWith(ID_SAVE_PROJECT, dir.File("p.xml"));
    EXPECT_FALSE(frame.ProjectChanged());
    Select(frame, {2});
    fixture.Command(ID_MOVE_LEFT);
    EXPECT_TRUE(frame.ProjectChanged());
    fixture.Command(wxID_UNDO);
    EXPECT_FALSE(frame.ProjectChanged());
    fixture.Command(wxID_UNDO);
    EXPECT_TRUE(frame.ProjectChanged()) << "before the load, the project differs too";
    fixture.Command(wxID_REDO);

    fixture.Command(ID_CLEAR_ALL);
    fixture.OpenProject(dir.File("p.xml"));
    EXPECT_EQ(frame.FrameCount(), 5);
    EXPECT_FALSE(Enabled(frame, wxID_UNDO));
    EXPECT_FALSE(frame.ProjectChanged());
}

TEST(Undo, ClosingAfterClearAllAsksNothingThereIsNothingToSave)
{
    TempDir dir;
    auto fixture = std::make_unique<MainWindowFixture>();
    fixture->AddImages(FivePictures(dir));
    fixture->Command(ID_CLEAR_ALL);
    EXPECT_TRUE(fixture->Frame().ProjectChanged());
    EXPECT_TRUE(Probe(fixture->Frame()).ConfirmClose())
        << "no question, which a Yes couldn't answer";
}

TEST(Undo, UndoingAStepThatEmptiedTheStripGivesBackTheCanvasTheUserChose)
{
    // Clear All, and a Delete of every frame.
    for (bool clearAll : {true, false}) {
        SCOPED_TRACE(clearAll ? "Clear All" : "Delete");
        TempDir dir;
        MainWindowFixture fixture;
        MainWindow& frame = fixture.Frame();
        fixture.AddImages(Paths({WritePicture(dir, "a.png", 80, 60)}));
        fixture.Edit(Probe(frame).WidthControl(), 32);
        Probe(frame).History()->SealLatest();
        fixture.AddImages(Paths({WritePicture(dir, "big.png", 128, 96)}));
        const auto canvasIs = [&](int w, int h, bool chosen) {
            EXPECT_EQ(Probe(frame).WidthControl()->GetValue(), w);
            EXPECT_EQ(Probe(frame).HeightControl()->GetValue(), h);
            // An empty strip shows 0 x 0 and keeps the size last had, for nothing.
            if (frame.FrameCount() > 0) {
                EXPECT_EQ(Probe(frame).Document().Canvas(), wxSize(w, h));
            }
            EXPECT_EQ(Probe(frame).Document().CanvasChosen(), chosen);
        };
        canvasIs(32, 24, true);

        if (clearAll) {
            fixture.Command(ID_CLEAR_ALL);
        } else {
            Select(frame, {0, 1});
            wxTEST_DIALOG(fixture.Command(ID_DELETE_FRAMES),
                          wxExpectModal<wxMessageDialog>(wxID_YES));
        }
        ASSERT_EQ(frame.FrameCount(), 0);
        canvasIs(0, 0, false);

        fixture.Command(wxID_UNDO);
        ASSERT_EQ(frame.FrameCount(), 2);
        canvasIs(32, 24, true);
        fixture.Command(wxID_UNDO);
        canvasIs(32, 24, true);
        fixture.Command(wxID_UNDO);
        canvasIs(80, 60, false);

        fixture.Command(wxID_REDO);
        fixture.Command(wxID_REDO);
        fixture.Command(wxID_REDO);
        canvasIs(0, 0, false);
        fixture.Command(wxID_UNDO);
        canvasIs(32, 24, true);
        // A frame added now goes by the chosen canvas, as before the step.
        fixture.AddImages(Paths({WritePicture(dir, "huge.png", 200, 150)}));
        canvasIs(32, 24, true);
    }
}
