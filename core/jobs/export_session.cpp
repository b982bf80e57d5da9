#include "core/jobs/export_session.h"

#include "core/base/trace.h"
#include "core/export/picture_frame_source.h"
#include "core/jobs/thread_update_event.h"

ExportSession::ExportSession(Callbacks callbacks) : m_callbacks(std::move(callbacks))
{
    Bind(wxEVT_THREAD_UPDATE, &ExportSession::OnReport, this, ID_GIF_FRAME_SAVED);
}

ExportSession::~ExportSession()
{
    Stop();
}

bool ExportSession::Start(ExportRequest request)
{
    if (m_worker)
        return false;
    // The worker decodes each frame as it needs it, so the animation is never held twice.
    auto pictures = std::make_shared<const std::vector<PictureRef>>(std::move(request.frames));
    m_worker = std::make_unique<ExportThread>(
        request.canvas, this,
        [pictures]() -> std::unique_ptr<FrameSource> {
            return std::make_unique<PictureFrameSource>(*pictures);
        },
        request.path, request.delay);
    m_worker->SetSaveOptions(request.options);
    m_worker->SetTiming(std::move(request.delays), request.loopCount);
    m_worker->SetEdit(request.edit);
    if (m_worker->Run() != wxTHREAD_NO_ERROR) {
        m_worker.reset();
        return false;
    }
    m_cancelled = false;
    m_percent = 0;
    m_try = 1;
    return true;
}

void ExportSession::Cancel()
{
    if (!m_worker || m_cancelled)
        return;
    m_cancelled = true;
    m_worker->RequestStop();
}

void ExportSession::Stop()
{
    if (m_worker) {
        m_worker->RequestStop();
        m_worker->Wait();
        m_worker.reset();
    }
    // Nothing is queued any more once the worker is joined.
    DeletePendingEvents();
}

void ExportSession::OnReport(wxThreadEvent& event)
{
    if (!m_worker)
        return;
    Trace("WorkSaveAsGifThreadUpdate:");
    const int percent = event.GetInt();
    if (percent != 100) {
        // A size limit starts the frames again at lower settings: the share goes back.
        const int newTry = percent < m_percent ? ++m_try : 0;
        m_percent = percent;
        if (m_callbacks.progress)
            m_callbacks.progress(percent, newTry);
        return;
    }
    // It has reported its end, so it is returning from its body.
    m_worker->Wait();
    m_worker.reset();
    if (m_callbacks.finished)
        m_callbacks.finished(GifSaveOutcomeOf(event), m_cancelled);
}
