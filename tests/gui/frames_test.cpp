#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>
#include <wx/testing.h>
#include <wx/toolbar.h>
#include <wx/xrc/xmlres.h>

#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"
#include "ui/dialogs/loop_count_dialog.h"
#include "core/jobs/background_estimate.h"
#include "support/file_bytes.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"

template <>
class wxExpectModal<LoopCountDialog> : public wxExpectModalBase<LoopCountDialog> {
public:
    explicit wxExpectModal(std::function<int(LoopCountDialog*)> act) : m_act(std::move(act)) {}

protected:
    int OnInvoked(LoopCountDialog* dialog) const override { return m_act(dialog); }

private:
    std::function<int(LoopCountDialog*)> m_act;
};

namespace {
bool FrameToolsEnabled(MainWindow& frame)
{
    return MenuItem(frame, ID_SAVE_GIF)->IsEnabled() &&
           MenuItem(frame, ID_DELETE_FRAMES)->IsEnabled() &&
           MenuItem(frame, ID_RUN_ANIMATION)->IsEnabled() &&
           Probe(frame).WidthControl()->IsEnabled() &&
           frame.GetToolBar()->GetToolEnabled(XRCID("m_tool_play"));
}

bool FrameToolsDisabled(MainWindow &frame)
{
    return !MenuItem(frame, ID_SAVE_GIF)->IsEnabled() &&
           !MenuItem(frame, ID_DELETE_FRAMES)->IsEnabled() &&
           !MenuItem(frame, ID_RUN_ANIMATION)->IsEnabled() &&
           !Probe(frame).WidthControl()->IsEnabled() &&
           !frame.GetToolBar()->GetToolEnabled(XRCID("m_tool_play"));
}

// Loads five 10 x 10 frames named f0.png .. f4.png.
void AddFiveFrames(MainWindowFixture& fixture, const TempDir& dir)
{
    wxArrayString paths;
    for (int i = 0; i < 5; ++i)
        paths.Add(WritePicture(dir, wxString::Format("f%d.png", i).c_str(), 10, 10));
    fixture.AddImages(paths);
}
}

TEST(Frames, AddImageAppendsEveryFormatInDialogOrder)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.AddImages(Paths({WritePicture(dir, "a.png", 40, 30), WriteGif(dir, "anim.gif", 3),
                             WritePicture(dir, "b.jpg", 40, 30), WritePicture(dir, "c.bmp", 40, 30)}));
    EXPECT_EQ(FrameNames(frame, true),
              Paths({"a.png", "anim.gif_0", "anim.gif_1", "anim.gif_2", "b.jpg", "c.bmp"}));
    EXPECT_EQ(fixture.Paths().titlesAsked.back(), "Add Image Files");
    EXPECT_TRUE(FrameToolsEnabled(frame));
    EXPECT_EQ(Probe(frame).LoadProgress(), nullptr);
    EXPECT_TRUE(frame.IsEnabled());
    // The last frame shown is frame 0, and the canvas follows the frames.
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(1), "a.png Width:40px,Height:30 px");
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(0), "Untitled.gif (40 * 30)px");
}

TEST(Frames, CancelledDialogChangesNothing)
{
    MainWindowFixture fixture;
    fixture.AddImages(wxArrayString());
    EXPECT_EQ(fixture.Frame().FrameCount(), 0);
    EXPECT_TRUE(FrameToolsDisabled(fixture.Frame()));
}

TEST(Frames, LoadOfUnreadableOrDamagedFilesEndsAndSaysSo)
{
    TempDir dir;
    MainWindowFixture fixture;
    const wxString broken = dir.File("broken.png");
    wxFFile(broken, "wb").Write("not a picture", 13);
    wxTEST_DIALOG(fixture.AddImages(Paths({broken, dir.File("gone.png")})),
                  wxExpectModal<wxMessageDialog>(wxID_OK));
    EXPECT_EQ(fixture.Frame().FrameCount(), 0);
    EXPECT_EQ(Probe(fixture.Frame()).LoadProgress(), nullptr);
    EXPECT_TRUE(FrameToolsDisabled(fixture.Frame()));

    // A JPEG cut short decodes (its missing rows grey): it is kept and named as damaged, in
    // the same message as the files that could not be read.
    const wxString cut = WritePicture(dir, "cut.jpg", 160, 120);
    const std::string whole = FileBytes(cut);
    wxFFile(cut, "wb").Write(whole.data(), whole.size() - 20);
    wxTEST_DIALOG(fixture.AddImages(Paths({WritePicture(dir, "good.png", 40, 30), broken, cut})),
                  ExpectMessage(wxID_OK, "1 of the chosen files could not be read:\n" + broken +
                                             ": not an image in a format the program reads, or "
                                             "damaged\n\n1 of the chosen files is damaged; what "
                                             "could be read of it was loaded:\n" +
                                             cut + ": the file ends before its end-of-image marker"));
    EXPECT_EQ(FrameNames(fixture.Frame(), true), Paths({"good.png", "cut.jpg"}));
    // Also when every file gave frames.
    wxTEST_DIALOG(fixture.AddImages(Paths({cut})),
                  ExpectMessage(wxID_OK, "1 of the chosen files is damaged"));
    EXPECT_EQ(fixture.Frame().FrameCount(), 3);
}

TEST(Frames, CanvasFollowsTheFramesAndKeepsProportionOnEdits)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.AddImages(Paths({WritePicture(dir, "big.png", 640, 480), WritePicture(dir, "small.png", 320, 240)}));
    EXPECT_EQ(Probe(frame).WidthControl()->GetValue(), 640);
    EXPECT_EQ(Probe(frame).HeightControl()->GetValue(), 480);

    fixture.Edit(Probe(frame).WidthControl(), 333);
    EXPECT_EQ(Probe(frame).HeightControl()->GetValue(), 249);
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(0), "Untitled.gif (333 * 249)px");
    fixture.Edit(Probe(frame).HeightControl(), 100);
    EXPECT_EQ(Probe(frame).WidthControl()->GetValue(), 133);
    EXPECT_EQ(Probe(frame).Document().Canvas().x, 133);
    EXPECT_EQ(Probe(frame).Document().Canvas().y, 100);

    Probe(frame).GifName() = "cat.gif";
    fixture.Edit(Probe(frame).WidthControl(), 320);
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(0), "cat.gif (320 * 240)px");
}

TEST(Frames, CanvasTakesTheFrameThatGrowsEitherSide)
{
    TempDir dir;
    MainWindowFixture fixture;
    fixture.AddImages(Paths({WritePicture(dir, "wide.png", 100, 50), WritePicture(dir, "tall.png", 50, 100)}));
    EXPECT_EQ(Probe(fixture.Frame()).WidthControl()->GetValue(), 50);
    EXPECT_EQ(Probe(fixture.Frame()).HeightControl()->GetValue(), 100);
}

TEST(Frames, InsertGoesBeforeTheSelectionOrToTheEnd)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    AddFiveFrames(fixture, dir);
    Probe(frame).Strip()->Select(4);
    fixture.InsertImages(Paths({WriteGif(dir, "two.gif", 2), WritePicture(dir, "x.png", 10, 10)}));
    EXPECT_EQ(FrameNames(frame, true), Paths({"f0.png", "f1.png", "f2.png", "f3.png", "two.gif_0",
                                        "two.gif_1", "x.png", "f4.png"}));
    EXPECT_EQ(fixture.Paths().titlesAsked.back(), "Insert Image Files");

    Probe(frame).Strip()->m_selections.clear();
    fixture.InsertImages(Paths({WritePicture(dir, "y.png", 10, 10)}));
    EXPECT_EQ(FrameNames(frame, true).Last(), "y.png");
}

TEST(Frames, InsertIntoAnEmptyStripSwitchesTheFrameCommandsOn)
{
    TempDir dir;
    MainWindowFixture fixture;
    fixture.InsertImages(Paths({WritePicture(dir, "x.png", 10, 10)}));
    EXPECT_EQ(fixture.Frame().FrameCount(), 1);
    EXPECT_TRUE(FrameToolsEnabled(fixture.Frame()));
}

TEST(Frames, DeleteRemovesTheSelectedFramesOnlyOnYes)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    AddFiveFrames(fixture, dir);
    fixture.AddImages(Paths({WritePicture(dir, "f5.png", 10, 10)}));
    for (int i : {1, 3, 5})
        Probe(frame).Strip()->Select(i);
    fixture.Edit(Probe(frame).WidthControl(), 7);
    const wxString canvasText = frame.GetStatusBar()->GetStatusText(0);
    const wxString frameText = frame.GetStatusBar()->GetStatusText(1);

    // No changes nothing at all, status texts and canvas included.
    wxTEST_DIALOG(fixture.Command(wxID_DELETE), wxExpectModal<wxMessageDialog>(wxID_NO));
    EXPECT_EQ(frame.FrameCount(), 6);
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(0), canvasText);
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(1), frameText);
    EXPECT_FALSE(frameText.empty());
    EXPECT_EQ(Probe(frame).WidthControl()->GetValue(), 7);

    wxTEST_DIALOG(fixture.Command(ID_DELETE_FRAMES),
                  wxExpectModal<wxMessageDialog>(wxID_YES));
    EXPECT_EQ(FrameNames(frame, true), Paths({"f0.png", "f2.png", "f4.png"}));
    EXPECT_TRUE(FrameToolsEnabled(frame));
}

TEST(Frames, DeletingTheLastFrameSwitchesTheFrameCommandsOff)
{
    TempDir dir;
    MainWindowFixture fixture;
    fixture.AddImages(Paths({WritePicture(dir, "only.png", 10, 10)}));
    Probe(fixture.Frame()).Strip()->Select(0);
    wxTEST_DIALOG(fixture.Command(XRCID("m_tool_delete")), wxExpectModal<wxMessageDialog>(wxID_YES));
    EXPECT_EQ(fixture.Frame().FrameCount(), 0);
    EXPECT_TRUE(FrameToolsDisabled(fixture.Frame()));
}

TEST(Frames, ClearAllEmptiesEverythingWithoutAsking)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    AddFiveFrames(fixture, dir);
    fixture.Command(ID_CLEAR_ALL);
    EXPECT_EQ(frame.FrameCount(), 0);
    EXPECT_EQ(Probe(frame).WidthControl()->GetValue(), 0);
    EXPECT_EQ(Probe(frame).HeightControl()->GetValue(), 0);
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(0), "");
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(1), "");
    YieldFor(20);
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(2), "");
    EXPECT_TRUE(FrameToolsDisabled(frame));
}

TEST(Frames, StatusBarShowsTheLengthOfTheAnimation)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    AddFiveFrames(fixture, dir);
    YieldFor(20);
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(2), "Length: 0.50 s");
    fixture.Edit(Probe(frame).DelayControl(), 25);
    YieldFor(20);
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(2), "Length: 1.25 s");
    Probe(frame).Strip()->Select(0);
    wxTEST_DIALOG(fixture.Command(ID_DELETE_FRAMES),
                  wxExpectModal<wxMessageDialog>(wxID_YES));
    YieldFor(20);
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(2), "Length: 1.00 s");
}

TEST(Preview, PlaysEachLoopAndStopsAfterTheLoopCount)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.AddImages(Paths({WritePicture(dir, "a.png", 10, 10), WritePicture(dir, "b.png", 10, 10),
                             WritePicture(dir, "c.png", 10, 10)}));
    DocumentSettings twice = Probe(frame).Document().Settings();
    twice.loopCount = 2;
    Probe(frame).Document().SetSettings(twice);
    fixture.Command(ID_RUN_ANIMATION);
    EXPECT_TRUE(Probe(frame).Player().Playing());
    EXPECT_TRUE(Probe(frame).PreviewTimer().IsRunning());
    EXPECT_EQ(Probe(frame).PreviewTimer().GetInterval(), 100);
    EXPECT_EQ(MenuItem(frame, ID_RUN_ANIMATION)->GetItemLabel(), "&Stop animation\tCtrl+P");

    Probe(frame).PreviewTimer().Stop();  // the test drives the ticks itself
    std::vector<int> shown;
    for (int tick = 0; tick < 6; ++tick) {
        wxTimerEvent event(Probe(frame).PreviewTimer());
        frame.GetEventHandler()->ProcessEvent(event);
        shown.push_back(Probe(frame).ShownIndex());
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 0, 1, 2}));
    EXPECT_FALSE(Probe(frame).Player().Playing());
    EXPECT_EQ(MenuItem(frame, ID_RUN_ANIMATION)->GetItemLabel(), "&Run animation\tCtrl+P");
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(1), "c.png Width:10px,Height:10 px");
}

TEST(Preview, DelayEditStopsThePreviewAndRelabelsTheStrip)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.AddImages(Paths({WritePicture(dir, "a.png", 10, 10)}));
    fixture.Command(XRCID("m_tool_play"));
    ASSERT_TRUE(Probe(frame).Player().Playing());
    fixture.Edit(Probe(frame).DelayControl(), 4);
    EXPECT_FALSE(Probe(frame).Player().Playing());
    EXPECT_EQ(Probe(frame).Document().Delay(), 4);
    fixture.Command(XRCID("m_tool_play"));
    EXPECT_EQ(Probe(frame).PreviewTimer().GetInterval(), 40);
    fixture.Command(XRCID("m_tool_play"));
    EXPECT_FALSE(Probe(frame).PreviewTimer().IsRunning());
}

TEST(Preview, DrawsSmallFramesUnscaledAndLargeOnesShrunk)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.AddImages(Paths({WritePicture(dir, "small.png", 100, 100, *wxRED),
                             WritePicture(dir, "large.png", 800, 600, *wxBLUE)}));
    Probe(frame).PreviewPanel()->SetClientSize(400, 300);
    ASSERT_EQ(Probe(frame).PreviewPanel()->GetClientSize(), wxSize(400, 300));
    const wxColour background = Probe(frame).PreviewPanel()->GetBackgroundColour();

    wxBitmap canvas(400, 300);
    wxMemoryDC dc(canvas);
    Probe(frame).DrawPreview(dc, 0);
    const auto pixel = [&dc](int x, int y) {
        wxColour c;
        dc.GetPixel(x, y, &c);
        return c.GetAsString(wxC2S_HTML_SYNTAX);
    };
    const wxString red = wxRED->GetAsString(wxC2S_HTML_SYNTAX);
    const wxString blue = wxBLUE->GetAsString(wxC2S_HTML_SYNTAX);
    const wxString back = background.GetAsString(wxC2S_HTML_SYNTAX);
    // Centred both ways.
    EXPECT_EQ(pixel(150, 100), red);
    EXPECT_EQ(pixel(249, 199), red);
    EXPECT_EQ(pixel(149, 100), back);
    EXPECT_EQ(pixel(150, 200), back);

    // Shrunk to the panel, with none of its rows cut off.
    Probe(frame).DrawPreview(dc, 1);
    EXPECT_EQ(pixel(0, 0), blue);
    EXPECT_EQ(pixel(399, 299), blue);
    EXPECT_EQ(pixel(200, 150), blue);
}

TEST(LoopCount, FirstOpeningChoosesForeverThenRemembersTheChoice)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.AddImages(Paths({WritePicture(dir, "a.png", 10, 10)}));
    s_lastLoopCount = 0;

    wxTEST_DIALOG(fixture.Command(ID_LOOP_COUNT),
                  wxExpectModal<LoopCountDialog>([](LoopCountDialog* d) {
                      EXPECT_TRUE(d->m_radioForever->GetValue());
                      EXPECT_FALSE(d->m_spinTimes->IsEnabled());
                      EXPECT_EQ(d->m_spinTimes->GetValue(), 1);
                      d->m_radioTimes->SetValue(true);
                      d->m_spinTimes->SetValue(3);
                      d->ApplyButton(wxID_OK);
                      return wxID_OK;
                  }));
    EXPECT_EQ(Probe(frame).Document().LoopCount(), 3);
    EXPECT_EQ(Probe(frame).Player().LoopsPlayed(), 0);

    wxTEST_DIALOG(fixture.Command(ID_LOOP_COUNT),
                  wxExpectModal<LoopCountDialog>([](LoopCountDialog* d) {
                      EXPECT_TRUE(d->m_radioTimes->GetValue());
                      EXPECT_EQ(d->m_spinTimes->GetValue(), 3);
                      d->m_spinTimes->SetValue(0);
                      d->ApplyButton(wxID_OK);
                      return wxID_OK;
                  }));
    EXPECT_EQ(Probe(frame).Document().LoopCount(), 0);
    EXPECT_EQ(s_lastLoopCount, 0);
}

TEST(LoopCount, CancelKeepsTheCountButStopsThePreview)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.AddImages(Paths({WritePicture(dir, "a.png", 10, 10)}));
    DocumentSettings twice = Probe(frame).Document().Settings();
    twice.loopCount = 2;
    Probe(frame).Document().SetSettings(twice);
    s_lastLoopCount = 2;
    fixture.Command(ID_RUN_ANIMATION);
    // One tick plays the one frame: a loop of two.
    wxTimerEvent tick(Probe(frame).PreviewTimer());
    frame.GetEventHandler()->ProcessEvent(tick);
    Probe(frame).PreviewTimer().Stop();  // no tick of its own while the dialog is up
    ASSERT_EQ(Probe(frame).Player().LoopsPlayed(), 1);
    ASSERT_TRUE(Probe(frame).Player().Playing());
    wxTEST_DIALOG(fixture.Command(ID_LOOP_COUNT),
                  wxExpectModal<LoopCountDialog>([](LoopCountDialog* d) {
                      d->m_radioForever->SetValue(true);
                      d->ApplyButton(wxID_CANCEL);
                      return wxID_CANCEL;
                  }));
    EXPECT_EQ(Probe(frame).Document().LoopCount(), 2);
    EXPECT_EQ(Probe(frame).Player().LoopsPlayed(), 1);
    EXPECT_EQ(s_lastLoopCount, 2);
    EXPECT_FALSE(Probe(frame).Player().Playing());
}

TEST(Frames, ClosingWhileALoadRunsNeitherCrashesNorLeaks)
{
    TempDir dir;
    wxArrayString paths;
    for (int i = 0; i < 20; ++i)
        paths.Add(WritePicture(dir, wxString::Format("p%d.png", i).c_str(), 600, 600));
    auto fixture = std::make_unique<MainWindowFixture>();
    fixture->Paths().openAnswers.push_back(paths);
    // Sent without yielding, so that the load is still running when the window goes.
    wxCommandEvent add(wxEVT_MENU, ID_ADD_IMAGE);
    fixture->Frame().ProcessWindowEvent(add);
    EXPECT_TRUE(fixture->Frame().IsLoading());
    fixture.reset();
    YieldFor(100);
}

TEST(Frames, TraceNamesEachAppendedFrameAndDelayEditButNoCompositionWithoutASave)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    const wxString gif = WriteGif(dir, "two.gif", 2, 30, 20);
    const wxString big = WritePicture(dir, "big.png", 60, 40);
    testing::internal::CaptureStdout();
    fixture.AddImages(Paths({gif, big}));
    fixture.Edit(Probe(frame).DelayControl(), 20);
    // The estimate fits the frames into the canvas as a save would, writing nothing.
    WaitFor("the size estimate", [&] {
        return !Probe(frame).EstimateTimer().IsRunning() && !Probe(frame).Estimate()->Running();
    });
    const std::string trace = testing::internal::GetCapturedStdout();

    const std::string appended = "ThreadUpdate\nAppend\nwxImageThumbnailItem\n";
    size_t count = 0;
    for (size_t at = trace.find(appended); at != std::string::npos;
         at = trace.find(appended, at + 1))
        ++count;
    EXPECT_EQ(count, 3u) << trace;
    EXPECT_NE(trace.find("OnSetDelay\n"), std::string::npos) << trace;
    for (const char* line : {"thumbnail-1", "thumbnail-3", "m_bitmap", "Rescale"})
        EXPECT_EQ(trace.find(line), std::string::npos) << line << " in\n" << trace;

    testing::internal::CaptureStdout();
    fixture.SaveWith(ID_SAVE_GIF, dir.File("out.gif"));
    const std::string saved = testing::internal::GetCapturedStdout();
    EXPECT_NE(saved.find("thumbnail-3\nimage\nm_bitmap\nRescale\n"), std::string::npos) << saved;
}
