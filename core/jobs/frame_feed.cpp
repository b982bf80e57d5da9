#include "core/jobs/frame_feed.h"

FrameFeed::FrameFeed(int count, std::function<void(int index)> ask)
    : m_count(count), m_ask(std::move(ask))
{
}

bool FrameFeed::Frame(int index, wxImage& frame, FrameError& error)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_cancelled) {
            error.stopped = true;
            return false;
        }
        m_waitingFor = index;
        m_ready = false;
    }
    m_ask(index);
    std::unique_lock<std::mutex> lock(m_mutex);
    m_delivered.wait(lock, [this] { return m_ready || m_cancelled; });
    m_waitingFor = -1;
    if (!m_ready) {
        error.stopped = true;
        return false;
    }
    m_ready = false;
    frame = m_image;
    m_image = wxImage();
    return true;
}

void FrameFeed::Deliver(int index, wxImage&& image)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (index == m_waitingFor && !m_cancelled) {
            m_image = image;
            m_ready = true;
        }
        image = wxImage();
    }
    m_delivered.notify_all();
}

void FrameFeed::Cancel()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_cancelled = true;
    }
    m_delivered.notify_all();
}
