// Long jobs: Cancel on the load and save progress dialogs, closing the window during a job,
// and inputs that would block (a named pipe) or are no plain file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <functional>

#include <wx/app.h>
#include <wx/dir.h>
#include <wx/evtloop.h>
#include <wx/stopwatch.h>
#include <wx/filefn.h>
#include <wx/progdlg.h>
#include <wx/uiaction.h>

#include "ui/window/main_window.h"
#include "support/file_bytes.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"

namespace {
wxArrayString BigPictures(const TempDir& dir, int count)
{
    wxArrayString paths;
    for (int i = 0; i < count; ++i)
        paths.Add(WritePicture(dir, wxString::Format("big%02d.png", i).c_str(), 1600, 1600,
                               wxColour(10 * i, 100, 200)));
    return paths;
}

// Runs the event loop as the application's own loop does, until done() holds. Unlike a
// yield, this lets the progress dialog's own yield (inside Update) take the user's clicks, as
// it does in the running application; the toolkit refuses a yield inside a yield.
bool DispatchUntil(const char* what, const std::function<bool()>& done, int timeoutMs = 30000)
{
    wxStopWatch watch;
    while (!done()) {
        if (watch.Time() > timeoutMs) {
            ADD_FAILURE() << "timed out waiting for " << what;
            return false;
        }
        wxEventLoopBase::GetActive()->DispatchTimeout(5);
        wxTheApp->ProcessPendingEvents();
    }
    return true;
}

// Clicks the Cancel button of a job's progress dialog (the window's member, which the window
// clears when the job ends) with the real mouse.
void ClickCancel(wxProgressDialog* const& dialog)
{
    ASSERT_NE(dialog, nullptr);
    wxWindow* cancel = dialog->FindWindow(wxID_CANCEL);
    ASSERT_NE(cancel, nullptr) << "the progress dialog offers Cancel";
    wxUIActionSimulator sim;
    sim.MouseMove(cancel->GetScreenRect().GetPosition() + wxPoint(8, 8));
    // Pointer and button reach the dialog in order when the loop next runs; pumping in between
    // would let the job run to its end before the click exists.
    sim.MouseClick();
    // Only the window system's events until the dialog has taken the click.
    wxStopWatch watch;
    while (dialog && !dialog->WasCancelled() && watch.Time() < 5000)
        wxEventLoopBase::GetActive()->DispatchTimeout(5);
    EXPECT_TRUE(dialog && dialog->WasCancelled()) << "the click reached Cancel before the end";
}
}

TEST(Jobs, CancelledLoadKeepsTheFramesThatArrived)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    const wxArrayString paths = BigPictures(dir, 40);
    fixture.Paths().openAnswers.push_back(paths);
    // Sent without a yield, which would take in every frame before the click could come.
    wxCommandEvent add(wxEVT_MENU, ID_ADD_IMAGE);
    frame.ProcessWindowEvent(add);
    ASSERT_TRUE(frame.IsLoading());
    // The button's own command rather than a real click: in this test harness the dialog's
    // yield inside Update is refused (a yield inside a yield), so a real click would only be
    // seen after every queued frame. The export test below clicks for real; by hand, with the
    // real window, Cancel stops a load of forty large pictures after a few of them.
    wxCommandEvent cancel(wxEVT_BUTTON, wxID_CANCEL);
    cancel.SetEventObject(Probe(frame).LoadProgress()->FindWindow(wxID_CANCEL));
    Probe(frame).LoadProgress()->ProcessWindowEvent(cancel);
    DispatchUntil("the load to stop", [&] { return !frame.IsLoading(); });
    EXPECT_LT(frame.FrameCount(), 40) << "the load stopped early";
    EXPECT_EQ(MenuItem(frame, ID_SAVE_GIF)->IsEnabled(), frame.FrameCount() > 0)
        << "the window is usable again, with the frames that arrived";
    EXPECT_TRUE(MenuItem(frame, ID_ADD_IMAGE)->IsEnabled());
}

TEST(Jobs, CancelledSaveLeavesTheOldFileAndSaysNothing)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.AddImages(BigPictures(dir, 12));
    MarkFile(dir.File("anim.gif"));
    fixture.Paths().saveAnswers.push_back(dir.File("anim.gif"));
    fixture.Command(ID_SAVE_GIF_AS);
    ASSERT_TRUE(frame.IsSaving());
    ClickCancel(Probe(frame).SaveProgress());
    DispatchUntil("the export to stop", [&] { return !frame.IsSaving(); });
    YieldFor(50);
    EXPECT_TRUE(FileBytes(dir.File("anim.gif")) == "MARK") << "the old file is untouched";
    wxArrayString left;
    EXPECT_EQ(wxDir::GetAllFiles(dir.Path(), &left, "*.gif*", wxDIR_FILES | wxDIR_HIDDEN), 1u);
    EXPECT_TRUE(frame.IsEnabled());
}

TEST(Jobs, ClosingDuringAnExportAsksAndStopsIt)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.AddImages(BigPictures(dir, 12));
    fixture.Paths().saveAnswers.push_back(dir.File("anim.gif"));
    fixture.Command(ID_SAVE_GIF_AS);
    ASSERT_TRUE(frame.IsSaving());
    // No keeps the export going; Yes stops it, then the usual unsaved-changes question.
    wxTEST_DIALOG(frame.Close(), ExpectMessage(wxID_NO, "still being saved"));
    EXPECT_TRUE(fixture.Alive());
    wxTEST_DIALOG(
        {
            frame.Close();
            WaitFor("the window to close", [&] { return !fixture.Alive(); }, 30000);
        },
        ExpectMessage(wxID_YES, "still being saved"),
        wxExpectModal<wxMessageDialog>(wxID_NO).Describe("unsaved changes"));
    EXPECT_FALSE(fixture.Alive());
    EXPECT_FALSE(wxFileExists(dir.File("anim.gif")));
}

TEST(Jobs, PipesAndFoldersAreNotReadAndNeverBlock)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    const wxString pipe = dir.File("pipe.png");
    ASSERT_EQ(mkfifo(pipe.fn_str(), 0600), 0);
    // Insert reads in the background too; a pipe without a writer must not hang anything.
    wxTEST_DIALOG(fixture.InsertImages(Paths({pipe, dir.Path()})),
                  ExpectMessage(wxID_OK, "None of the chosen files"));
    EXPECT_EQ(frame.FrameCount(), 0);
    // Every file that gave nothing is named with its reason.
    wxTEST_DIALOG(fixture.InsertImages(Paths({pipe, WritePicture(dir, "x.png", 10, 10)})),
                  ExpectMessage(wxID_OK, "pipe.png: not a regular file"));
    EXPECT_EQ(FrameNames(frame, true), Paths({"x.png"}));
}

TEST(Jobs, ALoadBeyondTheFreeMemoryAsksFirst)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    // 640 x 480 costs about 1.3 MB as a frame; pretend 1 MiB is free.
    Probe(frame).AvailableMemory() = [] { return uint64_t{1} << 20; };
    const wxArrayString paths = Paths({WritePicture(dir, "a.png", 640, 480)});
    wxTEST_DIALOG(fixture.AddImages(paths), ExpectMessage(wxID_NO, "1 frame needs about 1.3 MB"));
    EXPECT_EQ(frame.FrameCount(), 0) << "No loads nothing";
    wxTEST_DIALOG(fixture.AddImages(paths), ExpectMessage(wxID_YES, "only 1.0 MB is free"));
    EXPECT_EQ(frame.FrameCount(), 1);
    Probe(frame).AvailableMemory() = [] { return uint64_t{1} << 30; };
    fixture.AddImages(paths);
    EXPECT_EQ(frame.FrameCount(), 2) << "enough memory asks nothing";
}
