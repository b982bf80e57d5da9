// Frames handed from the GUI thread to an export worker one at a time. The document's
// pictures are shared images whose users the toolkit counts without a lock, so a worker gets
// copies; copying them all before the export would hold a second copy of the whole
// animation. Instead the worker asks for a frame when it needs it, the GUI thread copies just
// that one and delivers it, and the worker waits meanwhile.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>

#include <wx/image.h>

#include "core/export/frame_source.h"

class FrameFeed : public FrameSource {
public:
    // ask(index) must arrange for Deliver(index, ...) or Cancel to be called later on the
    // GUI thread (it is called on the worker and must not block).
    FrameFeed(int count, std::function<void(int index)> ask);

    int Count() const override { return m_count; }
    // Worker side: asks for the frame and waits for it; false (error.stopped) once cancelled.
    bool Frame(int index, wxImage& frame, FrameError& error) override;

    // GUI side: the frame asked for. image's own reference is dropped here, under the lock,
    // so that the toolkit's (non-atomic) reference count is never touched by two threads.
    void Deliver(int index, wxImage&& image);
    // Any thread: wakes a waiting worker and makes every later request fail.
    void Cancel();

private:
    const int m_count;
    std::function<void(int)> m_ask;
    std::mutex m_mutex;
    std::condition_variable m_delivered;
    int m_waitingFor = -1;
    bool m_ready = false;
    bool m_cancelled = false;
    wxImage m_image;
};
