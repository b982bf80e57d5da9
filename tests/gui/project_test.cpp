#include <gtest/gtest.h>
#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>
#include <wx/testing.h>
#include <wx/utils.h>

#include "core/settings/product.h"
#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"
#include "core/project/project_file.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"

namespace {
class Project : public testing::Test {
protected:
    void SetUp() override
    {
        png1 = WritePicture(dir, "one.png", 40, 30);
        png2 = WritePicture(dir, "two.png", 40, 30);
        gif = WriteGif(dir, "a.gif", 3, 40, 30);
        fixture.AddImages(Paths({png1, png2, gif}));
    }
    MainWindow& Frame() { return fixture.Frame(); }
    void SaveAs(const wxString& path)
    {
        fixture.Paths().saveAnswers.push_back(path);
        fixture.Command(ID_SAVE_PROJECT);
    }

    TempDir dir;
    MainWindowFixture fixture;
    wxString png1, png2, gif;
};
}

TEST_F(Project, SaveAddsTheEndingAndTitlesTheWindow)
{
    SaveAs(dir.File("proj"));
    EXPECT_TRUE(wxFileExists(dir.File("proj.xml")));
    EXPECT_EQ(Frame().GetTitle(), "proj - " + GetProductName());
    EXPECT_EQ(fixture.Paths().titlesAsked.back(), "Save XML Files");
    EXPECT_EQ(fixture.Paths().wildcardsAsked.back(), "XML files (*.xml)|*.xml");
    EXPECT_FALSE(Frame().ProjectChanged());

    // Later saves go to the same file without asking.
    fixture.Command(ID_SAVE_PROJECT);
    EXPECT_TRUE(fixture.Paths().saveAnswers.empty());
}

TEST_F(Project, ReopeningGivesTheSameFramesDelayAndCanvas)
{
    fixture.Edit(Probe(Frame()).DelayControl(), 25);
    SaveAs(dir.File("p.xml"));
    const wxArrayString saved = FrameNames(Frame());
    ASSERT_EQ(saved.size(), 5u);

    MainWindowFixture second;
    second.Paths().openAnswers.push_back(Paths({dir.File("p.xml")}));
    second.Command(ID_OPEN_PROJECT);
    WaitFor("the project's frames", [&] { return !second.Frame().IsLoading(); }, 30000);
    EXPECT_EQ(FrameNames(second.Frame()), saved);
    EXPECT_EQ(Probe(second.Frame()).DelayControl()->GetValue(), 25);
    EXPECT_EQ(Probe(second.Frame()).WidthControl()->GetValue(), 40);
    EXPECT_EQ(second.Frame().GetTitle(), "p - " + GetProductName());
    EXPECT_EQ(second.Paths().titlesAsked.back(), "Load Xml Files");
}

TEST_F(Project, UnnamedProjectShowsItsOwnCanvasTextWhileItsFramesLoad)
{
    ProjectData data;
    data.width = 640;
    data.height = 480;
    data.delay = 10;
    for (int i = 0; i < 30; ++i)
        data.frames.Add(WritePicture(dir, wxString::Format("big%d.png", i).c_str(), 800, 800));
    ASSERT_TRUE(WriteProjectFile(dir.File("unnamed.xml"), data, nullptr));

    MainWindowFixture other;
    other.Paths().openAnswers.push_back(Paths({dir.File("unnamed.xml")}));
    wxCommandEvent open(wxEVT_MENU, ID_OPEN_PROJECT);
    other.Frame().ProcessWindowEvent(open);
    EXPECT_EQ(other.Frame().GetStatusBar()->GetStatusText(0), "Unititle.gif(640 * 480)px");
    WaitFor("the project's frames", [&] { return !other.Frame().IsLoading(); }, 30000);
    // The project's stored size is kept once the frames are in.
    EXPECT_EQ(other.Frame().GetStatusBar()->GetStatusText(0), "Untitled.gif (640 * 480)px");
    EXPECT_FALSE(other.Frame().ProjectChanged());
}

TEST_F(Project, ProjectWhosePathsAreAllMissingOpensAsPlaceholders)
{
    ProjectData data;
    data.width = 40;
    data.height = 30;
    data.delay = 10;
    data.frames = Paths({dir.File("gone1.png"), dir.File("gone2.png")});
    ASSERT_TRUE(WriteProjectFile(dir.File("gone.xml"), data, nullptr));
    MainWindowFixture other;
    other.Paths().openAnswers.push_back(Paths({dir.File("gone.xml")}));
    wxTEST_DIALOG(
        {
            other.Command(ID_OPEN_PROJECT);
            WaitFor("the project's frames", [&] { return !other.Frame().IsLoading(); }, 30000);
        },
        wxExpectModal<wxMessageDialog>(wxID_OK).Describe("the missing frames"));
    ASSERT_EQ(other.Frame().FrameCount(), 2);
    EXPECT_TRUE(IsMissingFrame(Probe(other.Frame()).Strip()->GetItem(0)));
    EXPECT_EQ(other.Frame().GetTitle(), "gone - " + GetProductName());
    EXPECT_EQ(Probe(other.Frame()).WidthControl()->GetValue(), 40);
    EXPECT_FALSE(other.Frame().ProjectChanged());
}

TEST_F(Project, OpenAsksFirstAndKeepsTheFramesOnCancel)
{
    wxTEST_DIALOG(fixture.Command(ID_OPEN_PROJECT),
                  wxExpectModal<wxMessageDialog>(wxID_CANCEL));
    EXPECT_EQ(Frame().FrameCount(), 5);

    // No, then a cancelled open dialog: nothing is lost either.
    fixture.Paths().openAnswers.push_back(wxArrayString());
    wxTEST_DIALOG(fixture.Command(ID_OPEN_PROJECT),
                  wxExpectModal<wxMessageDialog>(wxID_NO));
    EXPECT_EQ(Frame().FrameCount(), 5);
}

TEST_F(Project, OpenWithYesSavesFirstAndStopsWhenTheSaveIsCancelled)
{
    fixture.Paths().saveAnswers.push_back(wxString());
    wxTEST_DIALOG(fixture.Command(ID_OPEN_PROJECT),
                  wxExpectModal<wxMessageDialog>(wxID_YES));
    EXPECT_EQ(Frame().FrameCount(), 5);
    EXPECT_TRUE(fixture.Paths().openAnswers.empty());
}

TEST_F(Project, CloseAsksOnlyWhenSomethingChanged)
{
    SaveAs(dir.File("p.xml"));
    fixture.Command(ID_EXIT_PROGRAM);
    EXPECT_TRUE(WaitFor("the window to close", [&] { return !fixture.Alive(); }));
}

TEST_F(Project, DelayChangedByOneAsksAndCancelKeepsTheWindow)
{
    SaveAs(dir.File("p.xml"));
    fixture.Edit(Probe(Frame()).DelayControl(), Probe(Frame()).DelayControl()->GetValue() + 1);
    wxTEST_DIALOG(fixture.Command(ID_EXIT_PROGRAM),
                  wxExpectModal<wxMessageDialog>(wxID_CANCEL));
    YieldFor(50);
    EXPECT_TRUE(fixture.Alive());
}

TEST_F(Project, YesWithACancelledSaveDialogKeepsTheWindowOpen)
{
    fixture.Paths().saveAnswers.push_back(wxString());
    wxTEST_DIALOG(fixture.Command(ID_EXIT_PROGRAM),
                  wxExpectModal<wxMessageDialog>(wxID_YES));
    YieldFor(50);
    ASSERT_TRUE(fixture.Alive());
    EXPECT_EQ(Frame().FrameCount(), 5);

    fixture.Paths().saveAnswers.push_back(dir.File("keep.xml"));
    wxTEST_DIALOG(fixture.Command(ID_EXIT_PROGRAM),
                  wxExpectModal<wxMessageDialog>(wxID_YES));
    EXPECT_TRUE(WaitFor("the window to close", [&] { return !fixture.Alive(); }));
    EXPECT_TRUE(wxFileExists(dir.File("keep.xml")));
}

TEST_F(Project, NoClosesWithoutSaving)
{
    wxTEST_DIALOG(fixture.Command(ID_EXIT_PROGRAM),
                  wxExpectModal<wxMessageDialog>(wxID_NO));
    EXPECT_TRUE(WaitFor("the window to close", [&] { return !fixture.Alive(); }));
}

TEST_F(Project, FailedSaveIsShownAndNothingCountsAsSaved)
{
    SaveAs(dir.File("p.xml"));
    const std::string before = [&] {
        wxString text;
        wxFFile(dir.File("p.xml"), "rb").ReadAll(&text);
        return text.utf8_string();
    }();
    // A folder where the file should be makes the final rename fail.
    Probe(Frame()).ProjectPath() = dir.File("blocked.xml");
    wxMkdir(dir.File("blocked.xml"));
    wxFFile(dir.File("blocked.xml/inside"), "wb").Write("x", 1);
    fixture.Edit(Probe(Frame()).DelayControl(), 99);
    wxTEST_DIALOG(fixture.Command(ID_SAVE_PROJECT),
                  wxExpectModal<wxMessageDialog>(wxID_OK));
    EXPECT_TRUE(Frame().ProjectChanged());
    EXPECT_EQ(Frame().GetTitle(), "p - " + GetProductName());
    EXPECT_TRUE(wxDirExists(dir.File("blocked.xml")));
}

TEST_F(Project, CommandLineExportOfTheProjectEqualsTheApplicationsSave)
{
    fixture.Edit(Probe(Frame()).DelayControl(), 13);
    SaveAs(dir.File("p.xml"));
    fixture.Paths().saveAnswers.push_back(dir.File("app.gif"));
    fixture.Command(ID_SAVE_GIF);
    WaitFor("the export to end", [&] { return !Frame().IsSaving(); }, 30000);

    wxArrayString output, errors;
    const wxString cli = wxString(ZORUVEDE_BUILD_DIR) + "/bin/zoruvede-cli";
    const long code = wxExecute(cli + " -q -o " + dir.File("cli.gif") + " " + dir.File("p.xml"),
                                output, errors, wxEXEC_SYNC);
    ASSERT_EQ(code, 0) << (errors.empty() ? wxString() : errors[0]);
    wxString app, fromCli;
    wxFFile(dir.File("app.gif"), "rb").ReadAll(&app, wxConvISO8859_1);
    wxFFile(dir.File("cli.gif"), "rb").ReadAll(&fromCli, wxConvISO8859_1);
    EXPECT_FALSE(app.empty());
    EXPECT_TRUE(app == fromCli) << "frames, delay 13 and the 40 x 30 canvas come from the project";

    const long broken = wxExecute(cli + " -q -o " + dir.File("x.gif") + " " + dir.File("one.png") + ".xml",
                                  output, errors, wxEXEC_SYNC);
    EXPECT_EQ(broken, 1);
}
