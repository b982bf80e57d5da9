#include "core/jobs/feed_passes.h"

#include "core/jobs/frame_feed.h"

namespace {
// A pass handed to the exporter, sharing the feed with FeedPasses, which delivers to it.
class SharedFeed : public FrameSource {
public:
    explicit SharedFeed(std::shared_ptr<FrameFeed> feed) : m_feed(std::move(feed)) {}
    int Count() const override { return m_feed->Count(); }
    bool Frame(int index, wxImage& frame, FrameError& error) override
    {
        return m_feed->Frame(index, frame, error);
    }

private:
    std::shared_ptr<FrameFeed> m_feed;
};
}

FeedPasses::FeedPasses(int count, std::function<void(int index)> ask)
    : m_count(count), m_ask(std::move(ask))
{
}

std::unique_ptr<FrameSource> FeedPasses::NextPass()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_cancelled)
        return nullptr;
    m_current = std::make_shared<FrameFeed>(m_count, m_ask);
    return std::make_unique<SharedFeed>(m_current);
}

void FeedPasses::Deliver(int index, wxImage&& image)
{
    std::shared_ptr<FrameFeed> current;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        current = m_current;
    }
    if (current)
        current->Deliver(index, std::move(image));
    else
        image = wxImage();
}

void FeedPasses::Cancel()
{
    std::shared_ptr<FrameFeed> current;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_cancelled = true;
        current = m_current;
    }
    if (current)
        current->Cancel();
}
