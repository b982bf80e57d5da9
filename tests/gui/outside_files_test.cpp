// Files from outside the window: dropped on the strip or the window, or named on the command
// line. Drops go through the real drop targets the window installed.
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/cmdline.h>
#include <wx/dnd.h>
#include <wx/filefn.h>

#include "core/settings/command_line.h"
#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"
#include "core/project/project_file.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"

namespace {
class OutsideFiles : public testing::Test {
protected:
    void SetUp() override
    {
        a = WritePicture(dir, "a.png", 20, 10, *wxRED);
        b = WritePicture(dir, "b.png", 20, 10, *wxGREEN);
        c = WritePicture(dir, "c.png", 20, 10, *wxBLUE);
    }
    MainWindow& Frame() { return fixture.Frame(); }

    // Drops paths at a client point of the window whose drop target it is, and waits until
    // the drop's questions are answered and its load has ended.
    void Drop(wxWindow* window, const wxPoint& where, const wxArrayString& paths)
    {
        auto* target = dynamic_cast<wxFileDropTarget*>(window->GetDropTarget());
        ASSERT_NE(target, nullptr) << "the window takes no files";
        EXPECT_TRUE(target->OnDropFiles(where.x, where.y, paths));
        // The drop only takes note; the window acts once the drag has ended.
        YieldFor(30);
        WaitFor("the dropped files to load", [&] { return !Frame().IsLoading(); }, 30000);
        YieldFor(20);
    }
    void DropOnStrip(const wxPoint& where, const wxArrayString& paths)
    {
        Drop(Probe(Frame()).Strip(), where, paths);
    }
    // A point in the right or left half of tile index, in the strip's client coordinates.
    wxPoint InTile(int index, bool rightHalf)
    {
        wxRect tile;
        EXPECT_TRUE(Probe(Frame()).Strip()->GetItemRect(index, tile));
        return wxPoint(tile.x + tile.width * (rightHalf ? 3 : 1) / 4, tile.y + tile.height / 2);
    }
    wxString WriteProject(const char* name, const wxArrayString& frames)
    {
        ProjectData data;
        data.width = 20;
        data.height = 10;
        data.delay = 15;
        data.frames = frames;
        EXPECT_TRUE(WriteProjectFile(dir.File(name), data, nullptr));
        return dir.File(name);
    }

    TempDir dir;
    MainWindowFixture fixture;
    wxString a, b, c;
};

// The command line as the application reads it: the toolkit's switches and the files.
wxArrayString ParseCommandLine(std::initializer_list<const char*> args)
{
    wxCmdLineParser parser;
    wxTheApp->OnInitCmdLine(parser);
    AddFilesParameter(parser);
    std::vector<std::string> words(args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    parser.SetCmdLine(static_cast<int>(argv.size()), argv.data());
    EXPECT_EQ(parser.Parse(false), 0);
    return FilesOfCommandLine(parser);
}

// Runs code with dir as the current folder, as a shell started in it would.
class InFolder {
public:
    explicit InFolder(const wxString& dir) : m_previous(wxGetCwd()) { wxSetWorkingDirectory(dir); }
    ~InFolder() { wxSetWorkingDirectory(m_previous); }

private:
    wxString m_previous;
};
}

TEST_F(OutsideFiles, FilesDroppedOnATileGoBeforeOrAfterItByTheHalfUnderThePointer)
{
    fixture.AddImages(Paths({a, b, c}));
    const wxString x = WritePicture(dir, "x.png", 20, 10);
    const wxString gif = WriteGif(dir, "g.gif", 2);
    const wxString y = WritePicture(dir, "y.bmp", 20, 10);

    // The right half of b: after it, in the order dropped, every frame of the GIF.
    DropOnStrip(InTile(1, true), Paths({x, gif, y}));
    EXPECT_EQ(FrameNames(Frame()), Paths({a, b, x, gif + "_0", gif + "_1", y, c}));

    // The left half of the first tile: before everything.
    const wxString z = WritePicture(dir, "z.jpg", 20, 10);
    DropOnStrip(InTile(0, false), Paths({z}));
    EXPECT_EQ(FrameNames(Frame(), true)[0], "z.jpg");

    // The empty strip below the tiles and the rest of the window: after the last frame.
    const wxSize strip = Probe(Frame()).Strip()->GetClientSize();
    DropOnStrip(wxPoint(5, strip.y - 5), Paths({a}));
    Drop(&Frame(), wxPoint(10, 10), Paths({b}));
    EXPECT_EQ(FrameNames(Frame(), true),
              Paths({"z.jpg", "a.png", "b.png", "x.png", "g.gif_0", "g.gif_1", "y.bmp", "c.png",
                     "a.png", "b.png"}));
}

TEST_F(OutsideFiles, AFolderGivesItsImagesInNaturalOrderAndAFolderWithoutNamesItself)
{
    ASSERT_TRUE(wxMkdir(dir.File("shots")));
    ASSERT_TRUE(wxMkdir(dir.File("notes")));
    for (const char* name : {"shots/f10.png", "shots/f2.png", "shots/f1.png"})
        WritePicture(dir, name, 20, 10);
    wxTEST_DIALOG(
        DropOnStrip(wxPoint(5, 5), Paths({dir.File("shots"), dir.File("notes"), a})),
        ExpectMessage(wxID_OK, "without PNG, JPEG, BMP or GIF files:\n" + dir.File("notes")));
    EXPECT_EQ(FrameNames(Frame(), true), Paths({"f1.png", "f2.png", "f10.png", "a.png"}));
}

TEST_F(OutsideFiles, AProjectOpensAloneAndTheOtherFilesAreNamed)
{
    const wxString project = WriteProject("p.xml", Paths({b, c}));
    // An empty window has nothing to save: only the files left out are told.
    wxTEST_DIALOG(DropOnStrip(wxPoint(5, 5), Paths({a, project})),
                  ExpectMessage(wxID_OK, "p.xml is opened, and these files were left out:\n" + a));
    EXPECT_EQ(FrameNames(Frame()), Paths({b, c}));
    EXPECT_EQ(Probe(Frame()).ProjectPath(), project);
    EXPECT_FALSE(Frame().ProjectChanged());

    // A changed document is asked about as Open Project asks; Cancel keeps it, and then
    // nothing was left out.
    fixture.AddImages(Paths({a}));
    const wxString other = WriteProject("other.xml", Paths({a}));
    wxTEST_DIALOG(Drop(&Frame(), wxPoint(5, 5), Paths({other, project})),
                  wxExpectModal<wxMessageDialog>(wxID_CANCEL).Describe("unsaved changes"));
    EXPECT_EQ(FrameNames(Frame()), Paths({b, c, a}));
    wxTEST_DIALOG(Drop(&Frame(), wxPoint(5, 5), Paths({other, project})),
                  wxExpectModal<wxMessageDialog>(wxID_NO).Describe("unsaved changes"),
                  ExpectMessage(wxID_OK, "other.xml is opened, and these files were left "
                                         "out:\n" + project));
    EXPECT_EQ(FrameNames(Frame()), Paths({a}));
    EXPECT_EQ(Probe(Frame()).ProjectPath(), other);
}

TEST_F(OutsideFiles, ADropDuringALoadIsRefusedWithAWord)
{
    fixture.Paths().openAnswers.push_back(Paths({a, b}));
    // Sent without a yield, so that the load is still running at the drop.
    wxCommandEvent add(wxEVT_MENU, ID_ADD_IMAGE);
    Frame().ProcessWindowEvent(add);
    ASSERT_TRUE(Frame().IsLoading());
    wxTEST_DIALOG(Probe(Frame()).DropPaths(Paths({c}), 0),
                  ExpectMessage(wxID_OK, "The dropped files were not added"));
    WaitFor("the load to end", [&] { return !Frame().IsLoading(); });
    YieldFor(20);
    EXPECT_EQ(FrameNames(Frame()), Paths({a, b}));
}

TEST_F(OutsideFiles, CommandLineFilesLoadInOrderAndRelativeToTheCurrentFolder)
{
    const wxString gif = WriteGif(dir, "b.gif", 2);
    wxArrayString files;
    {
        InFolder here(dir.Path());
        files = ParseCommandLine({"zoruvede", "--verbose", "a.png", "b.gif"});
    }
    EXPECT_EQ(files, Paths({a, gif}));
    Frame().OpenAtStart(files);
    WaitFor("the files to load", [&] { return !Frame().IsLoading(); });
    YieldFor(20);
    EXPECT_EQ(FrameNames(Frame()), Paths({a, gif + "_0", gif + "_1"}));

    // A project on the command line opens as the window's document.
    MainWindowFixture second;
    const wxString project = WriteProject("p.xml", Paths({c, a}));
    second.Frame().OpenAtStart(ParseCommandLine({"zoruvede", project.utf8_str()}));
    WaitFor("the project to open", [&] { return !second.Frame().IsLoading(); });
    YieldFor(20);
    EXPECT_EQ(FrameNames(second.Frame()), Paths({c, a}));
    EXPECT_EQ(Probe(second.Frame()).ProjectPath(), project);
}

TEST_F(OutsideFiles, CommandLineFilesWaitForARestoredDocument)
{
    // What recovery does when the user restores: a project load under way, with pictures
    // large enough that it still runs when the files come.
    wxArrayString frames;
    for (int i = 0; i < 6; ++i)
        frames.Add(WritePicture(dir, wxString::Format("big%d.png", i).c_str(), 1600, 1600));
    ASSERT_TRUE(Probe(Frame()).OpenProjectFile(WriteProject("copy.xml", frames), true));
    ASSERT_TRUE(Frame().IsLoading());
    Frame().OpenAtStart(Paths({a}));
    WaitFor("both loads", [&] { return Frame().FrameCount() == 7 && !Frame().IsLoading(); });
    YieldFor(20);
    frames.Add(a);
    EXPECT_EQ(FrameNames(Frame()), frames);
}
