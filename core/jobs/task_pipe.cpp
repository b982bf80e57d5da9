#include "core/jobs/task_pipe.h"

TaskPipe::TaskPipe(size_t capacity) : m_capacity(capacity), m_thread([this] { Run(); }) {}

TaskPipe::~TaskPipe()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closing = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void TaskPipe::Push(std::function<void()> task)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_tasks.size() < m_capacity; });
    m_tasks.push_back(std::move(task));
    lock.unlock();
    m_changed.notify_all();
}

void TaskPipe::Run()
{
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait(lock, [this] { return !m_tasks.empty() || m_closing; });
            if (m_tasks.empty())
                return;
            task = std::move(m_tasks.front());
            m_tasks.pop_front();
        }
        m_changed.notify_all();
        task();
    }
}
