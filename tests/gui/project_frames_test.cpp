// Frames without a file (a recording's) in projects: written beside the project, kept across
// saves, copied by Save As, and never half-written over the project on disk.
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <sys/stat.h>

#include <gtest/gtest.h>
#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/testing.h>

#include "core/document/edit_commands.h"
#include "core/project/project_file.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"
#include "support/small_disk.h"
#include "support/test_images.h"

namespace {
// Frames as a recording puts them in: pictures with no file, one step of the history.
std::vector<wxImage> Record(MainWindow& window, int count, int side, int seed)
{
    AnimationDocument& document = Probe(window).Document();
    std::vector<wxImage> images;
    FrameList frames;
    for (int i = 0; i < count; ++i) {
        images.push_back(PhotoLikeImage(side, side * 3 / 4, seed + i));
        frames.push_back(MakeFrame(Picture::FromImage(document.Store(), images.back()), ""));
    }
    Probe(window).SubmitEdit(
        new InsertFramesCommand(document, "Record", document.Count(), frames));
    return images;
}

ino_t Inode(const wxString& path)
{
    struct stat st {};
    return ::stat(path.fn_str(), &st) == 0 ? st.st_ino : 0;
}

wxArrayString FilesIn(const wxString& folder)
{
    wxArrayString files;
    if (wxDirExists(folder))
        wxDir::GetAllFiles(folder, &files, wxEmptyString, wxDIR_FILES | wxDIR_HIDDEN);
    files.Sort();
    return files;
}

void SaveProjectAs(MainWindowFixture& fixture, const wxString& path)
{
    fixture.Paths().saveAnswers.push_back(path);
    fixture.Command(ID_SAVE_PROJECT_AS);
}
}

TEST(ProjectFrames, SavedBesideTheProjectReopenedAndWrittenOnlyWhenNew)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& window = fixture.Frame();
    const wxString png = WritePicture(dir, "a.png", 40, 30);
    fixture.AddImages(Paths({png}));
    const std::vector<wxImage> images = Record(window, 3, 40, 1);
    SaveProjectAs(fixture, dir.File("demo.xml"));

    const wxString folder = dir.File("demo.frames");
    EXPECT_EQ(ReadProjectFile(dir.File("demo.xml")).frames,
              Paths({png, folder + "/0001.png", folder + "/0002.png", folder + "/0003.png"}));
    wxString text;
    wxFFile(dir.File("demo.xml"), "rb").ReadAll(&text, wxConvUTF8);
    EXPECT_NE(text.Find("<path>demo.frames/0001.png</path>"), wxNOT_FOUND) << text;
    const ino_t second = Inode(folder + "/0002.png");

    // The first recorded frame deleted: its file goes with the next save; brought back by
    // undo, it is written again; the others keep their files.
    Probe(window).SubmitEdit(new RemoveFramesCommand(Probe(window).Document(), "Delete", {1}));
    fixture.Command(ID_SAVE_PROJECT);
    EXPECT_EQ(FilesIn(folder), Paths({folder + "/0002.png", folder + "/0003.png"}));
    fixture.Command(wxID_UNDO);
    fixture.Command(ID_SAVE_PROJECT);
    EXPECT_EQ(FilesIn(folder).size(), 3u);
    EXPECT_EQ(Inode(folder + "/0002.png"), second) << "a frame written once is not written again";
    EXPECT_FALSE(window.ProjectChanged());

    // Save As copies them into the new project's folder and leaves the old one as it is.
    SaveProjectAs(fixture, dir.File("other.xml"));
    EXPECT_EQ(FilesIn(dir.File("other.frames")).size(), 3u);
    EXPECT_EQ(FilesIn(folder).size(), 3u);
    EXPECT_EQ(Inode(folder + "/0002.png"), second);

    // Moved with its folder, the project opens with the same pixels.
    ASSERT_TRUE(wxMkdir(dir.File("moved")));
    ASSERT_TRUE(wxRenameFile(dir.File("other.xml"), dir.File("moved/other.xml")));
    ASSERT_EQ(::rename(dir.File("other.frames").fn_str(), dir.File("moved/other.frames").fn_str()), 0);
    MainWindowFixture reopened;
    reopened.OpenProject(dir.File("moved/other.xml"));
    AnimationDocument& document = Probe(reopened.Frame()).Document();
    ASSERT_EQ(document.Count(), 4);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(document.IsMissing(i + 1));
        EXPECT_TRUE(SamePixels(document.Frame(i + 1)->picture->ToImage(), images[i])) << i;
    }
}

TEST(ProjectFrames, AFullDiskNamesTheFrameFileAndLeavesTheProjectAsItWas)
{
    SmallDisk disk("256k");
    if (!disk.Mounted())
        GTEST_SKIP() << "can't mount a tmpfs here: " << std::strerror(errno);
    MainWindowFixture fixture;
    MainWindow& window = fixture.Frame();
    Record(window, 1, 16, 1);
    const wxString project = disk.File("demo.xml");
    SaveProjectAs(fixture, project);
    wxString before;
    ASSERT_TRUE(wxFFile(project, "rb").ReadAll(&before));

    // Pictures of noise hardly compress: a few of them fill the disk.
    Record(window, 6, 400, 10);
    wxTEST_DIALOG(fixture.Command(ID_SAVE_PROJECT),
                  ExpectMessage(wxID_OK, "can't write \"" + disk.File("demo.frames/0")));
    wxString after;
    ASSERT_TRUE(wxFFile(project, "rb").ReadAll(&after));
    EXPECT_EQ(after, before);
    EXPECT_EQ(FilesIn(disk.File("demo.frames")), Paths({disk.File("demo.frames/0001.png")}))
        << "the files of the failed save are gone";
    EXPECT_TRUE(window.ProjectChanged());
}
