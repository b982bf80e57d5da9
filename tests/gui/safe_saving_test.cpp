// Saving never replaces or loses a file without asking: names completed with an extension,
// the GIF of another project, a project's GIF name, GIF sources, unstorable names.
#include <gtest/gtest.h>
#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>

#include "core/settings/product.h"
#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"
#include "core/project/project_file.h"
#include "support/file_bytes.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"

namespace {
class SafeSaving : public testing::Test {
protected:
    void SetUp() override
    {
        fixture.AddImages(Paths({WritePicture(dir, "a.png", 40, 30, *wxRED),
                                 WritePicture(dir, "b.png", 40, 30, *wxGREEN)}));
    }
    MainWindow& Frame() { return fixture.Frame(); }

    TempDir dir;
    MainWindowFixture fixture;
};
}

TEST_F(SafeSaving, EverySaveAsksBeforeReplacingAFileItsExtensionNames)
{
    const struct {
        const char* what;
        int command;
        const char* typed;
        const char* written;
    } saves[] = {
        {"Save", ID_SAVE_GIF, "keep", "keep.gif"},
        {"Save As", ID_SAVE_GIF_AS, "keep", "keep.gif"},
        {"Save Project", ID_SAVE_PROJECT, "proj", "proj.xml"},
        {"Save Project As", ID_SAVE_PROJECT_AS, "proj", "proj.xml"},
    };
    for (const auto& save : saves) {
        SCOPED_TRACE(save.what);
        MarkFile(dir.File(save.written));
        Probe(Frame()).GifPath().clear();
        Probe(Frame()).ProjectPath().clear();
        wxTEST_DIALOG(fixture.SaveWith(save.command, dir.File(save.typed)),
                      ExpectMessage(wxID_NO, save.written));
        EXPECT_EQ(FileBytes(dir.File(save.written)), "MARK") << "No leaves the file's bytes as they were";
        EXPECT_FALSE(wxFileExists(dir.File(save.typed)));

        Probe(Frame()).GifPath().clear();
        Probe(Frame()).ProjectPath().clear();
        wxTEST_DIALOG(fixture.SaveWith(save.command, dir.File(save.typed)),
                      ExpectMessage(wxID_YES, save.written));
        EXPECT_NE(FileBytes(dir.File(save.written)), "MARK") << "Yes replaces it";
    }
    // A name that already ends in the extension, in any letter case, keeps it.
    fixture.SaveWith(ID_SAVE_PROJECT_AS, dir.File("Upper.XML"));
    EXPECT_TRUE(wxFileExists(dir.File("Upper.XML")));
    EXPECT_EQ(Frame().GetTitle(), "Upper - " + GetProductName());
}

TEST_F(SafeSaving, SaveProjectAsWritesElsewhereAndLaterSavesGoThere)
{
    fixture.SaveWith(ID_SAVE_PROJECT, dir.File("first.xml"));
    fixture.SaveWith(ID_SAVE_PROJECT_AS, dir.File("second"));
    EXPECT_EQ(Probe(Frame()).ProjectPath(), dir.File("second.xml"));
    EXPECT_EQ(Frame().GetTitle(), "second - " + GetProductName());
    EXPECT_EQ(fixture.Paths().defaultsOffered.back(), dir.File("first.xml"));

    const std::string first = FileBytes(dir.File("first.xml"));
    fixture.Edit(Probe(Frame()).DelayControl(), 42);
    fixture.Command(ID_SAVE_PROJECT);
    EXPECT_EQ(FileBytes(dir.File("first.xml")), first);
    EXPECT_EQ(ReadProjectFile(dir.File("second.xml")).delay, 42);
}

TEST_F(SafeSaving, SaveAfterOpeningAnotherProjectAsksAndOffersItsGifName)
{
    // Project A with its GIF.
    fixture.SaveWith(ID_SAVE_GIF, dir.File("a-anim.gif"));
    fixture.SaveWith(ID_SAVE_PROJECT, dir.File("a.xml"));
    const std::string gifOfA = FileBytes(dir.File("a-anim.gif"));
    ASSERT_FALSE(gifOfA.empty());

    // Project B, in another folder, names its own GIF.
    wxMkdir(dir.File("b"));
    ProjectData b;
    b.gifName = "b-anim.gif";
    b.width = 20;
    b.height = 20;
    b.delay = 10;
    b.frames = Paths({WritePicture(dir, "b/c.png", 20, 20, *wxBLUE)});
    ASSERT_TRUE(WriteProjectFile(dir.File("b/b.xml"), b, nullptr));
    fixture.OpenProject(dir.File("b/b.xml"));
    ASSERT_EQ(Frame().FrameCount(), 1);

    fixture.SaveWith(ID_SAVE_GIF, dir.File("b/b-anim.gif"));
    EXPECT_EQ(fixture.Paths().defaultsOffered.back(), dir.File("b/b-anim.gif"));
    EXPECT_EQ(FileBytes(dir.File("a-anim.gif")), gifOfA) << "A's GIF is not touched";
    EXPECT_TRUE(wxFileExists(dir.File("b/b-anim.gif")));
    EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(0), "b-anim.gif (20 * 20)px");
}

TEST_F(SafeSaving, ReopenedProjectKeepsItsGifNameUntilAGifIsSaved)
{
    ProjectData data;
    data.gifName = "named.gif";
    data.width = 40;
    data.height = 30;
    data.delay = 10;
    data.frames = Paths({dir.File("a.png")});
    ASSERT_TRUE(WriteProjectFile(dir.File("p.xml"), data, nullptr));
    wxTEST_DIALOG(fixture.OpenProject(dir.File("p.xml")),
                  wxExpectModal<wxMessageDialog>(wxID_NO).Describe("unsaved changes"));
    fixture.Edit(Probe(Frame()).DelayControl(), 20);
    fixture.Command(ID_SAVE_PROJECT);
    EXPECT_EQ(ReadProjectFile(dir.File("p.xml")).gifName, "named.gif");

    // A Save As that fails never becomes the project's GIF name.
    wxTEST_DIALOG(fixture.SaveWith(ID_SAVE_GIF_AS, dir.File("nowhere/x.gif")),
                  wxExpectModal<wxMessageDialog>(wxID_OK).Describe("the failure"));
    fixture.Command(ID_SAVE_PROJECT);
    EXPECT_EQ(ReadProjectFile(dir.File("p.xml")).gifName, "named.gif");

    fixture.SaveWith(ID_SAVE_GIF_AS, dir.File("real"));
    fixture.Command(ID_SAVE_PROJECT);
    EXPECT_EQ(ReadProjectFile(dir.File("p.xml")).gifName, "real.gif");
}

TEST_F(SafeSaving, ReplacingAGifThatFramesComeFromAsksFirst)
{
    const wxString gif = WriteGif(dir, "src.gif", 2, 40, 30);
    fixture.AddImages(Paths({gif}));
    const std::string before = FileBytes(gif);
    wxTEST_DIALOG(fixture.SaveWith(ID_SAVE_GIF_AS, gif),
                  ExpectMessage(wxID_NO, "src.gif"));
    EXPECT_EQ(FileBytes(gif), before);
    wxTEST_DIALOG(fixture.SaveWith(ID_SAVE_GIF_AS, gif),
                  ExpectMessage(wxID_YES, "src.gif"));
    EXPECT_NE(FileBytes(gif), before);
}

TEST_F(SafeSaving, ANameXmlCannotHoldIsRefusedNamingTheFrame)
{
    const wxString odd = dir.File(wxString("bell") + wxUniChar(7) + ".png");
    ASSERT_TRUE(wxCopyFile(dir.File("a.png"), odd));
    fixture.AddImages(Paths({odd}));
    ASSERT_EQ(Frame().FrameCount(), 3);
    wxTEST_DIALOG(fixture.Command(ID_SAVE_PROJECT),
                  ExpectMessage(wxID_OK, "frame 3"));
    EXPECT_TRUE(fixture.Paths().defaultsOffered.empty()) << "no path is asked for";
    EXPECT_TRUE(Probe(Frame()).ProjectPath().empty());
}
