#include "core/jobs/image_load_thread.h"

#include <algorithm>

#include <wx/event.h>
#include <wx/filefn.h>
#include <wx/log.h>

#include "core/input/entry_decoder.h"
#include "core/input/frame_reference.h"
#include "core/input/image_decode.h"
#include "core/jobs/thread_update_event.h"
#include "core/video/video_reference.h"

namespace {
const long kNoFrame = -1;
const long kDamaged = -2;
const long kFramesLeftOut = -3;

// What every ID_IMAGE_LOADED event carries: the image, or why an entry gave none, or how it
// is damaged.
struct LoadReport {
    LoadedImagePtr image;
    wxString reason;
    int delay = -1;
};

LoadReport ReportOf(const wxThreadEvent& event)
{
    return event.GetPayload<LoadReport>();
}

// Reports one image, or ends the batch with the event that reaches 100 when no image did.
class BatchReporter {
public:
    BatchReporter(LoadSink& sink) : m_sink(sink) {}

    void Send(const wxString& path, int frame, int delay, int percent,
              std::unique_ptr<wxImage> image)
    {
        m_reached100 = percent == 100;
        m_sink.Loaded(path, frame, delay, percent, std::move(image));
    }
    void NoFrame(const wxString& entry, const wxString& reason, int percent)
    {
        m_reached100 = percent == 100;
        m_sink.NoFrame(entry, reason, percent);
    }
    void Damaged(const wxString& path, const wxString& damage, int percent)
    {
        m_reached100 = false;
        m_sink.Damaged(path, damage, percent);
    }
    void FramesLeftOut(const wxString& path, int percent)
    {
        m_reached100 = false;
        m_sink.FramesLeftOut(path, percent);
    }
    void End()
    {
        if (!m_reached100)
            m_sink.Finished();
    }

private:
    LoadSink& m_sink;
    bool m_reached100 = false;
};

// The file a damaged entry is told by: a video frame's video, else the path itself.
wxString DamagedFile(const wxString& path)
{
    const auto video = wxFileExists(path) ? std::nullopt : ParseVideoReference(path);
    return video ? video->video : path;
}

class QueueingSink : public LoadSink {
public:
    explicit QueueingSink(wxEvtHandler* owner) : m_owner(owner) {}

    void Loaded(const wxString& path, int frame, int delay, int percent,
                std::unique_ptr<wxImage> image) override
    {
        auto* event = new wxThreadEvent(wxEVT_THREAD_UPDATE, ID_IMAGE_LOADED);
        event->SetString(path);
        event->SetInt(percent);
        event->SetExtraLong(frame);
        event->SetPayload(LoadReport{LoadedImagePtr(std::move(image)), wxString(), delay});
        wxQueueEvent(m_owner, event);
    }

    void NoFrame(const wxString& entry, const wxString& reason, int percent) override
    {
        QueueReport(entry, percent, kNoFrame, reason);
    }

    void Damaged(const wxString& path, const wxString& damage, int percent) override
    {
        QueueReport(path, percent, kDamaged, damage);
    }

    void FramesLeftOut(const wxString& path, int percent) override
    {
        QueueReport(path, percent, kFramesLeftOut, wxString());
    }

    void Finished() override
    {
        auto* event = new wxThreadEvent(wxEVT_THREAD_UPDATE, ID_IMAGE_LOADED);
        event->SetInt(100);
        event->SetPayload(LoadReport());
        wxQueueEvent(m_owner, event);
    }

private:
    void QueueReport(const wxString& name, int percent, long kind, const wxString& text)
    {
        auto* event = new wxThreadEvent(wxEVT_THREAD_UPDATE, ID_IMAGE_LOADED);
        event->SetString(name);
        event->SetInt(percent);
        event->SetExtraLong(kind);
        event->SetPayload(LoadReport{LoadedImagePtr(), text});
        wxQueueEvent(m_owner, event);
    }

    wxEvtHandler* m_owner;
};
}

void LoadImageBatch(const wxArrayString& entries, LoadSink& sink,
                    const std::function<bool()>& stopRequested)
{
    const size_t n = entries.size();
    BatchReporter out(sink);
    EntryDecoder decoder;
    for (size_t i = 0; i < n; ++i) {
        // A stopped batch keeps what it delivered and ends as every batch does.
        if (stopRequested())
            break;
        const int frame = GetGifFrameIndex(entries[i]);
        const wxString path = StripGifFrameSuffix(entries[i]);
        bool delivered = false;
        wxString reason;
        decoder.Decode(
            path, frame, stopRequested,
            [&](std::unique_ptr<wxImage> image, int got, int delay, unsigned done,
                unsigned total) {
                delivered = true;
                out.Send(path, got, delay, BatchPercent(i, n, done, total), std::move(image));
            },
            &reason,
            [&](const wxString& damage, unsigned done, unsigned total) {
                out.Damaged(DamagedFile(path), damage, BatchPercent(i, n, done, total));
            },
            [&](unsigned done, unsigned total) {
                out.FramesLeftOut(path, BatchPercent(i, n, done, total));
            });
        if (!delivered && !stopRequested())
            out.NoFrame(entries[i], reason, BatchPercent(i, n, 1, 1));
    }
    if (n > 0)
        out.End();
}

LoadedImagePtr LoadedImageOf(const wxThreadEvent& event)
{
    return ReportOf(event).image;
}

int LoadedDelayOf(const wxThreadEvent& event)
{
    const LoadReport report = ReportOf(event);
    return report.image ? report.delay : -1;
}

bool IsNoFrameEvent(const wxThreadEvent& event)
{
    return event.GetExtraLong() == kNoFrame && !event.GetString().empty() &&
           !LoadedImageOf(event);
}

wxString NoFrameReasonOf(const wxThreadEvent& event)
{
    return ReportOf(event).reason;
}

bool IsDamagedEvent(const wxThreadEvent& event)
{
    return event.GetExtraLong() == kDamaged && !event.GetString().empty() &&
           !LoadedImageOf(event);
}

wxString DamageOf(const wxThreadEvent& event)
{
    return ReportOf(event).reason;
}

bool IsFramesLeftOutEvent(const wxThreadEvent& event)
{
    return event.GetExtraLong() == kFramesLeftOut && !event.GetString().empty() &&
           !LoadedImageOf(event);
}

ImageLoadThread::ImageLoadThread(wxEvtHandler* owner, const wxArrayString& files)
    : wxThread(wxTHREAD_JOINABLE), m_owner(owner), m_files(files)
{
}

wxThread::ExitCode ImageLoadThread::Entry()
{
    QueueingSink sink(m_owner);
    LoadImageBatch(m_files, sink, [this] { return m_stop.load() || TestDestroy(); });
    return nullptr;
}
