#include "core/jobs/background_estimate.h"

#include "core/jobs/frame_feed.h"
#include "core/jobs/size_estimate_thread.h"
#include "core/jobs/thread_update_event.h"

BackgroundEstimate::BackgroundEstimate(std::function<void(std::optional<uint64_t>)> done)
    : m_done(std::move(done))
{
    Bind(wxEVT_THREAD_UPDATE, &BackgroundEstimate::OnFrameWanted, this, ID_ESTIMATE_FRAME_WANTED);
    Bind(wxEVT_THREAD_UPDATE, &BackgroundEstimate::OnEstimated, this, ID_SIZE_ESTIMATED);
}

BackgroundEstimate::~BackgroundEstimate()
{
    for (auto& [generation, job] : m_jobs)
        job.thread->RequestStop();
    for (auto& [generation, job] : m_jobs)
        job.thread->Wait();
    // Their last reports, still queued, go with this handler.
    m_jobs.clear();
}

bool BackgroundEstimate::Start(std::vector<std::shared_ptr<const wxImage>> frames,
                               GifExportOptions options)
{
    Abandon();
    const unsigned generation = ++m_generation;
    m_frames = std::move(frames);
    Job job;
    job.feed = std::make_shared<FrameFeed>(static_cast<int>(m_frames.size()),
                                           [this, generation](int index) {
        auto* wanted = new wxThreadEvent(wxEVT_THREAD_UPDATE, ID_ESTIMATE_FRAME_WANTED);
        wanted->SetInt(index);
        wanted->SetExtraLong(static_cast<long>(generation));
        wxQueueEvent(this, wanted);
    });
    job.thread = std::make_unique<SizeEstimateThread>(this, job.feed, std::move(options), generation);
    if (job.thread->Run() != wxTHREAD_NO_ERROR) {
        m_frames.clear();
        return false;
    }
    m_jobs.emplace(generation, std::move(job));
    return true;
}

void BackgroundEstimate::Abandon()
{
    const auto current = m_jobs.find(m_generation);
    if (current != m_jobs.end())
        current->second.thread->RequestStop();
    // A later generation number, so that nothing under way is reported any more.
    ++m_generation;
    m_frames.clear();
}

void BackgroundEstimate::OnFrameWanted(wxThreadEvent& event)
{
    const unsigned generation = static_cast<unsigned>(event.GetExtraLong());
    const auto job = m_jobs.find(generation);
    if (job == m_jobs.end())
        return;
    const int index = event.GetInt();
    const bool known = generation == m_generation && index >= 0 &&
                       index < static_cast<int>(m_frames.size()) && m_frames[index];
    // A copy that shares nothing with the document's picture (see ImageListFrameSource).
    wxImage frame = known ? m_frames[index]->Copy() : wxImage();
    if (known)
        job->second.feed->Deliver(index, std::move(frame));
    else
        job->second.feed->Cancel();
}

void BackgroundEstimate::OnEstimated(wxThreadEvent& event)
{
    const SizeEstimateResult result = SizeEstimateResultOf(event);
    const auto job = m_jobs.find(result.generation);
    if (job == m_jobs.end())
        return;
    // It has reported, so it is ending: the wait is short.
    job->second.thread->Wait();
    m_jobs.erase(job);
    if (result.generation != m_generation)
        return;
    m_frames.clear();
    m_done(result.bytes);
}
