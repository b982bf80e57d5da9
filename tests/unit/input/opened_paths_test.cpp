// Sorting the paths of a drop or a command line: images in the order given, folders by their
// image files in natural order, one project alone with the rest named as left out.
#include <gtest/gtest.h>
#include <wx/ffile.h>
#include <wx/filefn.h>

#include "core/input/opened_paths.h"
#include "support/temp_dir.h"

namespace {
wxArrayString List(std::initializer_list<wxString> items)
{
    wxArrayString out;
    for (const wxString& item : items)
        out.Add(item);
    return out;
}

wxString Touch(const TempDir& dir, const wxString& name)
{
    wxFFile(dir.File(name), "wb").Write("x", 1);
    return dir.File(name);
}

// A real file system in which one folder can't be listed.
class UnlistableFolder : public FolderReader {
public:
    explicit UnlistableFolder(const wxString& folder) : m_folder(folder) {}
    bool ListFiles(const wxString& folder, wxArrayString& files) const override
    {
        return folder != m_folder && FolderReader::ListFiles(folder, files);
    }

private:
    wxString m_folder;
};
}

TEST(OpenedPaths, FilesKeepTheGivenOrderAndAllGoToTheLoader)
{
    TempDir dir;
    const wxString b = Touch(dir, "b.png"), a = Touch(dir, "a.GIF"), notes = Touch(dir, "notes.txt");
    // The loader names what it can't read, a missing file or a text alike.
    const wxArrayString given = List({b, a, notes, dir.File("gone.jpg")});
    const OpenedPaths sorted = SortOpenedPaths(given);
    EXPECT_EQ(sorted.images, given);
    EXPECT_TRUE(sorted.project.empty());
    EXPECT_TRUE(sorted.leftOut.empty());
    EXPECT_TRUE(sorted.unreadableFolders.empty());
    EXPECT_TRUE(sorted.foldersWithoutImages.empty());
}

TEST(OpenedPaths, AFolderGivesItsOwnImagesInNaturalOrderAtItsPlace)
{
    TempDir dir;
    const wxString before = Touch(dir, "before.png"), after = Touch(dir, "after.bmp");
    ASSERT_TRUE(wxMkdir(dir.File("shots")));
    for (const char* name : {"frame10.png", "frame2.jpeg", "Frame1.PNG", "frame02.gif",
                             "notes.txt", "project.xml", ".hidden.png"})
        Touch(dir, wxString("shots/") + name);
    // Not entered: only the folder's own files count.
    ASSERT_TRUE(wxMkdir(dir.File("shots/inner")));
    Touch(dir, "shots/inner/frame3.png");

    const OpenedPaths sorted = SortOpenedPaths(List({before, dir.File("shots"), after}));
    const wxString shots = dir.File("shots/");
    EXPECT_EQ(sorted.images, List({before, shots + "Frame1.PNG", shots + "frame02.gif",
                                   shots + "frame2.jpeg", shots + "frame10.png", after}));
    EXPECT_TRUE(sorted.project.empty());
}

TEST(OpenedPaths, FoldersThatGiveNothingAreNamed)
{
    TempDir dir;
    for (const char* folder : {"locked", "texts", "pictures"})
        ASSERT_TRUE(wxMkdir(dir.File(folder)));
    Touch(dir, "locked/a.png");
    Touch(dir, "texts/read.me");
    const wxString picture = Touch(dir, "pictures/p.png");

    const OpenedPaths sorted =
        SortOpenedPaths(List({dir.File("locked"), dir.File("texts"), dir.File("pictures")}),
                        UnlistableFolder(dir.File("locked")));
    EXPECT_EQ(sorted.images, List({picture}));
    EXPECT_EQ(sorted.unreadableFolders, List({dir.File("locked")}));
    EXPECT_EQ(sorted.foldersWithoutImages, List({dir.File("texts")}));

    // The real file system: a folder that is gone can't be listed.
    wxArrayString files;
    EXPECT_FALSE(FolderReader().ListFiles(dir.File("gone"), files));
}

TEST(OpenedPaths, TheFirstProjectOpensAloneAndEverythingElseIsLeftOut)
{
    TempDir dir;
    const wxString a = Touch(dir, "a.png"), first = Touch(dir, "first.xml");
    const wxString second = Touch(dir, "second.XML");
    // A folder named like a project is a folder.
    ASSERT_TRUE(wxMkdir(dir.File("album.xml")));
    Touch(dir, "album.xml/b.png");

    const OpenedPaths sorted =
        SortOpenedPaths(List({dir.File("album.xml"), a, first, second, first}));
    EXPECT_EQ(sorted.project, first);
    // As given: the folder is not opened to be named.
    EXPECT_EQ(sorted.leftOut, List({dir.File("album.xml"), a, second, first}));
    EXPECT_TRUE(sorted.images.empty());

    // Missing, it is still the project: opening it tells why it can't be read.
    EXPECT_EQ(SortOpenedPaths(List({dir.File("gone.xml")})).project, dir.File("gone.xml"));
}

TEST(OpenedPaths, ExtensionsAreReadInAnyLetterCase)
{
    for (const char* image : {"a.png", "a.PNG", "a.jpg", "a.Jpeg", "a.bmp", "a.gif", "/x.y/a.GIF"})
        EXPECT_TRUE(HasImageExtension(image)) << image;
    for (const char* other : {"a.xml", "a.png.txt", "png", "a.tiff", "/x.png/a"})
        EXPECT_FALSE(HasImageExtension(other)) << other;
    EXPECT_TRUE(IsProjectPath("/p/a.xml"));
    EXPECT_TRUE(IsProjectPath("a.XML"));
    EXPECT_FALSE(IsProjectPath("a.xml.png"));
    EXPECT_FALSE(IsProjectPath("xml"));
}

TEST(OpenedPaths, NaturalOrderCountsNumbersAndIgnoresCase)
{
    const auto before = [](const char* a, const char* b) { return CompareNaturally(a, b) < 0; };
    EXPECT_TRUE(before("frame2", "frame10"));
    EXPECT_TRUE(before("frame9.png", "frame10.png"));
    EXPECT_TRUE(before("a", "B"));
    EXPECT_TRUE(before("b1", "B2"));
    EXPECT_TRUE(before("x", "x1"));
    EXPECT_TRUE(before("2 shots", "10 shots"));
    EXPECT_TRUE(before("v1.9", "v1.10"));
    // Numbers longer than any integer type.
    EXPECT_TRUE(before("n99999999999999999999", "n100000000000000000000"));
    // Equal but for case or leading zeros: still one order, the same both ways round.
    EXPECT_TRUE(before("A", "a"));
    EXPECT_FALSE(before("a", "A"));
    EXPECT_TRUE(before("f002", "f2"));
    EXPECT_FALSE(before("f2", "f002"));
    EXPECT_EQ(CompareNaturally("same10", "same10"), 0);
}
