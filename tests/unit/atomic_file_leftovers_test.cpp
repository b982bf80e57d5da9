// A writer killed mid-write leaves nothing behind: no file at all where the temporary file
// has no name, and a named one that the next save to the folder removes.
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

#include <wx/dir.h>
#include <wx/filefn.h>

#include "app/atomic_file.h"
#include "app/temp_file_name.h"
#include "support/temp_dir.h"

namespace {
wxArrayString EntriesIn(const wxString& dir)
{
    wxArrayString files;
    wxDir::GetAllFiles(dir, &files, wxEmptyString, wxDIR_FILES | wxDIR_HIDDEN);
    for (wxString& f : files)
        f = f.AfterLast('/');
    files.Sort();
    return files;
}

// Runs a writer for target in a child process that is killed before Commit; gives the
// child's pid once it is gone, or -1.
pid_t KilledWriter(const wxString& target, AtomicTempFile kind)
{
    const pid_t child = ::fork();
    if (child == 0) {
        AtomicFileWriter writer(target, kind);
        if (writer.Open()) {
            writer.Stream().Write("half", 4);
            ::kill(::getpid(), SIGKILL);
        }
        ::_exit(1);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFSIGNALED(status))
        return -1;
    return child;
}

void Touch(const wxString& path)
{
    std::ofstream(path.ToStdString()) << "x";
}
}

TEST(TempFileName, OnlyOurExactPatternForTheTargetIsRecognised)
{
    EXPECT_EQ(TempPattern("/d/a.gif", 42), "/d/.a.gif.42.XXXXXX");
    EXPECT_EQ(TempPattern("a.gif", 7), ".a.gif.7.XXXXXX");
    const struct {
        const char* entry;
        pid_t pid;  // 0: not ours
    } cases[] = {
        {".a.gif.42.Ab3dE9", 42},
        {".a.gif.42.Ab3dE", 0},     // five random letters
        {".a.gif.42.Ab-dE9", 0},
        {".a.gif.4x2.Ab3dE9", 0},
        {".a.gif..Ab3dE9", 0},
        {".a.gif.0.Ab3dE9", 0},
        {".a.gif.Ab3dE9", 0},       // the old pattern, without a pid
        {".b.gif.42.Ab3dE9", 0},
        {".a.gif.x.42.Ab3dE9", 0},  // another target's name ("a.gif.x")
        {".a.gif.1234567890.Ab3dE9", 0},
    };
    for (const auto& c : cases) {
        pid_t pid = 0;
        EXPECT_EQ(IsTempFileOf(c.entry, "a.gif", pid), c.pid != 0) << c.entry;
        if (c.pid != 0) {
            EXPECT_EQ(pid, c.pid) << c.entry;
        }
    }
    pid_t pid = 0;
    EXPECT_TRUE(IsTempFileOf(BaseNameOf(RandomTempName("/d/a.gif", 99)), "a.gif", pid));
    EXPECT_EQ(pid, 99);
}

TEST(AtomicFile, KilledWriterLeavesNoFileBehind)
{
    TempDir dir;
    const wxString target = dir.File("out.bin");
    ASSERT_TRUE(WriteFileAtomically(target, "old", 3, nullptr));
    {
        AtomicFileWriter probe(target);
        ASSERT_TRUE(probe.Open());
        if (!probe.TempPath().empty())
            GTEST_SKIP() << "the file system makes no unnamed files";
    }
    ASSERT_GT(KilledWriter(target, AtomicTempFile::Unnamed), 0);
    EXPECT_EQ(EntriesIn(dir.Path()), wxArrayString(1, "out.bin"));
}

TEST(AtomicFile, NextSaveRemovesNamedTemporariesOfGoneWritersOnly)
{
    TempDir dir;
    const wxString target = dir.File("out.bin");
    ASSERT_TRUE(WriteFileAtomically(target, "old", 3, nullptr));
    const pid_t gone = KilledWriter(target, AtomicTempFile::Named);
    ASSERT_GT(gone, 0);
    const wxArrayString left = EntriesIn(dir.Path());
    ASSERT_EQ(left.size(), 2u);
    pid_t pid = 0;
    EXPECT_TRUE(IsTempFileOf(left[0].ToStdString(), "out.bin", pid)) << left[0];
    EXPECT_EQ(pid, gone);

    const wxString live = wxString::Format(".out.bin.%d.abcdef", static_cast<int>(::getpid()));
    const wxString others[] = {live, wxString::Format(".other.bin.%d.abcdef", gone),
                               wxString::Format(".out.bin.%d.abc", gone), "out.bin.keep"};
    for (const wxString& name : others)
        Touch(dir.File(name));
    for (AtomicTempFile kind : {AtomicTempFile::Unnamed, AtomicTempFile::Named}) {
        AtomicFileWriter writer(target, kind);
        ASSERT_TRUE(writer.Open()) << writer.Error();
        writer.Stream().Write("new", 3);
        ASSERT_TRUE(writer.Commit()) << writer.Error();
    }
    wxArrayString expected(1, "out.bin");
    for (const wxString& name : others)
        expected.Add(name);
    expected.Sort();
    EXPECT_EQ(EntriesIn(dir.Path()), expected);
}
