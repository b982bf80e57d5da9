#include <algorithm>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/ffile.h>

#include "core/input/frame_reference.h"
#include "core/jobs/load_session.h"
#include "support/gif_bytes_builder.h"
#include "support/temp_dir.h"
#include "support/pump_events.h"
#include "support/test_images.h"

namespace {
// A picture, a GIF whose frames wait 10, 0 and 250, a missing file and a JPEG cut short.
struct Batch {
    TempDir dir;
    wxArrayString entries;

    Batch()
    {
        using namespace giftest;
        const wxString picture = dir.File("pic.png");
        EXPECT_TRUE(WriteImage(SolidImage(8, 6, 200, 10, 10), picture, wxBITMAP_TYPE_PNG));
        std::vector<HandImage> images{Filled(0, 0, 4, 4, 1, 0), Filled(0, 0, 4, 4, 2, 0),
                                      Filled(0, 0, 4, 4, 3, 0)};
        images[0].delay = 10;
        images[1].delay = 0;
        images[2].delay = 250;
        const std::vector<uint8_t> gif =
            HandGif(4, 4, {0, 0, 0, 255, 0, 0, 0, 200, 0, 10, 20, 250}, images);
        const wxString gifPath = dir.File("anim.gif");
        wxFFile(gifPath, "wb").Write(gif.data(), gif.size());
        const wxString cut = dir.File("cut.jpg");
        EXPECT_TRUE(WriteImage(PhotoLikeImage(64, 48, 2), cut, wxBITMAP_TYPE_JPEG));
        std::vector<char> bytes(static_cast<size_t>(wxFFile(cut, "rb").Length()));
        wxFFile(cut, "rb").Read(bytes.data(), bytes.size());
        wxFFile(cut, "wb").Write(bytes.data(), bytes.size() * 2 / 3);
        entries.Add(picture);
        entries.Add(gifPath);
        entries.Add(dir.File("gone.png"));
        entries.Add(cut);
    }
};

// Records what a session hands its window.
struct Recorder {
    std::vector<int> percents;
    std::vector<LoadOutcome> outcomes;
    bool stopWanted = false;

    LoadSession::Callbacks Callbacks()
    {
        LoadSession::Callbacks callbacks;
        callbacks.stopWanted = [this] { return stopWanted; };
        callbacks.progress = [this](int percent) { percents.push_back(percent); };
        callbacks.finished = [this](const LoadOutcome& outcome) { outcomes.push_back(outcome); };
        return callbacks;
    }
};

std::vector<wxString> Names(const AnimationDocument& document)
{
    std::vector<wxString> names;
    for (const FramePtr& frame : document.Frames())
        names.push_back(frame->source);
    return names;
}

std::vector<int> Delays(const AnimationDocument& document)
{
    std::vector<int> delays;
    for (const FramePtr& frame : document.Frames())
        delays.push_back(frame->delay);
    return delays;
}
}

TEST(LoadSession, ABatchPutsItsFramesInPlaceAndGathersWhatItCouldNotRead)
{
    const Batch batch;
    const wxString gif = batch.entries[1];
    const std::vector<wxString> loaded{batch.entries[0], FrameSourceName(gif, 0),
                                       FrameSourceName(gif, 1), FrameSourceName(gif, 2),
                                       batch.entries[3]};
    struct Case {
        int insertAt;
        bool keepGifTiming;
        std::vector<wxString> names;
        std::vector<int> delays;
        int first;
    };
    const wxString old = "old.png";
    const Case cases[] = {
        {-1, true, {old, loaded[0], loaded[1], loaded[2], loaded[3], loaded[4]},
         {-1, -1, 10, 0, 250, -1}, 1},
        {0, false, {loaded[0], loaded[1], loaded[2], loaded[3], loaded[4], old},
         {-1, -1, -1, -1, -1, -1}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.insertAt);
        AnimationDocument document;
        document.Insert(0, {MakeFrame(PictureOf(wxImage(2, 2)), old)});
        Recorder recorder;
        LoadSession session(document, recorder.Callbacks());
        LoadRequest request;
        request.entries = batch.entries;
        request.insertAt = c.insertAt;
        request.keepGifTiming = c.keepGifTiming;
        ASSERT_TRUE(session.Start(request));
        ASSERT_TRUE(PumpUntil([&] { return !recorder.outcomes.empty(); }));
        EXPECT_FALSE(session.Running());
        EXPECT_EQ(Names(document), c.names);
        EXPECT_EQ(Delays(document), c.delays);

        ASSERT_EQ(recorder.outcomes.size(), 1u);
        const LoadOutcome& outcome = recorder.outcomes[0];
        EXPECT_FALSE(outcome.cancelled);
        EXPECT_EQ(outcome.first, c.first);
        ASSERT_EQ(outcome.frames.size(), 5u);
        EXPECT_EQ(outcome.frames[0], document.Frame(c.first)) << "the document's own frames";
        ASSERT_EQ(outcome.skipped.size(), 1u);
        EXPECT_TRUE(outcome.skipped[0].StartsWith(batch.entries[2] + ": "))
            << outcome.skipped[0];
        ASSERT_EQ(outcome.damaged.size(), 1u);
        EXPECT_TRUE(outcome.damaged[0].StartsWith(batch.entries[3] + ": "))
            << outcome.damaged[0];
        EXPECT_TRUE(outcome.missing.empty());
        ASSERT_FALSE(recorder.percents.empty());
        EXPECT_TRUE(std::is_sorted(recorder.percents.begin(), recorder.percents.end()));
        EXPECT_LT(recorder.percents.back(), 100) << "the end is finished, not progress";
    }
}

TEST(LoadSession, StoredFramesKeepTheirNamesAndDelaysAndAMissingOneStaysAsAPlaceholder)
{
    const Batch batch;
    AnimationDocument document;
    Recorder recorder;
    LoadSession session(document, recorder.Callbacks());
    LoadRequest request;
    request.entries.Add(batch.entries[0]);
    request.entries.Add(MakeFrameReferenceName(batch.entries[1], 2));
    request.entries.Add(batch.entries[2]);
    request.entries.Add(batch.entries[3]);
    const std::vector<wxString> names{"a.png", "b.gif_2", "gone.png", "d.jpg"};
    request.stored = LoadRequest::Stored{wxArrayString(), {5, -1, 7, 9}};
    for (const wxString& name : names)
        request.stored->names.Add(name);
    ASSERT_TRUE(session.Start(request));
    ASSERT_TRUE(PumpUntil([&] { return !recorder.outcomes.empty(); }));

    EXPECT_EQ(Names(document), names);
    EXPECT_EQ(Delays(document), (std::vector<int>{5, -1, 7, 9}));
    EXPECT_TRUE(document.IsMissing(2));
    EXPECT_FALSE(document.IsMissing(3)) << "a damaged file still gives its frame";
    const LoadOutcome& outcome = recorder.outcomes[0];
    EXPECT_EQ(outcome.missing, wxArrayString(1, &names[2]));
    EXPECT_TRUE(outcome.skipped.empty());
    EXPECT_TRUE(outcome.damaged.empty());
}

TEST(LoadSession, ACancelledLoadTakesNothingMoreAndStillEndsOnce)
{
    TempDir dir;
    const wxString picture = dir.File("p.png");
    ASSERT_TRUE(WriteImage(PhotoLikeImage(64, 64, 1), picture, wxBITMAP_TYPE_PNG));
    LoadRequest request;
    for (int i = 0; i < 40; ++i)
        request.entries.Add(picture);
    // Cancelled by the window, or by the user through the progress dialog it asks.
    for (bool byDialog : {false, true}) {
        SCOPED_TRACE(byDialog);
        AnimationDocument document;
        Recorder recorder;
        LoadSession session(document, recorder.Callbacks());
        ASSERT_TRUE(session.Start(request));
        EXPECT_FALSE(session.Start(request)) << "one load at a time";
        if (byDialog)
            recorder.stopWanted = true;
        else
            session.Cancel();
        ASSERT_TRUE(PumpUntil([&] { return !recorder.outcomes.empty(); }));
        EXPECT_FALSE(session.Running());
        EXPECT_EQ(document.Count(), 0);
        ASSERT_EQ(recorder.outcomes.size(), 1u);
        EXPECT_TRUE(recorder.outcomes[0].cancelled);
        EXPECT_TRUE(recorder.outcomes[0].frames.empty());
        // The session serves the next load.
        recorder.stopWanted = false;
        request.entries.resize(1);
        ASSERT_TRUE(session.Start(request));
        ASSERT_TRUE(PumpUntil([&] { return recorder.outcomes.size() == 2; }));
        EXPECT_EQ(document.Count(), 1);
        request.entries.assign(40, picture);
    }
}

TEST(LoadSession, ASessionDestroyedWhileItsWorkerRunsJoinsItAndReportsNothing)
{
    TempDir dir;
    const wxString picture = dir.File("p.png");
    ASSERT_TRUE(WriteImage(PhotoLikeImage(256, 256, 1), picture, wxBITMAP_TYPE_PNG));
    LoadRequest request;
    request.entries.assign(200, picture);
    AnimationDocument document;
    Recorder recorder;
    {
        LoadSession session(document, recorder.Callbacks());
        ASSERT_TRUE(session.Start(request));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_TRUE(session.Running());
    }
    // Its queued results went with it.
    wxAppConsole::GetInstance()->ProcessPendingEvents();
    EXPECT_EQ(document.Count(), 0);
    EXPECT_TRUE(recorder.outcomes.empty());
    EXPECT_TRUE(recorder.percents.empty());
}
