#include "core/jobs/background_estimate.h"

#include "core/export/picture_frame_source.h"
#include "core/jobs/size_estimate_thread.h"
#include "core/jobs/thread_update_event.h"

BackgroundEstimate::BackgroundEstimate(std::function<void(std::optional<uint64_t>)> done)
    : m_done(std::move(done))
{
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

bool BackgroundEstimate::Start(std::vector<PictureRef> frames, GifExportOptions options)
{
    Abandon();
    const unsigned generation = ++m_generation;
    Job job;
    job.thread = std::make_unique<SizeEstimateThread>(
        this, std::make_unique<PictureFrameSource>(std::move(frames)), std::move(options),
        generation);
    if (job.thread->Run() != wxTHREAD_NO_ERROR)
        return false;
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
    m_done(result.bytes);
}
