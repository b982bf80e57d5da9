// Video clips added to the window: the dialog's choice becomes frames with the rate's timing,
// a project keeps them, and clips that can't be read are told.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/filefn.h>
#include <wx/msgdlg.h>
#include <wx/progdlg.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

#include <fstream>
#include <numeric>

#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"
#include "ui/dialogs/video_import_dialog.h"
#include "core/video/video_reference.h"
#include "support/gui_helpers.h"
#include "support/temp_dir.h"
#include "support/video_clips.h"

template <>
class wxExpectModal<VideoImportDialog> : public wxExpectModalBase<VideoImportDialog> {
public:
    explicit wxExpectModal(std::function<int(VideoImportDialog*)> act) : m_act(std::move(act)) {}

protected:
    int OnInvoked(VideoImportDialog* dialog) const override { return m_act(dialog); }

private:
    std::function<int(VideoImportDialog*)> m_act;
};

namespace {

// Chooses one second from 1 s at 15 frames a second, 80 pixels wide.
int ChooseOneSecond(VideoImportDialog* d)
{
    EXPECT_EQ(d->m_fps->GetValue(), 10) << "the default rate";
    EXPECT_EQ(d->m_width->GetValue(), 160) << "the clip's own width, under 640";
    d->m_start->SetValue("1");
    d->m_duration->SetValue("1");
    EXPECT_EQ(d->m_end->GetValue(), "2") << "the end follows start and duration";
    d->m_fps->SetValue(15);
    d->m_width->SetValue(80);
    d->Recount();
    EXPECT_NE(d->m_result->GetLabel().Find("15"), wxNOT_FOUND) << d->m_result->GetLabel();
    EXPECT_TRUE(d->m_ok->IsEnabled());
    return wxID_OK;
}

std::vector<int> Delays(MainWindow& frame)
{
    std::vector<int> delays;
    for (int i = 0; i < frame.FrameCount(); ++i)
        delays.push_back(Probe(frame).Document().Frame(i)->delay);
    return delays;
}

std::vector<int> Pictures(MainWindow& frame)
{
    std::vector<int> numbers;
    for (int i = 0; i < frame.FrameCount(); ++i) {
        const PictureRef& picture = Probe(frame).Document().Frame(i)->picture;
        numbers.push_back(picture ? PictureNumber(picture->ToImage()) : -1);
    }
    return numbers;
}

} // namespace

TEST(VideoImport, AStretchOfAClipBecomesTimedFramesAndAProjectKeepsThem)
{
    if (!HaveFfmpeg())
        GTEST_SKIP() << "ffmpeg is not installed";
    TempDir dir;
    const wxString clip = dir.File("clip.mp4");
    ASSERT_TRUE(MakeNumberedClip(clip, 3));
    std::vector<int> pictures;
    {
        MainWindowFixture fixture;
        MainWindow& frame = fixture.Frame();
        wxTEST_DIALOG(fixture.AddImages(wxArrayString(1, &clip)),
                      wxExpectModal<VideoImportDialog>(ChooseOneSecond));
        ASSERT_EQ(frame.FrameCount(), 15);
        const std::vector<int> delays = Delays(frame);
        EXPECT_EQ(std::vector<int>(delays.begin(), delays.begin() + 6),
                  (std::vector<int>{7, 7, 6, 7, 7, 6}));
        EXPECT_EQ(std::accumulate(delays.begin(), delays.end(), 0), 100);
        pictures = Pictures(frame);
        for (int k = 0; k < 15; ++k)
            EXPECT_EQ(pictures[k], 30 + 2 * k) << k;
        EXPECT_EQ(FrameSize(*Probe(frame).Document().Frame(0)), wxSize(80, 60));
        EXPECT_EQ(Probe(frame).Document().Frame(1)->source, clip + "#t=1.067&w=80");
        fixture.SaveWith(ID_SAVE_PROJECT, dir.File("p.xml"));
    }
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.OpenProject(dir.File("p.xml"));
    ASSERT_EQ(frame.FrameCount(), 15);
    EXPECT_EQ(Pictures(frame), pictures);
    EXPECT_EQ(Delays(frame)[2], 6);
    EXPECT_FALSE(frame.ProjectChanged());
}

TEST(VideoImport, ACancelledDialogAddsNothingAndAnUnreadableClipIsTold)
{
    if (!HaveFfmpeg())
        GTEST_SKIP() << "ffmpeg is not installed";
    TempDir dir;
    const wxString clip = dir.File("clip.webm"), fake = dir.File("notes.mp4");
    ASSERT_TRUE(Ffmpeg("-f lavfi -i testsrc=s=64x48:r=10:d=1 -c:v libvpx-vp9 '" +
                       clip.ToStdString() + "'"));
    std::ofstream(fake.ToStdString()) << "no video here\n";
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    wxTEST_DIALOG(fixture.AddImages(wxArrayString(1, &clip)),
                  wxExpectModal<VideoImportDialog>([](VideoImportDialog*) { return wxID_CANCEL; }));
    EXPECT_EQ(frame.FrameCount(), 0);

    // The readable clip comes with its default choice: the whole second at 10 a second.
    wxArrayString both;
    both.Add(fake);
    both.Add(clip);
    wxTEST_DIALOG(fixture.AddImages(both),
                  wxExpectModal<VideoImportDialog>([](VideoImportDialog*) { return wxID_OK; }),
                  ExpectMessage(wxID_OK, "notes.mp4"));
    EXPECT_EQ(frame.FrameCount(), 10);
}

TEST(VideoImport, AMovedClipLeavesPlaceholdersThatKeepTheirNames)
{
    if (!HaveFfmpeg())
        GTEST_SKIP() << "ffmpeg is not installed";
    TempDir dir;
    const wxString clip = dir.File("clip.mkv");
    ASSERT_TRUE(MakeNumberedClip(clip, 1));
    {
        MainWindowFixture fixture;
        wxTEST_DIALOG(fixture.AddImages(wxArrayString(1, &clip)),
                      wxExpectModal<VideoImportDialog>([](VideoImportDialog*) { return wxID_OK; }));
        ASSERT_EQ(fixture.Frame().FrameCount(), 10);
        fixture.SaveWith(ID_SAVE_PROJECT, dir.File("p.xml"));
    }
    ASSERT_TRUE(wxRenameFile(clip, dir.File("moved.mkv")));
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    const wxString project = dir.File("p.xml");
    fixture.Paths().openAnswers.push_back(wxArrayString(1, &project));
    wxTEST_DIALOG(
        {
            fixture.Command(ID_OPEN_PROJECT);
            WaitFor("the project's frames", [&] { return !frame.IsLoading(); }, 30000);
        },
        wxExpectModal<wxMessageDialog>(wxID_OK).Describe("the missing frames"));
    ASSERT_EQ(frame.FrameCount(), 10);
    EXPECT_TRUE(IsMissingFrame(Probe(frame).Strip()->GetItem(0)));
    EXPECT_EQ(Probe(frame).Document().Frame(3)->source, clip + "#t=0.300&w=160");
    EXPECT_FALSE(frame.ProjectChanged());
}

TEST(VideoImport, CancelKeepsTheFramesThatArrived)
{
    if (!HaveFfmpeg())
        GTEST_SKIP() << "ffmpeg is not installed";
    TempDir dir;
    const wxString clip = dir.File("long.mp4");
    ASSERT_TRUE(MakeNumberedClip(clip, 8));
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.Paths().openAnswers.push_back(wxArrayString(1, &clip));
    wxTEST_DIALOG(
        {
            // Sent without a yield, which would take in every frame before the click.
            wxCommandEvent add(wxEVT_MENU, ID_ADD_IMAGE);
            frame.ProcessWindowEvent(add);
        },
        wxExpectModal<VideoImportDialog>([](VideoImportDialog* d) {
            d->m_fps->SetValue(30);
            d->Recount();
            return wxID_OK;
        }));
    ASSERT_TRUE(frame.IsLoading());
    // The button's own command: a real click would wait for the dialog's refused nested yield
    // (see the jobs tests).
    wxCommandEvent cancel(wxEVT_BUTTON, wxID_CANCEL);
    cancel.SetEventObject(Probe(frame).LoadProgress()->FindWindow(wxID_CANCEL));
    Probe(frame).LoadProgress()->ProcessWindowEvent(cancel);
    WaitFor("the load to stop", [&] { return !frame.IsLoading(); }, 30000);
    EXPECT_LT(frame.FrameCount(), 240) << "the import stopped early";
    for (int i = 0; i < frame.FrameCount(); ++i)
        EXPECT_EQ(PictureNumber(Probe(frame).Document().Frame(i)->picture->ToImage()), i)
            << "in order, none lost";
    EXPECT_TRUE(MenuItem(frame, ID_ADD_IMAGE)->IsEnabled());
}
