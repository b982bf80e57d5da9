#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/event.h>
#include <wx/ffile.h>
#include <wx/filefn.h>

#include "core/export/gif_export.h"
#include "core/jobs/export_thread.h"
#include "core/jobs/thread_update_event.h"
#include "support/temp_dir.h"
#include "support/test_images.h"
#include "core/export/save_rules.h"

namespace {
class Recorder : public wxEvtHandler {
public:
    Recorder() { Bind(wxEVT_THREAD_UPDATE, &Recorder::OnReport, this, ID_GIF_FRAME_SAVED); }
    void OnReport(wxThreadEvent& event)
    {
        percents.push_back(event.GetInt());
        if (event.GetInt() == 100)
            outcome = GifSaveOutcomeOf(event);
    }
    std::vector<int> percents;
    GifSaveOutcome outcome;
};

GifSaveOutcome RunExport(Recorder& recorder, std::vector<wxImage> frames, const wxString& path)
{
    ExportThread thread(wxSize(16, 16), &recorder, std::move(frames), path, 10);
    EXPECT_EQ(thread.Run(), wxTHREAD_NO_ERROR);
    thread.Wait();
    // Under the unit tests' console initialiser the application object is no wxApp.
    wxAppConsole::GetInstance()->ProcessPendingEvents();
    return recorder.outcome;
}
}

TEST(SaveGifThread, ReportsEachFrameThenOneFinalReportAfterTheFileIsInPlace)
{
    TempDir dir;
    Recorder recorder;
    std::vector<wxImage> frames = {SolidImage(16, 16, 255, 0, 0), SolidImage(16, 16, 0, 255, 0),
                                   SolidImage(8, 8, 0, 0, 255)};
    const GifSaveOutcome outcome = RunExport(recorder, std::move(frames), dir.File("out.gif"));
    EXPECT_EQ(recorder.percents, (std::vector<int>{33, 66, 100}));
    EXPECT_TRUE(outcome.ok) << outcome.error;
    EXPECT_TRUE(wxFileExists(dir.File("out.gif")));
    wxImage first;
    EXPECT_TRUE(first.LoadFile(dir.File("out.gif"), wxBITMAP_TYPE_GIF));
    EXPECT_EQ(first.GetSize(), wxSize(16, 16));
}

TEST(SaveGifThread, FailureIsReportedWithTheFileAndTheReason)
{
    Recorder recorder;
    const GifSaveOutcome outcome =
        RunExport(recorder, {SolidImage(4, 4, 1, 2, 3)}, "/nonexistent-folder/out.gif");
    EXPECT_EQ(recorder.percents.back(), 100);
    EXPECT_FALSE(outcome.ok);
    EXPECT_NE(outcome.error.Find("/nonexistent-folder/out.gif"), wxNOT_FOUND) << outcome.error;
    EXPECT_EQ(outcome.failure.kind, ExportFailure::Kind::FolderNotWritable);
    EXPECT_EQ(outcome.failure.folder, "/nonexistent-folder");
    EXPECT_EQ(ExportFailureText(outcome.failure, false), outcome.error);
}

TEST(SaveRules, ExtensionIsAddedUnlessThePathEndsWithItInAnyLetterCase)
{
    EXPECT_EQ(WithExtension("/t/anim", ".gif"), "/t/anim.gif");
    EXPECT_EQ(WithExtension("/t/anim.gif", ".gif"), "/t/anim.gif");
    EXPECT_EQ(WithExtension("/t/x.GIF", ".gif"), "/t/x.GIF");
    EXPECT_EQ(WithExtension("/t/x.Gif", ".gif"), "/t/x.Gif");
    EXPECT_EQ(WithExtension("/t/gif", ".gif"), "/t/gif.gif");
    EXPECT_EQ(WithExtension("/t/proj.XML", ".xml"), "/t/proj.XML");
    EXPECT_EQ(WithExtension("/t/proj.xml.bak", ".xml"), "/t/proj.xml.bak.xml");
}

TEST(SaveRules, SkipOnlyWhenTheFileExistsAndNothingChanged)
{
    const GifSaveSnapshot last{3, 10, 640, 480};
    EXPECT_TRUE(SaveCanBeSkipped(true, last, last, false));
    EXPECT_FALSE(SaveCanBeSkipped(false, last, last, false));
    EXPECT_FALSE(SaveCanBeSkipped(true, last, GifSaveSnapshot{3, 10, 320, 480}, false));
    EXPECT_FALSE(SaveCanBeSkipped(true, last, GifSaveSnapshot{3, 11, 640, 480}, false));
    EXPECT_FALSE(SaveCanBeSkipped(true, last, last, true))
        << "a reordered frame list keeps count, delay and size but must be written";
}

TEST(SaveGifThread, SaveOptionsReachTheFileAndALimitNothingFitsWritesNothing)
{
    TempDir dir;
    const auto frames = [] {
        return std::vector<wxImage>{PhotoLikeImage(16, 16, 1), PhotoLikeImage(16, 16, 2)};
    };
    GifSaveOptions options;
    options.optimize = true;
    options.quality = 40;
    Recorder recorder;
    ExportThread thread(wxSize(16, 16), &recorder, frames(), dir.File("small.gif"), 10);
    thread.SetSaveOptions(options);
    ASSERT_EQ(thread.Run(), wxTHREAD_NO_ERROR);
    thread.Wait();
    wxAppConsole::GetInstance()->ProcessPendingEvents();
    ASSERT_TRUE(recorder.outcome.ok) << recorder.outcome.error;
    EXPECT_EQ(recorder.outcome.limit.attempts, 0) << "no limit, no report of one";

    GifExportOptions same;
    same.canvas = wxSize(16, 16);
    same.optimize = true;
    same.quality = 40;
    ASSERT_TRUE(ExportGif(frames(), dir.File("direct.gif"), same).ok);
    wxFFile a(dir.File("small.gif")), b(dir.File("direct.gif"));
    wxString bytesA, bytesB;
    a.ReadAll(&bytesA, wxConvISO8859_1);
    b.ReadAll(&bytesB, wxConvISO8859_1);
    EXPECT_TRUE(bytesA == bytesB) << "the thread writes what ExportGif writes for the same options";

    options.keepUnder = true;
    options.limitBytes = 20;
    Recorder limited;
    ExportThread tight(wxSize(16, 16), &limited, frames(), dir.File("tight.gif"), 10);
    tight.SetSaveOptions(options);
    ASSERT_EQ(tight.Run(), wxTHREAD_NO_ERROR);
    tight.Wait();
    wxAppConsole::GetInstance()->ProcessPendingEvents();
    EXPECT_FALSE(limited.outcome.ok);
    EXPECT_EQ(limited.outcome.failure.kind, ExportFailure::Kind::TooLarge);
    EXPECT_FALSE(limited.outcome.limit.fitted);
    EXPECT_GE(limited.outcome.limit.attempts, 1);
    EXPECT_FALSE(wxFileExists(dir.File("tight.gif")));
}
