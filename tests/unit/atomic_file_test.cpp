#include <gtest/gtest.h>
#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filefn.h>

#include "app/atomic_file.h"
#include "support/temp_dir.h"

namespace {
std::string Contents(const wxString& path)
{
    wxFFile file(path, "rb");
    wxString text;
    file.ReadAll(&text, wxConvISO8859_1);
    return text.ToStdString();
}

size_t EntriesIn(const wxString& dir)
{
    wxArrayString files;
    return wxDir::GetAllFiles(dir, &files, wxEmptyString, wxDIR_FILES | wxDIR_HIDDEN);
}
}

TEST(AtomicFile, CommitReplacesTheTargetAndLeavesNoTemporaryFile)
{
    TempDir dir;
    const wxString target = dir.File("out.bin");
    ASSERT_TRUE(WriteFileAtomically(target, "old", 3, nullptr));
    ASSERT_TRUE(WriteFileAtomically(target, "newer", 5, nullptr));
    EXPECT_EQ(Contents(target), "newer");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(AtomicFile, AbandonedWriteKeepsThePreviousFile)
{
    TempDir dir;
    const wxString target = dir.File("out.bin");
    ASSERT_TRUE(WriteFileAtomically(target, "old", 3, nullptr));
    {
        AtomicFileWriter writer(target);
        ASSERT_TRUE(writer.Open());
        writer.Stream().Write("half", 4);
        EXPECT_TRUE(wxFileExists(writer.TempPath()));
    }
    EXPECT_EQ(Contents(target), "old");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(AtomicFile, UnwritableFolderNamesTheReason)
{
    AtomicFileWriter writer("/nonexistent-folder/out.gif");
    EXPECT_FALSE(writer.Open());
    EXPECT_NE(writer.Error().Find("No such file or directory"), wxNOT_FOUND) << writer.Error();
    wxString error;
    EXPECT_FALSE(WriteFileAtomically("/nonexistent-folder/x", "a", 1, &error));
    EXPECT_FALSE(error.empty());
}
