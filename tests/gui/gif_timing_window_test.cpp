// Timing through the window: GIFs keep their own delays, Save writes each frame's delay and
// the loop setting, projects carry both.
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/menu.h>
#include <wx/radiobut.h>
#include <wx/spinctrl.h>
#include <wx/testing.h>
#include <wx/utils.h>

#include "core/settings/settings_store.h"
#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"
#include "ui/dialogs/loop_count_dialog.h"
#include "support/file_bytes.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"
#include "core/export/gif_export.h"
#include "core/gif/gif_frame_reader.h"

namespace {
// A GIF of three 8 x 8 frames with the delays 10, 0 and 250.
wxString MixedDelaysGif(const TempDir& dir)
{
    std::vector<wxImage> frames;
    for (int i = 0; i < 3; ++i) {
        wxImage frame(8, 8);
        frame.SetRGB(wxRect(0, 0, 8, 8), 60 * i, 100, 200);
        frames.push_back(frame);
    }
    GifExportOptions options;
    options.canvas = wxSize(8, 8);
    options.delays = {10, 0, 250};
    const wxString path = dir.File("mixed.gif");
    EXPECT_TRUE(ExportGif(std::move(frames), path, options).ok);
    return path;
}

std::vector<int> DelaysOf(const wxString& gif)
{
    GifFrameReader reader;
    std::vector<int> delays;
    if (reader.Open(gif, nullptr))
        for (unsigned i = 0; i < reader.Count(); ++i)
            delays.push_back(reader.Delay(i));
    return delays;
}

// The repeat count of the file's looping extension, or -1 without one.
int RepeatCountOf(const wxString& gif)
{
    const std::string bytes = FileBytes(gif);
    const size_t at = bytes.find("NETSCAPE2.0\x03\x01");
    if (at == std::string::npos)
        return -1;
    const size_t count = at + 13;
    return static_cast<unsigned char>(bytes[count]) | static_cast<unsigned char>(bytes[count + 1]) << 8;
}

// Answers the Loop Count dialog: plays times, and whether the saved GIF does too.
class AnswerLoops : public wxExpectModalBase<LoopCountDialog, AnswerLoops> {
public:
    AnswerLoops(int times, bool forFile) : m_times(times), m_forFile(forFile) {}

protected:
    int OnInvoked(LoopCountDialog* dialog) const override
    {
        dialog->m_radioTimes->SetValue(true);
        dialog->m_spinTimes->SetValue(m_times);
        dialog->m_forFile->SetValue(m_forFile);
        dialog->ApplyButton(wxID_OK);
        return wxID_OK;
    }

private:
    int m_times;
    bool m_forFile;
};

class KeepGifTiming {
public:
    explicit KeepGifTiming(bool keep) { Settings().Write("Frames/KeepGifTiming", keep); }
    ~KeepGifTiming() { Settings().Write("Frames/KeepGifTiming", true); }
};
}

TEST(GifTimingWindow, AGifKeepsItsRhythmThroughTheWindowUnlessAskedNotTo)
{
    TempDir dir;
    const wxString gif = MixedDelaysGif(dir);
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.AddImages(Paths({gif}));
    EXPECT_EQ(Probe(frame).Strip()->LabelText(2), "#3  0.10sec*");
    fixture.SaveWith(ID_SAVE_GIF_AS, dir.File("again.gif"));
    EXPECT_EQ(DelaysOf(dir.File("again.gif")), (std::vector<int>{10, 0, 250}));
    EXPECT_EQ(RepeatCountOf(dir.File("again.gif")), 0) << "looping forever, as before";

    KeepGifTiming off(false);
    fixture.Command(ID_CLEAR_ALL);
    fixture.AddImages(Paths({gif}));
    EXPECT_EQ(Probe(frame).Document().Frame(2)->delay, kCommonDelay);
    EXPECT_EQ(Probe(frame).Strip()->LabelText(2), "#3  0.20sec");
}

TEST(GifTimingWindow, TheLoopSettingReachesTheFileOnlyWhenAsked)
{
    TempDir dir;
    MainWindowFixture fixture;
    fixture.AddImages(Paths({WritePicture(dir, "a.png", 8, 8), WritePicture(dir, "b.png", 8, 8)}));
    auto loop = [&](int times, bool forFile) {
        wxTEST_DIALOG(fixture.Command(ID_LOOP_COUNT), AnswerLoops(times, forFile));
    };
    loop(3, false);
    fixture.SaveWith(ID_SAVE_GIF_AS, dir.File("preview-only.gif"));
    EXPECT_EQ(RepeatCountOf(dir.File("preview-only.gif")), 0);
    loop(3, true);
    fixture.SaveWith(ID_SAVE_GIF_AS, dir.File("three.gif"));
    EXPECT_EQ(RepeatCountOf(dir.File("three.gif")), 2) << "plays three times";
    loop(1, true);
    fixture.SaveWith(ID_SAVE_GIF_AS, dir.File("once.gif"));
    EXPECT_EQ(RepeatCountOf(dir.File("once.gif")), -1) << "no looping extension";
    s_lastLoopCount = 0;
    s_lastLoopForFile = false;
}

TEST(GifTimingWindow, ProjectsCarryOwnDelaysAndTheLoopSetting)
{
    TempDir dir;
    const wxString gif = MixedDelaysGif(dir);
    {
        MainWindowFixture fixture;
        fixture.AddImages(Paths({gif, WritePicture(dir, "a.png", 8, 8)}));
        wxTEST_DIALOG(fixture.Command(ID_LOOP_COUNT), AnswerLoops(4, true));
        fixture.SaveWith(ID_SAVE_PROJECT, dir.File("p.xml"));
    }
    s_lastLoopCount = 0;
    s_lastLoopForFile = false;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.OpenProject(dir.File("p.xml"));
    ASSERT_EQ(frame.FrameCount(), 4);
    EXPECT_EQ(Probe(frame).Document().Frame(1)->delay, 0);
    EXPECT_EQ(Probe(frame).Document().Frame(2)->delay, 250);
    EXPECT_EQ(Probe(frame).Document().Frame(3)->delay, kCommonDelay);
    EXPECT_EQ(Probe(frame).Document().LoopCount(), 4);
    EXPECT_TRUE(Probe(frame).Document().LoopInFile());
    EXPECT_EQ(s_lastLoopCount, 4) << "the Loop Count dialog offers the project's setting";
    EXPECT_TRUE(s_lastLoopForFile);
    EXPECT_FALSE(frame.ProjectChanged());
    fixture.SaveWith(ID_SAVE_GIF_AS, dir.File("out.gif"));
    EXPECT_EQ(DelaysOf(dir.File("out.gif")), (std::vector<int>{10, 0, 250, 10}));
    EXPECT_EQ(RepeatCountOf(dir.File("out.gif")), 3);

    // The command line makes the same file of the project.
    wxArrayString output, errors;
    const wxString cli = wxString(ZORUVEDE_BUILD_DIR) + "/bin/zoruvede-cli";
    ASSERT_EQ(wxExecute(cli + " -q -o " + dir.File("cli.gif") + " " + dir.File("p.xml"), output,
                        errors, wxEXEC_SYNC),
              0);
    EXPECT_TRUE(FileBytes(dir.File("cli.gif")) == FileBytes(dir.File("out.gif")));
    s_lastLoopCount = 0;
    s_lastLoopForFile = false;
}
