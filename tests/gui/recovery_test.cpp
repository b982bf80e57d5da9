// Work survives a crash: the window keeps a recovery copy and the next start offers it.
#include <algorithm>

#include <gtest/gtest.h>
#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/log.h>
#include <wx/spinctrl.h>
#include <wx/testing.h>

#include "core/settings/product.h"
#include "core/project/recovery_store.h"
#include "ui/window/main_window.h"
#include "core/project/project_file.h"
#include "support/counting_log.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"

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
