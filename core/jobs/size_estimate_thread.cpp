#include "core/jobs/size_estimate_thread.h"

#include <wx/event.h>

#include "core/export/frame_source.h"
#include "core/export/size_estimate.h"
#include "core/jobs/thread_update_event.h"

SizeEstimateResult SizeEstimateResultOf(const wxThreadEvent& event)
{
    return event.GetPayload<SizeEstimateResult>();
}

SizeEstimateThread::SizeEstimateThread(wxEvtHandler* dest, std::unique_ptr<FrameSource> frames,
                                       GifExportOptions options, unsigned generation)
    : wxThread(wxTHREAD_JOINABLE),
      m_dest(dest),
      m_frames(std::move(frames)),
      m_options(std::move(options)),
      m_generation(generation)
{
}

SizeEstimateThread::~SizeEstimateThread() = default;

wxThread::ExitCode SizeEstimateThread::Entry()
{
    SizeEstimateResult result;
    result.generation = m_generation;
    result.bytes = EstimateGifSize(*m_frames, m_options, m_stop);
    auto* event = new wxThreadEvent(wxEVT_THREAD_UPDATE, ID_SIZE_ESTIMATED);
    event->SetPayload(result);
    wxQueueEvent(m_dest, event);
    return nullptr;
}
