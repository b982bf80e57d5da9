#include "core/jobs/export_session.h"

#include "core/base/trace.h"
#include "core/jobs/feed_passes.h"
#include "core/jobs/thread_update_event.h"

ExportSession::ExportSession(Callbacks callbacks) : m_callbacks(std::move(callbacks))
{
    Bind(wxEVT_THREAD_UPDATE, &ExportSession::OnReport, this, ID_GIF_FRAME_SAVED);
    Bind(wxEVT_THREAD_UPDATE, &ExportSession::OnFrameWanted, this, ID_GIF_FRAME_WANTED);
}

ExportSession::~ExportSession()
{
    Stop();
}

bool ExportSession::Start(ExportRequest request)
{
    if (m_worker)
        return false;
    // The worker asks for each frame as it needs it, so the animation is never held twice.
    m_feed = std::make_shared<FeedPasses>(static_cast<int>(request.frames.size()),
                                          [this](int index) {
        auto* wanted = new wxThreadEvent(wxEVT_THREAD_UPDATE, ID_GIF_FRAME_WANTED);
        wanted->SetInt(index);
        wxQueueEvent(this, wanted);
    });
    const std::shared_ptr<FeedPasses> passes = m_feed;
    m_worker = std::make_unique<ExportThread>(
        request.canvas, this, [passes] { return passes->NextPass(); }, request.path,
        request.delay);
    m_worker->SetSaveOptions(request.options);
    m_worker->SetTiming(std::move(request.delays), request.loopCount);
    if (m_worker->Run() != wxTHREAD_NO_ERROR) {
        m_worker.reset();
        m_feed.reset();
        return false;
    }
    m_frames = std::move(request.frames);
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
    // A worker waiting for a frame is woken, so that it sees the stop.
    m_feed->Cancel();
    m_worker->RequestStop();
}

void ExportSession::Stop()
{
    if (m_worker) {
        m_feed->Cancel();
        m_worker->RequestStop();
        m_worker->Wait();
        m_worker.reset();
    }
    m_feed.reset();
    m_frames.clear();
    // Nothing is queued any more once the worker is joined.
    DeletePendingEvents();
}

void ExportSession::OnFrameWanted(wxThreadEvent& event)
{
    if (!m_feed)
        return;
    const int index = event.GetInt();
    const bool known = index >= 0 && index < static_cast<int>(m_frames.size()) &&
                       m_frames[index] && m_frames[index]->IsOk();
    // A copy that shares nothing: the worker may keep it after this returns, and the toolkit
    // counts an image's users without locking.
    wxImage frame = known ? m_frames[index]->Copy() : wxImage();
    m_feed->Deliver(index, std::move(frame));
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
    m_feed.reset();
    m_frames.clear();
    if (m_callbacks.finished)
        m_callbacks.finished(GifSaveOutcomeOf(event), m_cancelled);
}
