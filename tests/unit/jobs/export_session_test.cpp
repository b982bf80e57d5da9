#include <algorithm>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/ffile.h>
#include <wx/filefn.h>

#include "core/gif/gif_frame_reader.h"
#include "core/jobs/export_session.h"
#include "core/jobs/thread_update_event.h"
#include "core/picture/picture_store.h"
#include "support/temp_dir.h"
#include "support/pump_events.h"
#include "support/test_images.h"

namespace {
// Records what a session hands its window.
struct Recorder {
    std::vector<int> percents;
    std::vector<int> newTries;
    std::vector<std::pair<GifSaveOutcome, bool>> ends;

    ExportSession::Callbacks Callbacks()
    {
        ExportSession::Callbacks callbacks;
        callbacks.progress = [this](int percent, int newTry) {
            percents.push_back(percent);
            newTries.push_back(newTry);
        };
        callbacks.finished = [this](const GifSaveOutcome& outcome, bool cancelled) {
            ends.emplace_back(outcome, cancelled);
        };
        return callbacks;
    }
};

ExportRequest RequestFor(const wxString& path, int count, int size,
                         std::shared_ptr<PictureStore> store = PictureStore::Create())
{
    ExportRequest request;
    request.path = path;
    request.canvas = wxSize(size, size);
    request.delay = 10;
    for (int i = 0; i < count; ++i) {
        request.frames.push_back(Picture::FromImage(store, PhotoLikeImage(size, size, i)));
        request.delays.push_back(10 * (i + 1));
    }
    return request;
}

std::string Contents(const wxString& path)
{
    wxFFile file(path, "rb");
    std::string bytes(static_cast<size_t>(file.Length()), '\0');
    file.Read(&bytes[0], bytes.size());
    return bytes;
}
}

TEST(ExportSession, WritesTheFramesItWasGivenWithTheirDelaysAndEndsOnce)
{
    TempDir dir;
    const wxString path = dir.File("out.gif");
    ExportRequest request = RequestFor(path, 3, 24);
    const PictureRef first = request.frames[0];
    Recorder recorder;
    ExportSession session(recorder.Callbacks());
    ASSERT_TRUE(session.Start(request));
    EXPECT_FALSE(session.Start(request)) << "one export at a time";
    ASSERT_TRUE(PumpUntil([&] { return !recorder.ends.empty(); }));
    EXPECT_FALSE(session.Running());
    ASSERT_EQ(recorder.ends.size(), 1u);
    EXPECT_TRUE(recorder.ends[0].first.ok) << recorder.ends[0].first.error;
    EXPECT_FALSE(recorder.ends[0].second);
    EXPECT_TRUE(std::is_sorted(recorder.percents.begin(), recorder.percents.end()));
    EXPECT_TRUE(std::all_of(recorder.percents.begin(), recorder.percents.end(),
                            [](int percent) { return percent < 100; }));
    GifFrameReader reader;
    ASSERT_TRUE(reader.Open(path, nullptr));
    ASSERT_EQ(reader.Count(), 3u);
    EXPECT_EQ(reader.Delay(2), 30);
    EXPECT_TRUE(SamePixels(first->ToImage(), PhotoLikeImage(24, 24, 0)));
    request.frames.clear();
    EXPECT_EQ(first.use_count(), 1) << "the session keeps no frame once it has ended";
}

TEST(ExportSession, ACancelledExportCountsItsTriesAndLeavesTheFileAsItWas)
{
    TempDir dir;
    const wxString path = dir.File("out.gif");
    wxFFile(path, "wb").Write("before", 6);
    Recorder recorder;
    ExportSession session(recorder.Callbacks());
    ASSERT_TRUE(session.Start(RequestFor(path, 8, 400)));
    // A size limit's tries: the share going back starts the next one.
    for (int percent : {60, 20, 30, 10}) {
        wxThreadEvent report(wxEVT_THREAD_UPDATE, ID_GIF_FRAME_SAVED);
        report.SetInt(percent);
        session.ProcessEvent(report);
    }
    EXPECT_EQ(recorder.newTries, (std::vector<int>{0, 2, 0, 3}));
    session.Cancel();
    ASSERT_TRUE(PumpUntil([&] { return !recorder.ends.empty(); }));
    ASSERT_EQ(recorder.ends.size(), 1u);
    EXPECT_FALSE(recorder.ends[0].first.ok);
    EXPECT_TRUE(recorder.ends[0].second);
    EXPECT_EQ(Contents(path), "before");
}

TEST(ExportSession, PicturesKeptInTheCacheFileAreWrittenAsThoseKeptInMemory)
{
    TempDir dir;
    PictureStoreOptions small;
    small.budgetBytes = 1;  // every picture but the newest goes to the file
    small.cacheFolder = dir.File("cache").ToStdString();
    small.decodedBytes = 0;
    const std::shared_ptr<PictureStore> store = PictureStore::Create(small);
    std::string written[2];
    for (int pass = 0; pass < 2; ++pass) {
        const wxString path = dir.File(pass == 0 ? "memory.gif" : "file.gif");
        Recorder recorder;
        ExportRequest request =
            pass == 0 ? RequestFor(path, 4, 40) : RequestFor(path, 4, 40, store);
        if (pass == 1) {
            ASSERT_GT(store->Counts().fileBytes, 0u) << "the pictures are in the file";
        }
        ExportSession session(recorder.Callbacks());
        ASSERT_TRUE(session.Start(std::move(request)));
        ASSERT_TRUE(PumpUntil([&] { return !recorder.ends.empty(); }));
        ASSERT_TRUE(recorder.ends[0].first.ok) << recorder.ends[0].first.error;
        written[pass] = Contents(path);
    }
    EXPECT_EQ(written[0], written[1]);
}

TEST(ExportSession, ASessionDestroyedWhileItsWorkerRunsJoinsItAndReportsNothing)
{
    TempDir dir;
    const wxString path = dir.File("out.gif");
    Recorder recorder;
    {
        ExportSession session(recorder.Callbacks());
        // Long enough that the worker, which reads the frames itself, is still writing when
        // this goes (no events are pumped meanwhile).
        ASSERT_TRUE(session.Start(RequestFor(path, 30, 400)));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    wxAppConsole::GetInstance()->ProcessPendingEvents();
    EXPECT_TRUE(recorder.ends.empty());
    EXPECT_TRUE(recorder.percents.empty());
    EXPECT_FALSE(wxFileExists(path));
}
