#include "core/jobs/feed_passes.h"

#include "core/jobs/frame_feed.h"

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
    // The pass shares the feed with this object, which delivers to it.
    return std::make_unique<LentFrameSource>(m_current);
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
