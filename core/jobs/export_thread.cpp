#include "core/jobs/export_thread.h"

#include <wx/event.h>

#include "core/base/trace.h"
#include "core/export/frame_source.h"
#include "core/export/gif_export.h"
#include "core/jobs/thread_update_event.h"

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

namespace {
// The worker owns these images alone, so it may copy them for each pass: the first pass
// would otherwise release them.
FrameSourceFactory PassesOverImages(std::vector<wxImage> frames)
{
    auto kept = std::make_shared<std::vector<wxImage>>(std::move(frames));
    return [kept]() -> std::unique_ptr<FrameSource> {
        std::vector<wxImage> copies;
        copies.reserve(kept->size());
        for (const wxImage& image : *kept)
            copies.push_back(image.Copy());
        return std::make_unique<ImageListFrameSource>(std::move(copies));
    };
}
}

ExportThread::ExportThread(const wxSize& canvasSize, wxEvtHandler* dest,
                                         std::vector<wxImage> frames, const wxString& outputPath,
                                         int delay)
    : ExportThread(canvasSize, dest, PassesOverImages(std::move(frames)), outputPath, delay)
{
}

ExportThread::ExportThread(const wxSize& canvasSize, wxEvtHandler* dest,
                                         FrameSourceFactory frames, const wxString& outputPath,
                                         int delay)
    : wxThread(wxTHREAD_JOINABLE),
      m_dest(dest),
      m_frames(std::move(frames)),
      m_canvasSize(canvasSize),
      m_outputPath(outputPath),
      m_delay(delay)
{
}

wxThread::ExitCode ExportThread::Entry()
{
    Trace("thread:");
    GifExportOptions options;
    options.canvas = m_canvasSize;
    options.delay = m_delay;
    options.delays = m_delays;
    options.loopCount = m_loopCount;
    options.edit = m_edit;
    options.optimize = m_options.optimize;
    options.quality = m_options.quality;
    QueueingProgress progress(m_dest, m_stop);
    GifSaveOutcome outcome;
    const GifExportResult result = ExportGifWithinSize(m_frames, m_outputPath, options,
                                                       m_options.MaxBytes(), &progress,
                                                       &outcome.limit);
    if (m_options.MaxBytes() == 0)
        outcome.limit = SizeLimitReport();
    outcome.ok = result.ok;
    outcome.error = result.error;
    outcome.failure = result.failure;
    // A stop can end a try as another failure (no frame delivered); it is still a stop.
    if (!result.ok && m_stop.load())
        outcome.failure.kind = ExportFailure::Kind::Stopped;
    Report(m_dest, 100, &outcome);
    return nullptr;
}
