#include <gtest/gtest.h>
#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/filefn.h>
#include <wx/msgdlg.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>
#include <wx/testing.h>
#include <wx/utils.h>

#include <sys/stat.h>
#include <unistd.h>

#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"
#include "support/file_bytes.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"

namespace {
// Runs a save command and waits for the export to end.
void Save(MainWindowFixture& fixture, int commandId)
{
    fixture.Command(commandId);
    WaitFor("the export to end", [&] { return !fixture.Frame().IsSaving(); }, 30000);
    YieldFor(20);
}

class SaveGif : public testing::Test {
protected:
    void SetUp() override
    {
        fixture.AddImages(Paths({WritePicture(dir, "a.png", 40, 30, *wxRED),
                                 WritePicture(dir, "b.png", 40, 30, *wxGREEN),
                                 WritePicture(dir, "c.png", 20, 20, *wxBLUE)}));
    }
    MainWindow& Frame() { return fixture.Frame(); }
    int SaveId() { return ID_SAVE_GIF; }
    int SaveAsId() { return ID_SAVE_GIF_AS; }

    TempDir dir;
    MainWindowFixture fixture;
};
}

TEST_F(SaveGif, FirstSaveAddsTheExtensionAndShowsTheFileWritten)
{
    fixture.Paths().saveAnswers.push_back(dir.File("anim"));
    Save(fixture, SaveId());
    EXPECT_EQ(fixture.Paths().titlesAsked.back(), "Save GIF Files");
    EXPECT_EQ(fixture.Paths().wildcardsAsked.back(), "Image files (*.gif)|*.gif");
    EXPECT_TRUE(wxFileExists(dir.File("anim.gif")));
    EXPECT_EQ(Probe(Frame()).GifPath(), dir.File("anim.gif"));
    EXPECT_EQ(Probe(Frame()).GifName(), "anim.gif");
    EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(0), "anim.gif (40 * 30)px");
    EXPECT_EQ(FileBytes(dir.File("anim.gif")).substr(0, 6), "GIF89a");
    EXPECT_EQ(Probe(Frame()).GifSavedCount(), 3);
    EXPECT_EQ(Probe(Frame()).GifSavedWidth(), 40);
    EXPECT_TRUE(Frame().IsEnabled());
}

TEST_F(SaveGif, SecondSaveWithNothingChangedWritesNothing)
{
    fixture.Paths().saveAnswers.push_back(dir.File("anim.gif"));
    Save(fixture, SaveId());
    MarkFile(dir.File("anim.gif"));
    Save(fixture, SaveId());
    EXPECT_EQ(FileBytes(dir.File("anim.gif")), "MARK");

    wxRemoveFile(dir.File("anim.gif"));
    Save(fixture, SaveId());
    EXPECT_EQ(FileBytes(dir.File("anim.gif")).substr(0, 6), "GIF89a") << "a deleted file is written again";
}

TEST_F(SaveGif, SaveAfterAWidthChangeWritesTheNewSize)
{
    fixture.Paths().saveAnswers.push_back(dir.File("anim.gif"));
    Save(fixture, SaveId());
    fixture.Edit(Probe(Frame()).WidthControl(), 20);
    Save(fixture, SaveId());
    const std::string bytes = FileBytes(dir.File("anim.gif"));
    ASSERT_GE(bytes.size(), 10u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[6]), 20);  // logical screen width
    EXPECT_EQ(static_cast<unsigned char>(bytes[8]), 15);  // height kept in proportion
    EXPECT_EQ(Probe(Frame()).GifSavedWidth(), 20);
}

TEST_F(SaveGif, SaveAfterReplacingAFrameWithTheSameCountIsWritten)
{
    fixture.Paths().saveAnswers.push_back(dir.File("anim.gif"));
    Save(fixture, SaveId());
    MarkFile(dir.File("anim.gif"));
    Probe(Frame()).Strip()->Select(0);
    wxTEST_DIALOG(fixture.Command(ID_DELETE_FRAMES),
                  wxExpectModal<wxMessageDialog>(wxID_YES));
    fixture.InsertImages(Paths({WritePicture(dir, "d.png", 40, 30)}));
    ASSERT_EQ(Frame().FrameCount(), 3);
    Save(fixture, SaveId());
    EXPECT_EQ(FileBytes(dir.File("anim.gif")).substr(0, 6), "GIF89a");
}

TEST_F(SaveGif, SaveAsKeepsAnUpperCaseEnding)
{
    fixture.Paths().saveAnswers.push_back(dir.File("x.GIF"));
    Save(fixture, SaveAsId());
    EXPECT_EQ(fixture.Paths().titlesAsked.back(), "Save As GIF Files");
    EXPECT_TRUE(wxFileExists(dir.File("x.GIF")));
    EXPECT_FALSE(wxFileExists(dir.File("x.GIF.gif")));
    EXPECT_EQ(Probe(Frame()).GifName(), "x.GIF");
    EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(0), "x.GIF (40 * 30)px");
}

TEST_F(SaveGif, CancelledSaveAsForgetsThePathSoSaveAsksAgain)
{
    fixture.Paths().saveAnswers.push_back(dir.File("one.gif"));
    Save(fixture, SaveId());
    fixture.Paths().saveAnswers.push_back(wxString());
    Save(fixture, SaveAsId());
    EXPECT_EQ(Probe(Frame()).GifPath(), "");
    fixture.Paths().saveAnswers.push_back(dir.File("two.gif"));
    Save(fixture, SaveId());
    EXPECT_TRUE(fixture.Paths().saveAnswers.empty());
    EXPECT_TRUE(wxFileExists(dir.File("two.gif")));
}

TEST_F(SaveGif, FailedExportIsShownAndKeepsThePreviousFile)
{
    fixture.Paths().saveAnswers.push_back(dir.File("anim.gif"));
    Save(fixture, SaveId());
    const wxString statusBefore = Frame().GetStatusBar()->GetStatusText(0);
    // A folder where the file should be makes the final rename fail.
    wxRemoveFile(dir.File("anim.gif"));
    wxMkdir(dir.File("anim.gif"));
    MarkFile(dir.File("anim.gif/inside"));
    fixture.Edit(Probe(Frame()).DelayControl(), 30);
    wxTEST_DIALOG(Save(fixture, SaveId()), wxExpectModal<wxMessageDialog>(wxID_OK));
    EXPECT_EQ(FileBytes(dir.File("anim.gif/inside")), "MARK");
    EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(0), statusBefore)
        << "a failed save claims nothing in the status bar";
    wxArrayString left;
    EXPECT_EQ(wxDir::GetAllFiles(dir.Path(), &left, "*.gif*", wxDIR_FILES | wxDIR_HIDDEN), 0u)
        << "no temporary file is left behind";
}

TEST_F(SaveGif, FailedExportIntoAMissingFolderIsShownAndTheNextSaveTriesAgain)
{
    const wxString target = dir.File("gone/anim.gif");
    fixture.Paths().saveAnswers.push_back(target);
    wxTEST_DIALOG(Save(fixture, SaveId()), wxExpectModal<wxMessageDialog>(wxID_OK));
    EXPECT_FALSE(wxFileExists(target));
    wxMkdir(dir.File("gone"));
    Save(fixture, SaveId());
    EXPECT_TRUE(wxFileExists(target));
}

// The window refuses what the exporter refuses, in its own words: a pipe or a device chosen
// in the file dialog stays what it is.
TEST_F(SaveGif, APipeOrADeviceChosenAsTheGifIsRefusedAndStaysWhatItIs)
{
    ASSERT_EQ(::mkfifo(dir.File("pipe.gif").fn_str(), 0600), 0);
    ASSERT_EQ(::symlink("/dev/null", dir.File("null.gif").fn_str()), 0);
    const struct {
        const char* name;
        const char* words;
    } cases[] = {{"pipe.gif", "it is a named pipe, not a file"},
                 {"null.gif", "it is a device, not a file"}};
    for (const auto& c : cases) {
        fixture.Paths().saveAnswers.push_back(dir.File(c.name));
        wxTEST_DIALOG(Save(fixture, SaveAsId()), ExpectMessage(wxID_OK, c.words));
        EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(0).Find(c.name), wxNOT_FOUND) << c.name;
    }
    struct stat st;
    EXPECT_TRUE(::lstat(dir.File("pipe.gif").fn_str(), &st) == 0 && S_ISFIFO(st.st_mode));
    EXPECT_TRUE(::stat("/dev/null", &st) == 0 && S_ISCHR(st.st_mode));
}

TEST_F(SaveGif, SavedFileEqualsTheCommandLineExportByteForByte)
{
    fixture.Edit(Probe(Frame()).DelayControl(), 7);
    fixture.Paths().saveAnswers.push_back(dir.File("app.gif"));
    Save(fixture, SaveId());
    const wxString cli = wxString(ZORUVEDE_BUILD_DIR) + "/bin/zoruvede-cli";
    wxArrayString output, errors;
    const long code = wxExecute(cli + " -q --delay 7 --size 40x30 -o " + dir.File("cli.gif") + " " +
                                    dir.File("a.png") + " " + dir.File("b.png") + " " + dir.File("c.png"),
                                output, errors, wxEXEC_SYNC);
    ASSERT_EQ(code, 0) << (errors.empty() ? wxString() : errors[0]);
    const std::string app = FileBytes(dir.File("app.gif"));
    EXPECT_FALSE(app.empty());
    EXPECT_TRUE(app == FileBytes(dir.File("cli.gif")));
}

TEST(SaveGifClosing, ClosingWhileAnExportRunsLeavesNoFileBehind)
{
    TempDir dir;
    wxArrayString paths;
    for (int i = 0; i < 12; ++i)
        paths.Add(WritePicture(dir, wxString::Format("p%d.png", i).c_str(), 900, 900));
    auto fixture = std::make_unique<MainWindowFixture>();
    fixture->AddImages(paths);
    ASSERT_EQ(fixture->Frame().FrameCount(), 12);
    fixture->Paths().saveAnswers.push_back(dir.File("anim.gif"));
    // Sent without yielding, so that the export is still running when the window goes.
    wxCommandEvent save(wxEVT_MENU, ID_SAVE_GIF);
    fixture->Frame().ProcessWindowEvent(save);
    EXPECT_TRUE(fixture->Frame().IsSaving());
    fixture.reset();
    YieldFor(100);
    EXPECT_FALSE(wxFileExists(dir.File("anim.gif")));
    wxArrayString left;
    EXPECT_EQ(wxDir::GetAllFiles(dir.Path(), &left, "*.gif*", wxDIR_FILES | wxDIR_HIDDEN), 0u);
}
