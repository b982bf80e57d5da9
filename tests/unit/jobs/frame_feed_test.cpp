#include <deque>
#include <thread>

#include <gtest/gtest.h>

#include "core/jobs/frame_feed.h"
#include "support/test_images.h"

namespace {
// The test thread plays the GUI thread: it answers the requests the worker queues.
struct Requests {
    std::mutex mutex;
    std::deque<int> asked;

    bool Next(int* index)
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (asked.empty())
            return false;
        *index = asked.front();
        asked.pop_front();
        return true;
    }
};
}

TEST(FrameFeed, WorkerReceivesEachFrameItAskedFor)
{
    Requests requests;
    FrameFeed feed(3, [&](int index) {
        std::lock_guard<std::mutex> lock(requests.mutex);
        requests.asked.push_back(index);
    });
    std::vector<int> reds;
    std::thread worker([&] {
        for (int i = 0; i < feed.Count(); ++i) {
            wxImage frame;
            FrameError error;
            ASSERT_TRUE(feed.Frame(i, frame, error)) << error.reason;
            reds.push_back(frame.GetRed(0, 0));
        }
    });
    int answered = 0;
    while (answered < 3) {
        int index = -1;
        if (!requests.Next(&index)) {
            std::this_thread::yield();
            continue;
        }
        feed.Deliver(index, SolidImage(4, 4, static_cast<unsigned char>(10 * index), 0, 0));
        ++answered;
    }
    worker.join();
    EXPECT_EQ(reds, (std::vector<int>{0, 10, 20}));
}

TEST(FrameFeed, CancelWakesAWaitingWorkerAndFailsLaterRequests)
{
    FrameFeed feed(2, [](int) {});
    bool got = true;
    std::thread worker([&] {
        wxImage frame;
        FrameError error;
        got = feed.Frame(0, frame, error);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    feed.Cancel();
    worker.join();
    EXPECT_FALSE(got);
    wxImage frame;
    FrameError error;
    EXPECT_FALSE(feed.Frame(1, frame, error));
    EXPECT_TRUE(error.stopped);
}

TEST(FrameFeed, ALateDeliveryForAnotherFrameIsIgnored)
{
    FrameFeed feed(2, [](int) {});
    feed.Deliver(1, SolidImage(2, 2, 1, 2, 3));
    feed.Cancel();
    wxImage frame;
    FrameError error;
    EXPECT_FALSE(feed.Frame(0, frame, error));
}
