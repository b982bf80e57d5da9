// Fewer frames through the window: Remove Duplicate Frames and Lower Frame Rate keep the
// length and save the bytes the exporter writes with --dedupe and --max-fps; Delete Frames
// Before and After trim around the selection; each is one step to undo.
#include <gtest/gtest.h>
#include <wx/slider.h>
#include <wx/spinctrl.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/testing.h>
#include <wx/utils.h>

#include "ui/dialogs/fewer_frames_dialogs.h"
#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"
#include "support/file_bytes.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"
#include "support/test_images.h"

namespace {
// Answers Remove Duplicate Frames with a tolerance in tenths of a percent, once the frames
// are compared; the count it showed goes to shown.
class AnswerDuplicates : public wxExpectModalBase<RemoveDuplicatesDialog, AnswerDuplicates> {
public:
    AnswerDuplicates(int tenths, wxString* shown) : m_tenths(tenths), m_shown(shown) {}

protected:
    int OnInvoked(RemoveDuplicatesDialog* dialog) const override
    {
        dialog->FinishComparison();
        dialog->m_tolerance->SetValue(m_tenths);
        wxCommandEvent moved(wxEVT_SLIDER, dialog->m_tolerance->GetId());
        dialog->m_tolerance->GetEventHandler()->ProcessEvent(moved);
        *m_shown = dialog->m_count->GetLabel();
        return wxID_OK;
    }

private:
    int m_tenths;
    wxString* m_shown;
};

class AnswerFrameRate : public wxExpectModalBase<LowerFrameRateDialog, AnswerFrameRate> {
public:
    explicit AnswerFrameRate(int fps) : m_fps(fps) {}

protected:
    int OnInvoked(LowerFrameRateDialog* dialog) const override
    {
        dialog->m_fpsChoice->SetValue(true);
        dialog->m_fps->SetValue(m_fps);
        return wxID_OK;
    }

private:
    int m_fps;
};

// Ten 20 x 20 frames: a a a b b c c' d d d, c' being c with one pixel changed.
struct TenFrames {
    TenFrames()
    {
        const wxString a = WritePicture(dir, "a.png", 20, 20, wxColour(32, 64, 128));
        const wxString b = WritePicture(dir, "b.png", 20, 20, wxColour(128, 32, 64));
        const wxString c = WritePicture(dir, "c.png", 20, 20, wxColour(64, 128, 32));
        wxImage changed = SolidImage(20, 20, 64, 128, 32);
        changed.SetRGB(3, 3, 255, 255, 255);
        const wxString c1 = dir.File("c1.png");
        EXPECT_TRUE(WriteImage(changed, c1, wxBITMAP_TYPE_PNG));
        const wxString d = WritePicture(dir, "d.png", 20, 20, wxColour(128, 128, 128));
        for (const wxString& path : {a, a, a, b, b, c, c1, d, d, d})
            inputs.Add(path);
        fixture.AddImages(inputs);
    }
    std::vector<int> Delays() const
    {
        std::vector<int> delays;
        for (int i = 0; i < frame.FrameCount(); ++i)
            delays.push_back(Probe(frame).Document().EffectiveDelay(i));
        return delays;
    }
    // zoruvede-cli with options on the same files writes what the window saved as saved.
    void ExpectCliBytes(const wxString& options, const wxString& saved)
    {
        wxString command = wxString(ZORUVEDE_BUILD_DIR) + "/bin/zoruvede-cli -q " + options +
                           " -o " + dir.File("cli.gif");
        for (const wxString& input : inputs)
            command += " " + input;
        wxArrayString output, errors;
        ASSERT_EQ(wxExecute(command, output, errors, wxEXEC_SYNC), 0) << command;
        EXPECT_TRUE(FileBytes(dir.File("cli.gif")) == FileBytes(saved)) << command;
    }
    TempDir dir;
    wxArrayString inputs;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
};
}  // namespace

TEST(FewerFrames, DuplicatesGoWithinTheToleranceKeepingTheLengthAndSaveAsTheExporter)
{
    TenFrames t;
    ASSERT_EQ(t.frame.FrameCount(), 10);
    wxString shown;
    // 0.3 %: the one pixel of 400 in c' is within it.
    wxTEST_DIALOG(t.fixture.Command(ID_REMOVE_DUPLICATES), AnswerDuplicates(3, &shown));
    EXPECT_EQ(shown, "6 of 10 frames would go");
    EXPECT_EQ(t.Delays(), (std::vector<int>{30, 20, 20, 30}));
    EXPECT_EQ(Probe(t.frame).Strip()->GetCount(), 4) << "the strip follows";
    EXPECT_TRUE(Probe(t.frame).History()->GetUndoMenuLabel().Contains("Remove 6 Duplicate Frames"));
    t.fixture.SaveWith(ID_SAVE_GIF_AS, t.dir.File("window.gif"));
    t.ExpectCliBytes("--dedupe=0.3", t.dir.File("window.gif"));

    t.fixture.Command(wxID_UNDO);
    EXPECT_EQ(t.Delays(), std::vector<int>(10, 10)) << "undo gives every frame back";
    EXPECT_EQ(Probe(t.frame).Document().Frame(0)->delay, kCommonDelay);
    t.fixture.Command(wxID_REDO);
    EXPECT_EQ(t.Delays(), (std::vector<int>{30, 20, 20, 30}));
}

TEST(FewerFrames, AFrameRateKeepsTheLengthAndSavesAsTheExporter)
{
    TenFrames t;
    wxTEST_DIALOG(t.fixture.Command(ID_LOWER_FRAME_RATE), AnswerFrameRate(4));
    EXPECT_EQ(t.Delays(), (std::vector<int>{30, 20, 30, 20}));
    EXPECT_TRUE(Probe(t.frame).History()->GetUndoMenuLabel().Contains("Lower Frame Rate"));
    t.fixture.SaveWith(ID_SAVE_GIF_AS, t.dir.File("window.gif"));
    t.ExpectCliBytes("--max-fps 4", t.dir.File("window.gif"));
}

TEST(FewerFrames, TrimDeletesAroundTheSelectionOnlyWhenThereIsSomethingToDelete)
{
    TenFrames t;
    FrameStrip* strip = Probe(t.frame).Strip();
    const FrameList before = Probe(t.frame).Document().Frames();
    strip->Select(0);
    t.frame.UpdateWindowUI();
    EXPECT_FALSE(MenuItem(t.frame, ID_DELETE_BEFORE)->IsEnabled()) << "nothing before the first";
    EXPECT_TRUE(MenuItem(t.frame, ID_DELETE_AFTER)->IsEnabled());

    strip->Select(0, false);
    strip->Select(3);
    t.fixture.Command(ID_DELETE_BEFORE);
    ASSERT_EQ(t.frame.FrameCount(), 7);
    EXPECT_EQ(Probe(t.frame).Document().Frame(0), before[3]);
    EXPECT_TRUE(Probe(t.frame).History()->GetUndoMenuLabel().Contains("Delete Frames Before"));

    strip->Select(1);
    t.fixture.Command(ID_DELETE_AFTER);
    ASSERT_EQ(t.frame.FrameCount(), 2);
    EXPECT_EQ(Probe(t.frame).Document().Frame(1), before[4]);

    t.fixture.Command(wxID_UNDO);
    t.fixture.Command(wxID_UNDO);
    EXPECT_EQ(Probe(t.frame).Document().Frames(), before);
}
