// Working out the GIF's expected length in the background while the user edits. The frames
// come from a source one at a time, so that a long animation is never held twice for an
// estimate that the next edit may make useless.
//
// The thread ends with one wxEVT_THREAD_UPDATE event of id ID_SIZE_ESTIMATED whose payload is
// a SizeEstimateResult.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include <wx/thread.h>

#include "core/export/gif_export.h"

class FrameSource;
class wxEvtHandler;
class wxThreadEvent;

struct SizeEstimateResult {
    // Which estimate this is: the window starts a new one for every change and shows only
    // the latest.
    unsigned generation = 0;
    // Nothing when stopped or when a frame could not be read.
    std::optional<uint64_t> bytes;
};

// The result an ID_SIZE_ESTIMATED event carries.
SizeEstimateResult SizeEstimateResultOf(const wxThreadEvent& event);

class SizeEstimateThread : public wxThread {
public:
    SizeEstimateThread(wxEvtHandler* dest, std::unique_ptr<FrameSource> frames,
                       GifExportOptions options, unsigned generation);
    ~SizeEstimateThread() override;

    // Ends the estimate before its next frame.
    void RequestStop() { m_stop = true; }

protected:
    ExitCode Entry() override;

private:
    wxEvtHandler* m_dest;
    std::unique_ptr<FrameSource> m_frames;
    GifExportOptions m_options;
    unsigned m_generation;
    std::atomic<bool> m_stop{false};
};
