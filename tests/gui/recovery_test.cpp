// Work survives a crash: the window keeps a recovery copy and the next start offers it.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include <gtest/gtest.h>
#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/log.h>
#include <wx/process.h>
#include <wx/spinctrl.h>
#include <wx/testing.h>
#include <wx/txtstrm.h>

#include "core/settings/product.h"
#include "core/document/edit_commands.h"
#include "core/project/recovery_store.h"
#include "ui/window/main_window.h"
#include "core/project/project_file.h"
#include "support/child_process.h"
#include "support/counting_log.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"
#include "support/test_images.h"

TEST(Recovery, TheDocumentIsCopiedAfterAChangeAndTheCopyGoesWithTheWindow)
{
    TempDir dir;
    const wxString a = WritePicture(dir, "a.png", 20, 10);
    wxString copy;
    {
        MainWindowFixture fixture;
        fixture.AddImages(Paths({a}));
        WaitFor("the recovery copy", [&] {
            wxString found = wxFindFirstFile(RecoveryFolder() + "/recovery-*.xml");
            for (; !found.empty(); found = wxFindNextFile())
                if (ReadProjectFile(found).Usable() && ReadProjectFile(found).frames[0] == a)
                    copy = found;
            return !copy.empty();
        }, 5000);
        // Copies other test processes left behind don't matter here, only this window's.
        const std::vector<wxString> orphans = OrphanedRecoveryCopies(RecoveryFolder());
        EXPECT_EQ(std::find(orphans.begin(), orphans.end(), copy), orphans.end())
            << "its window lives";
    }
    EXPECT_FALSE(copy.empty());
    EXPECT_FALSE(wxFileExists(copy)) << "a window that closes leaves no copy";
}

TEST(Recovery, ACopyLeftByACrashIsRestoredAsAnUnsavedDocument)
{
    TempDir dir;
    ProjectData data;
    data.width = 20;
    data.height = 10;
    data.delay = 30;
    data.frames = Paths({WritePicture(dir, "a.png", 20, 10), WritePicture(dir, "b.png", 20, 10)});
    wxMkdir(RecoveryFolder(), 0700);
    const wxString orphan = RecoveryFolder() + "/recovery-999999-1.xml";
    ASSERT_TRUE(WriteProjectFile(orphan, data, nullptr));

    MainWindowFixture fixture;
    wxTEST_DIALOG(
        {
            fixture.Frame().OfferRecovery();
            WaitFor("the restored frames", [&] { return !fixture.Frame().IsLoading(); });
        },
        ExpectMessage(wxID_YES, "2 frames were open"));
    EXPECT_EQ(FrameNames(fixture.Frame()), data.frames);
    EXPECT_EQ(fixture.Frame().GetTitle(), GetProductName()) << "no project file is claimed";
    EXPECT_TRUE(fixture.Frame().ProjectChanged()) << "closing asks to save it";
    EXPECT_FALSE(wxFileExists(orphan));

    // Discard drops a copy without opening it.
    ASSERT_TRUE(WriteProjectFile(orphan, data, nullptr));
    wxTEST_DIALOG(fixture.Frame().OfferRecovery(), ExpectMessage(wxID_NO, "Restore them?"));
    EXPECT_FALSE(wxFileExists(orphan));
    EXPECT_EQ(fixture.Frame().FrameCount(), 2);
}

TEST(Recovery, AStateFolderThatCantBeWrittenIsToldOnceInOurWordsAndWorkGoesOn)
{
    TempDir dir;
    wxString state;
    wxGetEnv("XDG_STATE_HOME", &state);
    // A file where the state folder should be: no folder can be made in it.
    wxFFile(dir.File("state"), "w").Close();
    wxSetEnv("XDG_STATE_HOME", dir.File("state"));
    CountingLog log;
    wxLog* previous = wxLog::SetActiveTarget(&log);
    {
        MainWindowFixture fixture;
        MainWindow& frame = fixture.Frame();
        wxTEST_DIALOG(
            {
                fixture.AddImages(Paths({WritePicture(dir, "a.png", 20, 10)}));
                WaitFor("the warning", [&] { return Probe(frame).RecoveryTroubleTold(); }, 5000);
                // Later changes try again without a word.
                fixture.Edit(Probe(frame).DelayControl(), 25);
                YieldFor(1500);
                fixture.AddImages(Paths({WritePicture(dir, "b.png", 20, 10)}));
                YieldFor(1500);
            },
            ExpectMessage(wxID_OK, "can't be kept in " + dir.File("state")));
        EXPECT_EQ(frame.FrameCount(), 2);
        EXPECT_EQ(Probe(frame).Document().Delay(), 25);
    }
    wxLog::SetActiveTarget(previous);
    wxSetEnv("XDG_STATE_HOME", state);
    EXPECT_EQ(log.records, 0) << "no message of the toolkit's own";
}

namespace {
const char* const kRecordingChild = "ZORUVEDE_TEST_RECORDING_CHILD";

// The pictures of the frames without a file the child holds when it is killed.
std::vector<wxImage> RecordedPictures()
{
    std::vector<wxImage> images;
    for (int seed = 0; seed < 3; ++seed)
        images.push_back(PhotoLikeImage(48, 36, seed));
    return images;
}

// The child's part: a window with frames without a file, which says "ready" once its copy
// names them all and then waits to be killed.
void HoldRecordedFramesUntilKilled()
{
    MainWindowFixture fixture;
    AnimationDocument& document = Probe(fixture.Frame()).Document();
    FrameList frames;
    for (const wxImage& image : RecordedPictures())
        frames.push_back(MakeFrame(Picture::FromImage(document.Store(), image), ""));
    Probe(fixture.Frame()).SubmitEdit(new InsertFramesCommand(document, "Record", 0, frames));
    const wxString own = wxString::Format("%s/recovery-%ld-", RecoveryFolder(), (long)getpid());
    WaitFor("the copy with its frames", [&] {
        // The folder is made with the first copy: no word of the toolkit's until then.
        wxLogNull quiet;
        for (wxString found = wxFindFirstFile(own + "*.xml"); !found.empty(); found = wxFindNextFile()) {
            const ProjectReading reading = ReadProjectFile(found);
            if (reading.Usable() && reading.frames.size() == 3 &&
                std::all_of(reading.frames.begin(), reading.frames.end(), wxFileExists))
                return true;
        }
        return false;
    }, 20000);
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;)
        YieldFor(100);
}
}

TEST(Recovery, FramesWithoutAFileSurviveAKill)
{
    if (getenv(kRecordingChild)) {
        HoldRecordedFramesUntilKilled();
        return;
    }
    TempDir state;
    wxString previousState;
    const bool hadState = wxGetEnv("XDG_STATE_HOME", &previousState);
    wxSetEnv("XDG_STATE_HOME", state.Path());
    // The child runs this test from the start of the test program, with a display of its own
    // connection and the same state folder.
    static bool ended;
    ended = false;
    auto* child = new EndingChild(&ended);
    char self[4096] = {};
    ASSERT_GT(readlink("/proc/self/exe", self, sizeof self - 1), 0);
    wxSetEnv(kRecordingChild, "1");
    const long pid = wxExecute(wxString::Format("%s --gtest_filter=Recovery.FramesWithoutAFileSurviveAKill",
                                                self),
                               wxEXEC_ASYNC, child);
    wxUnsetEnv(kRecordingChild);
    ASSERT_GT(pid, 0);
    wxString out;
    WaitFor("the child's copy", [&] {
        while (child->GetInputStream()->CanRead())
            out += wxChar(child->GetInputStream()->GetC());
        // Read too, so that the child never waits for room to write its complaints.
        while (child->GetErrorStream()->CanRead())
            child->GetErrorStream()->GetC();
        return out.Contains("ready\n") || ended;
    }, 60000);
    ASSERT_TRUE(out.Contains("ready\n")) << out;
    wxProcess::Kill(pid, wxSIGKILL);
    WaitFor("the child to end", [] { return ended; });

    {
        MainWindowFixture fixture;
        wxTEST_DIALOG(
            {
                fixture.Frame().OfferRecovery();
                WaitFor("the restored frames", [&] { return !fixture.Frame().IsLoading(); });
            },
            ExpectMessage(wxID_YES, "3 frames were open"));
        AnimationDocument& document = Probe(fixture.Frame()).Document();
        const std::vector<wxImage> images = RecordedPictures();
        ASSERT_EQ(document.Count(), 3);
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(document.Frame(i)->source.empty()) << "a frame without a file again";
            EXPECT_TRUE(SamePixels(document.Frame(i)->picture->ToImage(), images[i])) << i;
        }
        // The copy went once its frames were in; its pictures are the window's now.
        EXPECT_TRUE(OrphanedRecoveryCopies(state.Path() + "/" + GetProductName()).empty());
        EXPECT_TRUE(
            wxFindFirstFile(RecoveryFolder() + wxString::Format("/recovery-%ld-*", pid)).empty());
    }
    if (hadState)
        wxSetEnv("XDG_STATE_HOME", previousState);
    else
        wxUnsetEnv("XDG_STATE_HOME");
}
