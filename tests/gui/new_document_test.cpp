// File > New: the unsaved-changes question, then a document of its own with nothing of the
// one before (no project, no GIF, default settings).
#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>
#include <wx/testing.h>
#include <wx/uiaction.h>

#include "core/settings/product.h"
#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"
#include "ui/dialogs/loop_count_dialog.h"
#include "support/file_bytes.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"

namespace {
bool UndoEnabled(MainWindow& frame)
{
    frame.DoMenuUpdates();
    return frame.GetMenuBar()->IsEnabled(wxID_UNDO);
}

// A saved project and GIF with a chosen canvas, a loop setting and a delay, then changed
// (or not) after the save.
void MakeDocument(MainWindowFixture& fixture, const TempDir& dir, bool changeAfterSave)
{
    MainWindow& frame = fixture.Frame();
    fixture.AddImages(Paths({WritePicture(dir, "a.png", 40, 30), WritePicture(dir, "b.png", 40, 30)}));
    fixture.Edit(Probe(frame).WidthControl(), 20);
    fixture.Edit(Probe(frame).DelayControl(), 25);
    DocumentSettings loop = Probe(frame).Document().Settings();
    loop.loopCount = 3;
    loop.loopInFile = true;
    Probe(frame).ChangeSettings("Loop Count", kLoopControl, loop);
    s_lastLoopCount = 3;
    s_lastLoopForFile = true;
    fixture.SaveWith(ID_SAVE_GIF, dir.File("out.gif"));
    fixture.SaveWith(ID_SAVE_PROJECT, dir.File("p.xml"));
    ASSERT_FALSE(frame.ProjectChanged());
    if (changeAfterSave)
        fixture.Edit(Probe(frame).DelayControl(), 30);
}

void ExpectFreshDocument(MainWindow& frame)
{
    EXPECT_EQ(frame.FrameCount(), 0);
    EXPECT_TRUE(Probe(frame).ProjectPath().empty());
    EXPECT_EQ(frame.GetTitle(), GetProductName());
    EXPECT_TRUE(Probe(frame).GifPath().empty());
    EXPECT_TRUE(Probe(frame).GifName().empty());
    EXPECT_TRUE(Probe(frame).DefaultGifPath().empty()) << "no GIF path is offered";
    EXPECT_EQ(Probe(frame).DelayControl()->GetValue(), kDefaultDelay);
    EXPECT_EQ(Probe(frame).Document().Delay(), kDefaultDelay);
    EXPECT_EQ(Probe(frame).Document().LoopCount(), 0);
    EXPECT_FALSE(Probe(frame).Document().LoopInFile());
    EXPECT_EQ(s_lastLoopCount, 0) << "the Loop Count dialog offers the default";
    EXPECT_FALSE(s_lastLoopForFile);
    EXPECT_FALSE(Probe(frame).Document().CanvasChosen());
    EXPECT_EQ(Probe(frame).WidthControl()->GetValue(), 0);
    EXPECT_TRUE(frame.GetStatusBar()->GetStatusText(0).empty());
    EXPECT_FALSE(UndoEnabled(frame)) << "nothing of the old document can be undone into it";
    EXPECT_FALSE(frame.ProjectChanged());
    EXPECT_FALSE(MenuItem(frame, ID_SAVE_GIF)->IsEnabled());
}
}

TEST(NewDocument, AsksAboutUnsavedChangesThenStartsEmptyWithDefaults)
{
    const struct {
        const char* name;
        bool changed;
        int answer;  // to the unsaved-changes question; 0: none is asked
        bool emptied;
        bool projectSaved;
    } cases[] = {
        {"unchanged", false, 0, true, false},
        {"changed, No", true, wxID_NO, true, false},
        {"changed, Cancel", true, wxID_CANCEL, false, false},
        {"changed, Yes", true, wxID_YES, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        MainWindowFixture fixture;
        MainWindow& frame = fixture.Frame();
        MakeDocument(fixture, dir, c.changed);
        const std::string project = FileBytes(dir.File("p.xml"));

        if (c.answer == 0)
            fixture.Command(ID_NEW_DOCUMENT);
        else
            wxTEST_DIALOG(fixture.Command(ID_NEW_DOCUMENT),
                          ExpectMessage(c.answer, "project is unsaved"));

        if (c.emptied) {
            ExpectFreshDocument(frame);
        } else {
            EXPECT_EQ(frame.FrameCount(), 2);
            EXPECT_EQ(Probe(frame).DelayControl()->GetValue(), 30);
            EXPECT_EQ(Probe(frame).ProjectPath(), dir.File("p.xml"));
        }
        EXPECT_EQ(FileBytes(dir.File("p.xml")) != project, c.projectSaved);
    }
}

TEST(NewDocument, CtrlNStartsAfreshAndTheNextProjectSaveAsksForAPath)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    MakeDocument(fixture, dir, false);
    const std::string project = FileBytes(dir.File("p.xml"));
    EXPECT_TRUE(MenuItem(frame, ID_NEW_DOCUMENT)->GetItemLabel().EndsWith("\tCtrl+N"));

    Probe(frame).Strip()->SetFocus();
    wxUIActionSimulator sim;
    sim.Char('N', wxMOD_CONTROL);
    WaitFor("Ctrl+N", [&] { return frame.FrameCount() == 0; });
    ExpectFreshDocument(frame);

    fixture.AddImages(Paths({WritePicture(dir, "c.png", 50, 40)}));
    EXPECT_EQ(Probe(frame).WidthControl()->GetValue(), 50) << "the canvas follows the new frames";
    const size_t asked = fixture.Paths().titlesAsked.size();
    fixture.Paths().saveAnswers.push_back("");
    fixture.Command(ID_SAVE_PROJECT);
    ASSERT_EQ(fixture.Paths().titlesAsked.size(), asked + 1) << "Save Project asks where";
    EXPECT_EQ(FileBytes(dir.File("p.xml")), project) << "the old project is left as it was";
}
