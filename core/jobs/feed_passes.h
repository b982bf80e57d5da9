// Frames from the GUI thread for an export that may read them more than once (a size-limited
// save tries again at lower settings): each pass is a fresh FrameFeed, and the GUI thread
// always delivers to the pass under way.
#pragma once

#include <functional>
#include <memory>
#include <mutex>

#include <wx/image.h>

#include "core/export/frame_source.h"

class FrameFeed;

class FeedPasses {
public:
    // ask as for FrameFeed: called on the worker, it arranges for Deliver or Cancel on the
    // GUI thread.
    FeedPasses(int count, std::function<void(int index)> ask);

    // Worker side: a new pass from the first frame; nullptr once cancelled. The pass stays
    // valid after this object goes.
    std::unique_ptr<FrameSource> NextPass();
    // GUI side: the frame the current pass asked for.
    void Deliver(int index, wxImage&& image);
    // Any thread: ends the current pass and every later one.
    void Cancel();

private:
    const int m_count;
    std::function<void(int)> m_ask;
    std::mutex m_mutex;
    std::shared_ptr<FrameFeed> m_current;
    bool m_cancelled = false;
};
