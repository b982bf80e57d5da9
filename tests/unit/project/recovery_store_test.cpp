#include <gtest/gtest.h>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/log.h>

#include "core/project/recovery_frames.h"
#include "core/project/recovery_store.h"
#include "core/project/project_file.h"
#include "support/counting_log.h"
#include "support/temp_dir.h"
#include "support/string_list.h"
#include "support/test_images.h"

namespace {
ProjectData TwoFrames()
{
    ProjectData data;
    data.width = 40;
    data.height = 30;
    data.delay = 10;
    data.frames.Add("/p/a.png");
    data.frames.Add("/p/b.gif_3");
    return data;
}
}

TEST(RecoveryStore, ALiveCopyIsNoOrphanAndAClosedOneLeavesNothing)
{
    TempDir dir;
    wxString path;
    {
        RecoveryCopy copy(dir.Path());
        ASSERT_TRUE(copy.Write(TwoFrames()));
        path = copy.Path();
        EXPECT_TRUE(wxFileExists(path));
        EXPECT_TRUE(OrphanedRecoveryCopies(dir.Path()).empty()) << "its window still lives";
        copy.Clear();
        EXPECT_FALSE(wxFileExists(path)) << "an empty document needs no copy";
        ASSERT_TRUE(copy.Write(TwoFrames()));
    }
    EXPECT_FALSE(wxFileExists(path));
    EXPECT_FALSE(wxFileExists(path + ".lock"));
}

TEST(RecoveryStore, TheCopyOfAKilledProcessIsOfferedAndReadsBack)
{
    TempDir dir;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        RecoveryCopy copy(dir.Path());
        const char ok = copy.Write(TwoFrames()) ? 'y' : 'n';
        (void)!write(ready[1], &ok, 1);
        for (;;)
            pause();
    }
    char ok = 0;
    ASSERT_EQ(read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, 'y');
    EXPECT_TRUE(OrphanedRecoveryCopies(dir.Path()).empty()) << "the child holds its lock";

    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const std::vector<wxString> orphans = OrphanedRecoveryCopies(dir.Path());
    ASSERT_EQ(orphans.size(), 1u);
    const ProjectReading reading = ReadProjectFile(orphans[0]);
    ASSERT_TRUE(reading.Usable());
    EXPECT_EQ(reading.frames, TwoFrames().frames);
    DiscardRecoveryCopy(orphans[0]);
    EXPECT_TRUE(OrphanedRecoveryCopies(dir.Path()).empty());
    close(ready[0]);
    close(ready[1]);
}

TEST(RecoveryStore, TheFolderFollowsXdgStateHome)
{
    wxString saved;
    const bool had = wxGetEnv("XDG_STATE_HOME", &saved);
    wxSetEnv("XDG_STATE_HOME", "/somewhere/state");
    EXPECT_TRUE(RecoveryFolder().StartsWith("/somewhere/state/"));
    wxUnsetEnv("XDG_STATE_HOME");
    EXPECT_TRUE(RecoveryFolder().Contains("/.local/state/"));
    if (had)
        wxSetEnv("XDG_STATE_HOME", saved);
}

TEST(RecoveryStore, AFolderThatCantTakeTheCopyGivesTheSystemsReasonAndNoToolkitLog)
{
    TempDir dir;
    wxFFile(dir.File("plain"), "w").Close();
    const struct {
        wxString folder;
        const char* reason;
    } cases[] = {
        {dir.File("plain"), "Not a directory"},           // a file where the folder goes
        {dir.File("plain") + "/state/product", "Not a directory"},  // a file above it
    };
    CountingLog log;
    wxLog* previous = wxLog::SetActiveTarget(&log);
    for (const auto& c : cases) {
        RecoveryCopy copy(c.folder);
        wxString reason;
        EXPECT_FALSE(copy.Write(TwoFrames(), &reason)) << c.folder;
        EXPECT_EQ(reason, c.reason) << c.folder;
        EXPECT_FALSE(copy.Write(TwoFrames())) << "and again, without asking why";
        EXPECT_TRUE(OrphanedRecoveryCopies(c.folder).empty());
    }
    wxLog::SetActiveTarget(previous);
    EXPECT_EQ(log.records, 0);
}

TEST(RecoveryStore, FramesWithoutAFileAreWrittenOnceBesideTheCopyAndGoWithIt)
{
    TempDir dir;
    RecoveryCopy copy(dir.Path());
    RecoveryFrames frames(copy);
    const auto ready = [&](const FrameList& list) {
        wxString reason;
        RecoveryFrames::State state;
        while ((state = frames.Prepare(list, &reason)) == RecoveryFrames::State::Writing)
            wxMilliSleep(5);
        EXPECT_EQ(state, RecoveryFrames::State::Ready) << reason;
        return frames.Entries();
    };
    const FramePtr a = MakeFrame(PictureOf(GradientImage(8, 6, 1)), "");
    const FramePtr b = MakeFrame(PictureOf(GradientImage(8, 6, 2)), "");
    const FramePtr file = MakeFrame(PictureOf(GradientImage(8, 6, 3)), "/p/a.png");
    const wxString folder = copy.FramesFolder();
    const wxString name = wxFileNameFromPath(folder);
    EXPECT_EQ(ready({a, file, b}),
              Strings({name + "/0001.png", "/p/a.png", name + "/0002.png"}));
    const time_t written = wxFileModificationTime(folder + "/0001.png");

    // Only new frames are written; a frame no longer in the list loses its file once the copy
    // that no longer names it is written.
    const FramePtr c = MakeFrame(PictureOf(GradientImage(8, 6, 4)), "");
    EXPECT_EQ(ready({a, c}), Strings({name + "/0001.png", name + "/0003.png"}));
    EXPECT_EQ(wxFileModificationTime(folder + "/0001.png"), written);
    ASSERT_TRUE(copy.Write(TwoFrames()));
    frames.Tidy();
    EXPECT_FALSE(wxFileExists(folder + "/0002.png"));
    EXPECT_TRUE(wxFileExists(folder + "/0003.png"));

    copy.Clear();
    EXPECT_FALSE(wxDirExists(folder)) << "an empty document keeps no frames";
    EXPECT_EQ(ready({a}), Strings({name + "/0001.png"})) << "written again";

    // Frames of a window that died before its first copy are swept; those of a live window
    // whose copy is still to come are not.
    wxMkdir(dir.File("recovery-999999-1.frames"));
    wxFFile(dir.File("recovery-999999-1.frames/0001.png"), "w").Close();
    SweepStrayRecoveryFrames(dir.Path());
    EXPECT_FALSE(wxDirExists(dir.File("recovery-999999-1.frames")));
    EXPECT_TRUE(wxFileExists(folder + "/0001.png"));

    ASSERT_TRUE(copy.Write(TwoFrames()));
    DiscardRecoveryCopy(copy.Path());
    EXPECT_FALSE(wxDirExists(folder));
}
