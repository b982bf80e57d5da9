// A writer killed mid-write leaves nothing behind: no file at all where the temporary file
// has no name, and a named one that the next save to the folder removes.
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <wx/dir.h>
#include <wx/filefn.h>

#include "core/files/atomic_file.h"
#include "core/files/temp_file_name.h"
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

// Makes a file and renames it to the name pattern gives for its inode (pattern made with
// inode 0); pattern receives that name.
void AddFileNamedAfterItsInode(const TempDir& dir, wxString& pattern)
{
    const wxString made = dir.File("made");
    Touch(made);
    struct stat st;
    ASSERT_EQ(::stat(made.utf8_str(), &st), 0);
    pattern.Replace(".0.part", wxString::Format(".%llu.part", static_cast<unsigned long long>(st.st_ino)));
    ASSERT_EQ(::rename(made.utf8_str(), pattern.utf8_str()), 0);
}
}

// A file is ours only when its name holds its own inode number and it is a plain file of
// ours with no other name: a user's file named like ours never is.
TEST(TempFileName, OnlyAFileWhoseNameHoldsItsOwnInodeIsOurs)
{
    EXPECT_EQ(TempPattern("/d/a.gif", 42), "/d/.a.gif.42.XXXXXX");
    EXPECT_EQ(TempPattern("a.gif", 7), ".a.gif.7.XXXXXX");
    EXPECT_EQ(ProvenTempName("/d/a.gif", 42, 9001), "/d/.a.gif.42.9001.part");
    const uid_t me = 1000;
    struct stat file {};
    file.st_mode = S_IFREG | 0600;
    file.st_ino = 9001;
    file.st_uid = me;
    file.st_nlink = 1;
    struct stat linked = file, others = file, fifo = file;
    linked.st_nlink = 2;
    others.st_uid = me + 1;
    fifo.st_mode = S_IFIFO | 0600;
    const struct {
        const char* entry;
        const struct stat& st;
        pid_t pid;  // 0: not ours
    } cases[] = {
        {".a.gif.42.9001.part", file, 42},
        {".a.gif.42.9002.part", file, 0},    // another file's number
        {".a.gif.42.backup", file, 0},       // a user's backup
        {".a.gif.42.Ab3dE9", file, 0},       // a name as mkostemp makes it
        {".a.gif.42.09001.part", file, 0},
        {".a.gif.042.9001.part", file, 0},
        {".a.gif.42.9001.part~", file, 0},
        {".a.gif..9001.part", file, 0},
        {".b.gif.42.9001.part", file, 0},
        {".a.gif.x.42.9001.part", file, 0},  // another target's name ("a.gif.x")
        {".a.gif.1234567890.9001.part", file, 0},
        {".a.gif.42.9001.part", linked, 0},  // a second name the user gave it
        {".a.gif.42.9001.part", others, 0},
        {".a.gif.42.9001.part", fifo, 0},
    };
    for (const auto& c : cases) {
        pid_t pid = 0;
        EXPECT_EQ(IsOurTempFile(c.entry, c.st, "a.gif", me, pid), c.pid != 0) << c.entry;
        if (c.pid != 0) {
            EXPECT_EQ(pid, c.pid) << c.entry;
        }
    }
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
    ino_t inode = 0;
    EXPECT_TRUE(ParseProvenTempName(left[0].ToStdString(), "out.bin", pid, inode)) << left[0];
    EXPECT_EQ(pid, gone);

    // Files of the user's that look like ours, and one of a writer still running.
    const std::vector<wxString> others = {
        wxString::Format(".out.bin.%d.backup", gone), wxString::Format(".out.bin.%d.abcdef", gone),
        wxString::Format(".other.bin.%d.abcdef", gone), wxString::Format(".out.bin.%d.abc", gone),
        "out.bin.keep"};
    for (const wxString& name : others)
        Touch(dir.File(name));
    wxString live = ProvenTempName(dir.File("out.bin").ToStdString(), ::getpid(), 0);
    AddFileNamedAfterItsInode(dir, live);
    wxString copied = ProvenTempName(dir.File("out.bin").ToStdString(), gone, 0);
    AddFileNamedAfterItsInode(dir, copied);
    ASSERT_EQ(::link(copied.utf8_str(), dir.File("copy").utf8_str()), 0);
    for (AtomicTempFile kind : {AtomicTempFile::Unnamed, AtomicTempFile::Named}) {
        AtomicFileWriter writer(target, kind);
        ASSERT_TRUE(writer.Open()) << writer.Error();
        writer.Stream().Write("new", 3);
        ASSERT_TRUE(writer.Commit()) << writer.Error();
    }
    wxArrayString expected(1, "out.bin");
    for (const wxString& name : others)
        expected.Add(name);
    expected.Add(live.AfterLast('/'));
    expected.Add(copied.AfterLast('/'));
    expected.Add("copy");
    expected.Sort();
    EXPECT_EQ(EntriesIn(dir.Path()), expected);
}
