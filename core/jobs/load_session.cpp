#include "core/jobs/load_session.h"

#include "core/base/trace.h"
#include "core/input/frame_reference.h"
#include "core/jobs/image_load_thread.h"
#include "core/jobs/thread_update_event.h"

LoadSession::LoadSession(AnimationDocument& document, Callbacks callbacks)
    : m_document(document), m_callbacks(std::move(callbacks))
{
    Bind(wxEVT_THREAD_UPDATE, &LoadSession::OnReport, this, ID_IMAGE_LOADED);
}

LoadSession::~LoadSession()
{
    Stop();
}

bool LoadSession::Start(LoadRequest request)
{
    if (m_worker)
        return false;
    PictureMaking making{m_document.Store(), request.thumbnailSide};
    m_worker = std::make_unique<ImageLoadThread>(request.entries, std::move(making),
                                                 [this](LoadReport report) {
        auto* event = new wxThreadEvent(wxEVT_THREAD_UPDATE, ID_IMAGE_LOADED);
        event->SetPayload(std::move(report));
        wxQueueEvent(this, event);
    });
    if (m_worker->Run() != wxTHREAD_NO_ERROR) {
        m_worker.reset();
        return false;
    }
    m_gathered = LoadOutcome();
    m_gathered.insertAt = request.insertAt;
    m_request = std::move(request);
    return true;
}

void LoadSession::Cancel()
{
    if (!m_worker)
        return;
    m_gathered.cancelled = true;
    m_worker->RequestStop();
}

void LoadSession::Stop()
{
    if (m_worker) {
        m_worker->RequestStop();
        m_worker->Wait();
        m_worker.reset();
    }
    // Nothing is queued any more once the worker is joined.
    DeletePendingEvents();
    m_gathered = LoadOutcome();
    m_request = LoadRequest();
}

void LoadSession::OnReport(wxThreadEvent& event)
{
    if (!m_worker)
        return;
    const LoadReport report = event.GetPayload<LoadReport>();
    Trace("ThreadUpdate");
    if (m_callbacks.stopWanted && m_callbacks.stopWanted())
        Cancel();
    // After Cancel the document takes nothing more: frames decoded but not yet shown are
    // dropped, so the load ends at once for the user.
    if (!m_gathered.cancelled)
        Take(report);
    if (report.percent == 100)
        Finish();
    else if (m_callbacks.progress)
        m_callbacks.progress(report.percent);
}

void LoadSession::Take(const LoadReport& report)
{
    const bool stored = m_request.stored.has_value();
    if (const auto* picture = std::get_if<LoadedPicture>(&report.result)) {
        Place(picture->picture, picture->thumbnail,
              ArrivingName(FrameSourceName(picture->path, picture->gifFrame)),
              ArrivingDelay(picture->path, picture->delay));
    } else if (const auto* none = std::get_if<NoPicture>(&report.result)) {
        if (!stored) {
            m_gathered.skipped.Add(none->entry + ": " + none->reason);
            return;
        }
        // A stored entry stays in the list, unchanged, until the user deletes it.
        // A frame stored without a name (one to be kept without its file) that can't be read
        // is named by the file it was to come from.
        wxString name = ArrivingName(none->entry);
        if (name.empty())
            name = none->entry;
        Place(nullptr, nullptr, name, ArrivingDelay(none->entry, -1));
        m_gathered.missing.Add(name);
    } else if (const auto* damaged = std::get_if<DamagedSource>(&report.result)) {
        if (!stored)
            m_gathered.damaged.Add(damaged->path + ": " + damaged->damage);
    } else if (const auto* leftOut = std::get_if<FramesLeftOut>(&report.result)) {
        m_gathered.leftOut.Add(leftOut->path);
    }
}

wxString LoadSession::ArrivingName(const wxString& reported) const
{
    // Stored frames, placeholders included, arrive one per entry in their order and keep
    // their names, so that saving writes them as they were.
    const size_t added = m_gathered.frames.size();
    if (m_request.stored && added < m_request.stored->names.size())
        return m_request.stored->names[added];
    return reported;
}

int LoadSession::ArrivingDelay(const wxString& entry, int own) const
{
    if (m_request.stored) {
        const std::vector<int>& delays = m_request.stored->delays;
        const size_t added = m_gathered.frames.size();
        return added < delays.size() ? delays[added] : kCommonDelay;
    }
    // A video's frames keep the timing of the rate they were taken at.
    const auto video = m_request.videoDelays.find(entry);
    if (video != m_request.videoDelays.end())
        return video->second;
    return own >= 0 && m_request.keepGifTiming ? own : kCommonDelay;
}

void LoadSession::Place(PictureRef picture, std::shared_ptr<const wxImage> thumbnail,
                        const wxString& name, int delay)
{
    const FramePtr frame = MakeFrame(std::move(picture), name, delay, std::move(thumbnail));
    // A load that adds frames appends each as it arrives; an insert does not.
    const bool appending = m_gathered.insertAt < 0;
    if (appending)
        Trace("Append");
    const int added = static_cast<int>(m_gathered.frames.size());
    const int at = appending ? m_document.Count() : m_gathered.insertAt + added;
    if (added == 0)
        m_gathered.first = at;
    m_document.Insert(at, {frame});
    m_gathered.frames.push_back(frame);
}

void LoadSession::Finish()
{
    // The worker has handed over its last result and is returning from its body.
    m_worker->Wait();
    m_worker.reset();
    // Taken out first: the window may start the next load while it tells of this one.
    const LoadOutcome outcome = std::move(m_gathered);
    m_gathered = LoadOutcome();
    m_request = LoadRequest();
    if (m_callbacks.finished)
        m_callbacks.finished(outcome);
}
