#include "src/window/save_gif_thread.h"

#include <wx/event.h>

#include "app/trace.h"
#include "src/window/gif_export.h"
#include "src/window/thread_update_event.h"

namespace {
void Report(wxEvtHandler* dest, int percent, const GifSaveOutcome* outcome)
{
    auto* event = new wxThreadEvent(wxEVT_THREAD_UPDATE, ID_GIF_FRAME_SAVED);
    event->SetInt(percent);
    if (outcome)
        event->SetPayload(*outcome);
    wxQueueEvent(dest, event);
}

// Frame reports go out as they come, except 100: the file is complete only once it has
// been renamed into place, which the final report tells.
class QueueingProgress : public ExportProgressSink {
public:
    QueueingProgress(wxEvtHandler* dest, const std::atomic<bool>& stop) : m_dest(dest), m_stop(stop) {}

    void Progress(int percent) override
    {
        if (percent < 100)
            Report(m_dest, percent, nullptr);
    }
    bool StopRequested() override { return m_stop.load(); }

private:
    wxEvtHandler* m_dest;
    const std::atomic<bool>& m_stop;
};
}

GifSaveOutcome GifSaveOutcomeOf(const wxThreadEvent& event)
{
    if (event.GetInt() != 100)
        return GifSaveOutcome();
    return event.GetPayload<GifSaveOutcome>();
}

WorkSaveAsGifThread::WorkSaveAsGifThread(const wxSize& canvasSize, wxEvtHandler* dest,
                                         std::vector<wxImage> frames, const wxString& outputPath,
                                         int delay)
    : WorkSaveAsGifThread(canvasSize, dest, std::make_shared<ImageListFrameSource>(std::move(frames)),
                          outputPath, delay)
{
}

WorkSaveAsGifThread::WorkSaveAsGifThread(const wxSize& canvasSize, wxEvtHandler* dest,
                                         std::shared_ptr<FrameSource> frames,
                                         const wxString& outputPath, int delay)
    : wxThread(wxTHREAD_JOINABLE),
      m_dest(dest),
      m_frames(std::move(frames)),
      m_canvasSize(canvasSize),
      m_outputPath(outputPath),
      m_delay(delay)
{
}

wxThread::ExitCode WorkSaveAsGifThread::Entry()
{
    Trace("thread:");
    m_frameCount = m_frames->Count();
    GifExportOptions options;
    options.canvas = m_canvasSize;
    options.delay = m_delay;
    options.delays = m_delays;
    options.loopCount = m_loopCount;
    QueueingProgress progress(m_dest, m_stop);
    const GifExportResult result = ExportGif(*m_frames, m_outputPath, options, &progress);
    const GifSaveOutcome outcome{result.ok, result.error, result.failure};
    Report(m_dest, 100, &outcome);
    return nullptr;
}
