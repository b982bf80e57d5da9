#include <gtest/gtest.h>

#include <atomic>
#include <numeric>
#include <thread>

#include "core/picture/picture_store.h"
#include "core/record/recorder.h"
#include "core/screen/screen_pixels.h"

namespace {

using namespace std::chrono_literals;

// A screen whose colour is set by the test, and that fails once told to.
class PaintedScreen : public ScreenSource {
public:
    int Width() const override { return 64; }
    int Height() const override { return 48; }
    bool Grab(const CaptureRect& region, bool, std::vector<uint8_t>& rgb,
              std::string& error) override
    {
        ++grabs;
        if (fail) {
            error = "gone";
            return false;
        }
        rgb.assign(size_t(region.width) * region.height * 3, grey.load());
        return true;
    }
    std::atomic<int> grey{0};
    std::atomic<int> grabs{0};
    std::atomic<bool> fail{false};
};

struct Session {
    PaintedScreen* screen;
    std::unique_ptr<Recorder> recorder;
};

Session Start(const RecordOptions& options)
{
    auto screen = std::make_unique<PaintedScreen>();
    PaintedScreen* raw = screen.get();
    auto recorder = std::make_unique<Recorder>(std::move(screen), CaptureRect{8, 8, 16, 8},
                                               options, PictureStore::Create());
    return {raw, std::move(recorder)};
}

int Sum(const std::vector<int>& delays)
{
    return std::accumulate(delays.begin(), delays.end(), 0);
}

int Grey(const PictureRef& picture)
{
    return picture->Decode()->rgb[0];
}

} // namespace

TEST(Recorder, UnchangedFramesMergeAndThePauseLeavesNoGap)
{
    RecordOptions options;
    options.fps = 50;
    options.smallCopySide = 8;
    Session run = Start(options);
    std::this_thread::sleep_for(300ms);
    run.screen->grey = 100;
    std::this_thread::sleep_for(300ms);
    run.recorder->Pause();
    run.screen->grey = 200;  // never seen: changed and changed back while paused
    std::this_thread::sleep_for(500ms);
    run.screen->grey = 100;
    EXPECT_TRUE(run.recorder->Status().paused);
    run.recorder->Resume();
    std::this_thread::sleep_for(300ms);
    run.recorder->Stop();
    const RecordStatus status = run.recorder->Status();
    const Recording recording = run.recorder->Take();

    ASSERT_EQ(recording.pictures.size(), 2u);
    EXPECT_EQ(Grey(recording.pictures[0]), 0);
    EXPECT_EQ(Grey(recording.pictures[1]), 100);
    EXPECT_EQ(recording.pictures[0]->Width(), 16);
    EXPECT_EQ(recording.pictures[0]->Height(), 8);
    ASSERT_EQ(recording.smallCopies.size(), 2u);  // made with each picture, 8 x 4
    EXPECT_EQ(recording.smallCopies[1]->GetWidth(), 8);
    EXPECT_EQ(recording.smallCopies[1]->GetRed(3, 3), 100);
    // About 0.9 s recorded of 1.4 s on the clock; the first frame about 0.3 s.
    EXPECT_NEAR(Sum(recording.delays), 90, 12);
    EXPECT_NEAR(recording.delays[0], 30, 8);
    EXPECT_NEAR(status.seconds * 100, Sum(recording.delays), 2);
    EXPECT_TRUE(recording.problem.empty());
}

TEST(Recorder, EndsByItselfAtItsLimitOrWhenTheSourceFails)
{
    RecordOptions options;
    options.fps = 20;
    options.limitSeconds = 0.5;
    options.mergeUnchanged = false;
    Session limited = Start(options);
    for (int i = 0; i < 100 && !limited.recorder->Status().finished; ++i)
        std::this_thread::sleep_for(20ms);
    EXPECT_TRUE(limited.recorder->Status().finished);
    const Recording full = limited.recorder->Take();
    EXPECT_EQ(Sum(full.delays), 50);
    EXPECT_GE(full.pictures.size(), 8u);  // 10 expected at 20 fps

    options.limitSeconds = 0;
    Session failing = Start(options);
    std::this_thread::sleep_for(200ms);
    failing.screen->fail = true;
    for (int i = 0; i < 100 && !failing.recorder->Status().finished; ++i)
        std::this_thread::sleep_for(20ms);
    const Recording kept = failing.recorder->Take();
    EXPECT_EQ(kept.problem, "gone");
    EXPECT_GE(kept.pictures.size(), 2u);  // what came before is kept
}
