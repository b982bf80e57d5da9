// A second worker behind a first one: tasks pushed in order run in that order on a thread of
// the pipe's own, at most capacity of them waiting, so the pusher goes on with its next step
// while the last one is finished. The loader decodes the next picture while the one before
// is compressed.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class TaskPipe {
public:
    explicit TaskPipe(size_t capacity);
    // Runs every task pushed, then joins the thread.
    ~TaskPipe();
    TaskPipe(const TaskPipe&) = delete;
    TaskPipe& operator=(const TaskPipe&) = delete;

    // Queues task; waits while capacity tasks wait already.
    void Push(std::function<void()> task);

private:
    void Run();

    const size_t m_capacity;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::function<void()>> m_tasks;
    bool m_closing = false;
    std::thread m_thread;
};
