// The atomic writer: the old file survives every failure, and the new one takes its place
// without changing what kind of thing, and whose, the old one was.
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <thread>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <wx/dir.h>
#include <wx/filefn.h>

#include "core/files/atomic_file.h"
#include "core/files/link_target.h"
#include "core/files/process_umask.h"
#include "core/project/project_file.h"
#include "core/export/gif_export.h"
#include "support/temp_dir.h"
#include "support/test_images.h"
#include "support/gif_test_helpers.h"

namespace {
std::string Contents(const wxString& path)
{
    std::ifstream file(path.utf8_string(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

size_t EntriesIn(const wxString& dir)
{
    wxArrayString files;
    return wxDir::GetAllFiles(dir, &files, wxEmptyString, wxDIR_FILES | wxDIR_HIDDEN);
}

// The permission bits of path; -1 when it can't be read.
int ModeOf(const wxString& path)
{
    struct stat st;
    return ::stat(path.utf8_str(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

bool IsLinkTo(const wxString& link, const std::string& text)
{
    char buffer[4096];
    const ssize_t n = ::readlink(link.utf8_str(), buffer, sizeof buffer);
    return n >= 0 && std::string(buffer, static_cast<size_t>(n)) == text;
}

void MakeLink(const std::string& text, const wxString& link)
{
    ASSERT_EQ(::symlink(text.c_str(), link.utf8_str()), 0) << link;
}

std::string ReadStatus()
{
    std::ifstream file("/proc/self/status");
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Sets the process's mask for a test. Only tests may: they start no thread meanwhile.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : m_previous(::umask(mask)) {}
    ~ScopedUmask() { ::umask(m_previous); }

private:
    mode_t m_previous;
};
}

TEST(ProcessUmask, StatusLineIsReadAsOctalAndAnythingElseFallsBack)
{
    const mode_t fallback = 0123;
    const struct {
        const char* status;
        mode_t mask;
    } cases[] = {
        {"Name:\tzoruvede\nUmask:\t0022\nState:\tR (running)\n", 022},
        {"Umask:\t0077\nState:\tR\n", 077},
        {"Name:\tx\nUmask:\t0000", 0},
        {"Umask:   0027\n", 027},
        {"", fallback},
        {"Name:\tx\nState:\tR\n", fallback},
        {"Name:\tUmask:\t0000\n", fallback},
        {"Umask:\t\n", fallback},
        {"Umask:\t0089\n", fallback},
        {"Umask:\t01777\n", fallback},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UmaskFromStatus(c.status, fallback), c.mask) << c.status;
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
    for (AtomicTempFile kind : {AtomicTempFile::Unnamed, AtomicTempFile::Named}) {
        AtomicFileWriter writer(target, kind);
        ASSERT_TRUE(writer.Open());
        writer.Stream().Write("half", 4);
        if (kind == AtomicTempFile::Named) {
            EXPECT_TRUE(wxFileExists(writer.TempPath()));
        }
    }
    EXPECT_EQ(Contents(target), "old");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(AtomicFile, FolderThatCantTakeANewFileIsReportedWithTheFolderAndTheReason)
{
    AtomicFileWriter writer("/nonexistent-folder/out.gif");
    EXPECT_FALSE(writer.Open());
    EXPECT_EQ(writer.Failure(), AtomicFileFailure::CreateTemp);
    EXPECT_EQ(writer.Folder(), "/nonexistent-folder");
    EXPECT_EQ(writer.Reason(), std::strerror(ENOENT));
    EXPECT_TRUE(writer.Error().Contains("/nonexistent-folder")) << writer.Error();
    EXPECT_FALSE(writer.Commit());
    EXPECT_EQ(writer.Failure(), AtomicFileFailure::CreateTemp);
    wxString error;
    EXPECT_FALSE(WriteFileAtomically("/nonexistent-folder/x", "a", 1, &error));
    EXPECT_TRUE(error.Contains(std::strerror(ENOENT))) << error;
}

// Only a regular file is replaced: a pipe a reader waits on, or a device (through a link, as
// `-o /dev/null` is for root), stays what it is, and nothing is written beside it.
TEST(AtomicFile, WhatIsNoFileAtTheTargetIsRefusedAndLeftAsItIs)
{
    TempDir dir;
    ASSERT_TRUE(wxMkdir(dir.File("folder")));
    ASSERT_EQ(::mkfifo(dir.File("pipe").utf8_str(), 0644), 0);
    MakeLink("/dev/null", dir.File("null"));
    const struct {
        const char* name;
        TargetNode node;
    } cases[] = {
        {"folder", TargetNode::Folder},   {"folder/", TargetNode::Folder},
        {"new/", TargetNode::Folder},     {"folder/..", TargetNode::Folder},
        {"pipe", TargetNode::Pipe},       {"null", TargetNode::Device},
    };
    for (const auto& c : cases) {
        for (AtomicTempFile kind : {AtomicTempFile::Unnamed, AtomicTempFile::Named}) {
            AtomicFileWriter writer(dir.File(c.name), kind);
            EXPECT_FALSE(writer.Open()) << c.name;
            EXPECT_EQ(writer.Failure(), AtomicFileFailure::NotAFile) << c.name;
            EXPECT_EQ(writer.Node(), c.node) << c.name;
            EXPECT_TRUE(writer.Error().Contains(c.name)) << writer.Error();
        }
    }
    struct stat st;
    EXPECT_TRUE(::lstat(dir.File("pipe").utf8_str(), &st) == 0 && S_ISFIFO(st.st_mode));
    EXPECT_TRUE(::stat("/dev/null", &st) == 0 && S_ISCHR(st.st_mode));
    EXPECT_TRUE(IsLinkTo(dir.File("null"), "/dev/null"));
    EXPECT_EQ(EntriesIn(dir.Path()), 2u);  // the pipe and the link, nothing beside them
}

// What takes the target's place after Open is refused at Commit, and the old thing stays.
TEST(AtomicFile, PipeMadeAtTheTargetDuringTheWriteIsNotReplaced)
{
    TempDir dir;
    const wxString target = dir.File("out.gif");
    AtomicFileWriter writer(target);
    ASSERT_TRUE(writer.Open());
    writer.Stream().Write("x", 1);
    ASSERT_EQ(::mkfifo(target.utf8_str(), 0644), 0);
    EXPECT_FALSE(writer.Commit());
    EXPECT_EQ(writer.Failure(), AtomicFileFailure::NotAFile);
    struct stat st;
    EXPECT_TRUE(::lstat(target.utf8_str(), &st) == 0 && S_ISFIFO(st.st_mode));
}

// A read-only file is refused as the system would refuse opening it: root may write it, so
// the check runs as an ordinary user in a child process when the tests run as root.
TEST(AtomicFile, ReadOnlyFileIsRefusedAndKept)
{
    TempDir dir;
    ASSERT_EQ(::chmod(dir.Path().utf8_str(), 0777), 0);
    const wxString target = dir.File("locked.gif");
    ASSERT_TRUE(WriteFileAtomically(target, "old", 3, nullptr));
    ASSERT_EQ(::chmod(target.utf8_str(), 0444), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setresgid(65534, 65534, 65534) != 0 ||
                                 ::setresuid(65534, 65534, 65534) != 0))
            ::_exit(2);
        AtomicFileWriter writer(target);
        const bool refused = !writer.Open() && writer.Failure() == AtomicFileFailure::ReadOnly &&
                             writer.Reason() == std::strerror(EACCES);
        ::_exit(refused ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(Contents(target), "old");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(LinkTarget, RelativeTextIsTakenFromTheLinksFolder)
{
    const struct {
        const char* link;
        const char* text;
        const char* path;
    } cases[] = {
        {"/d/link", "/abs/file", "/abs/file"},
        {"/d/link", "file", "/d/file"},
        {"/d/link", "../e/file", "/d/../e/file"},
        {"d/sub/link", "file", "d/sub/file"},
        {"link", "file", "file"},
        {"/link", "file", "/file"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LinkTextPath(c.link, c.text), c.path) << c.link << " -> " << c.text;
}

TEST(AtomicFile, WritingThroughALinkKeepsTheLinkAndChangesItsTarget)
{
    TempDir dir;
    const wxString real = dir.File("real.bin");
    const wxString link = dir.File("link.bin");
    ASSERT_TRUE(WriteFileAtomically(real, "old", 3, nullptr));
    ASSERT_EQ(::chmod(real.utf8_str(), 0600), 0);
    MakeLink("real.bin", link);
    ASSERT_TRUE(WriteFileAtomically(link, "newer", 5, nullptr));
    EXPECT_TRUE(IsLinkTo(link, "real.bin"));
    EXPECT_EQ(Contents(real), "newer");
    EXPECT_EQ(ModeOf(real), 0600);
    EXPECT_EQ(EntriesIn(dir.Path()), 2u);
}

TEST(AtomicFile, ChainOfLinksAcrossFoldersEndsAtTheLastFileAndTheTemporaryFileBesideIt)
{
    TempDir dir;
    for (const char* folder : {"a", "b", "c"})
        ASSERT_TRUE(wxMkdir(dir.File(folder)));
    const wxString last = dir.File("c/last.bin");
    ASSERT_TRUE(WriteFileAtomically(last, "old", 3, nullptr));
    MakeLink(dir.File("b/second").utf8_string(), dir.File("a/first"));  // absolute
    MakeLink("../c/last.bin", dir.File("b/second"));                   // relative, with ..
    {
        AtomicFileWriter writer(dir.File("a/first"), AtomicTempFile::Named);
        ASSERT_TRUE(writer.Open()) << writer.Error();
        EXPECT_EQ(EntriesIn(dir.File("c")), 2u) << writer.TempPath();
        writer.Stream().Write("new", 3);
        ASSERT_TRUE(writer.Commit()) << writer.Error();
    }
    EXPECT_TRUE(IsLinkTo(dir.File("a/first"), dir.File("b/second").utf8_string()));
    EXPECT_TRUE(IsLinkTo(dir.File("b/second"), "../c/last.bin"));
    EXPECT_EQ(Contents(last), "new");
    EXPECT_EQ(EntriesIn(dir.File("c")), 1u);
}

TEST(AtomicFile, DanglingLinkCreatesTheFileItNames)
{
    TempDir dir;
    const ScopedUmask scoped(022);
    MakeLink("made.bin", dir.File("link.bin"));
    ASSERT_TRUE(WriteFileAtomically(dir.File("link.bin"), "new", 3, nullptr));
    EXPECT_TRUE(IsLinkTo(dir.File("link.bin"), "made.bin"));
    EXPECT_EQ(Contents(dir.File("made.bin")), "new");
    EXPECT_EQ(ModeOf(dir.File("made.bin")), 0644);
}

TEST(AtomicFile, LinkLoopFailsWithTheReasonAndChangesNothing)
{
    TempDir dir;
    MakeLink("two", dir.File("one"));
    MakeLink("one", dir.File("two"));
    wxString error;
    EXPECT_FALSE(WriteFileAtomically(dir.File("one"), "new", 3, &error));
    EXPECT_TRUE(error.Contains(std::strerror(ELOOP))) << error;
    AtomicFileWriter writer(dir.File("one"));
    EXPECT_FALSE(writer.Open());
    EXPECT_EQ(writer.Failure(), AtomicFileFailure::FollowLinks);
    EXPECT_TRUE(IsLinkTo(dir.File("one"), "two"));
    EXPECT_TRUE(IsLinkTo(dir.File("two"), "one"));
}

TEST(AtomicFile, ReplacedFileKeepsItsMode)
{
    TempDir dir;
    const wxString target = dir.File("out.bin");
    for (int mode : {0600, 0640, 0751, 0644}) {
        ASSERT_TRUE(WriteFileAtomically(target, "old", 3, nullptr));
        ASSERT_EQ(::chmod(target.utf8_str(), static_cast<mode_t>(mode)), 0);
        ASSERT_TRUE(WriteFileAtomically(target, "new", 3, nullptr));
        EXPECT_EQ(ModeOf(target), mode) << std::oct << mode;
    }
}

TEST(AtomicFile, NewFileGetsTheModeTheUmaskAllows)
{
    TempDir dir;
    for (mode_t mask : {022, 027, 077, 0}) {
        const ScopedUmask scoped(mask);
        const wxString target = dir.File(wxString::Format("new-%o.bin", mask));
        ASSERT_TRUE(WriteFileAtomically(target, "new", 3, nullptr));
        EXPECT_EQ(ModeOf(target), static_cast<int>(0666 & ~mask)) << std::oct << mask;
    }
}

TEST(AtomicFile, ReplacedFileKeepsItsOwnerAndGroupWherePermitted)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user";
    TempDir dir;
    const wxString target = dir.File("owned.bin");
    ASSERT_TRUE(WriteFileAtomically(target, "old", 3, nullptr));
    ASSERT_EQ(::chown(target.utf8_str(), 4321, 4322), 0);
    ASSERT_TRUE(WriteFileAtomically(target, "new", 3, nullptr));
    struct stat st;
    ASSERT_EQ(::stat(target.utf8_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 4322u);
    EXPECT_EQ(Contents(target), "new");
}

// Two GIF exports and project saves run on threads while another thread watches the mask:
// a writer that read the mask by setting it would show as a changed mask, or as a file whose
// mode came from the mask another writer had set meanwhile.
TEST(AtomicFile, WritersOnThreadsNeverChangeTheProcessUmask)
{
    giftest::QuietTrace quiet;
    TempDir dir;
    const mode_t mask = 027;
    const int expectedMode = 0640;
    const ScopedUmask scoped(mask);
    std::atomic<bool> writing{true};
    std::set<mode_t> seen;
    std::thread watcher([&] {
        do
            seen.insert(UmaskFromStatus(ReadStatus(), 0));
        while (writing.load());
    });

    std::atomic<int> failures{0};
    std::atomic<int> wrongModes{0};
    const auto check = [&](bool ok, const wxString& path, const std::string& start) {
        failures += ok && Contents(path).compare(0, start.size(), start) == 0 ? 0 : 1;
        wrongModes += ModeOf(path) == expectedMode ? 0 : 1;
        wxRemoveFile(path);  // every round creates the file anew, with the mask's mode
    };
    const auto exportGif = [&](const wxString& path) {
        GifExportOptions options;
        options.canvas = wxSize(16, 16);
        for (int round = 0; round < 150; ++round) {
            std::vector<wxImage> frames = {SolidImage(16, 16, 200, 0, 0),
                                           SolidImage(8, 8, 0, 0, 200)};
            check(ExportGif(std::move(frames), path, options).ok, path, "GIF89a");
        }
    };
    const auto saveProject = [&](const wxString& path) {
        ProjectData data;
        data.gifName = "a.gif";
        data.width = 16;
        data.height = 16;
        data.delay = 10;
        data.frames.Add(dir.File("x.png"));
        for (int round = 0; round < 300; ++round)
            check(WriteProjectFile(path, data, nullptr), path, "<?xml");
    };
    std::vector<std::thread> writers;
    writers.emplace_back(exportGif, dir.File("a.gif"));
    writers.emplace_back(exportGif, dir.File("b.gif"));
    writers.emplace_back(saveProject, dir.File("p.xml"));
    for (std::thread& t : writers)
        t.join();
    writing = false;
    watcher.join();

    EXPECT_EQ(seen, std::set<mode_t>{mask});
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(wrongModes.load(), 0);
    EXPECT_EQ(CurrentUmask(), mask);
}
