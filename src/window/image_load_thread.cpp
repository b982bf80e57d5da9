#include "src/window/image_load_thread.h"

#include <algorithm>

#include <wx/event.h>
#include <wx/filefn.h>
#include <wx/log.h>

#include "src/window/entry_decoder.h"
#include "src/window/frame_reference.h"
#include "src/window/image_decode.h"
#include "src/window/thread_update_event.h"

namespace {
const long kMissingEntry = -1;

// Reports one image, or ends the batch with the event that reaches 100 when no image did.
class BatchReporter {
public:
    BatchReporter(LoadSink& sink) : m_sink(sink) {}

    void Send(const wxString& path, int frame, int percent, std::unique_ptr<wxImage> image)
    {
        m_reached100 = percent == 100;
        m_sink.Loaded(path, frame, percent, std::move(image));
    }
    void Missing(const wxString& entry, int percent)
    {
        m_reached100 = percent == 100;
        m_sink.Missing(entry, percent);
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

class QueueingSink : public LoadSink {
public:
    explicit QueueingSink(wxEvtHandler* owner) : m_owner(owner) {}

    void Loaded(const wxString& path, int frame, int percent,
                std::unique_ptr<wxImage> image) override
    {
        auto* event = new wxThreadEvent(wxEVT_THREAD_UPDATE, ID_IMAGE_LOADED);
        event->SetString(path);
        event->SetInt(percent);
        event->SetExtraLong(frame);
        event->SetPayload(LoadedImagePtr(std::move(image)));
        wxQueueEvent(m_owner, event);
    }

    void Missing(const wxString& entry, int percent) override
    {
        auto* event = new wxThreadEvent(wxEVT_THREAD_UPDATE, ID_IMAGE_LOADED);
        event->SetString(entry);
        event->SetInt(percent);
        event->SetExtraLong(kMissingEntry);
        event->SetPayload(LoadedImagePtr());
        wxQueueEvent(m_owner, event);
    }

    void Finished() override
    {
        auto* event = new wxThreadEvent(wxEVT_THREAD_UPDATE, ID_IMAGE_LOADED);
        event->SetInt(100);
        event->SetPayload(LoadedImagePtr());
        wxQueueEvent(m_owner, event);
    }

private:
    wxEvtHandler* m_owner;
};
}

void LoadImageBatch(const wxArrayString& entries, LoadSink& sink,
                    const std::function<bool()>& stopRequested, bool keepMissing)
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
        decoder.Decode(path, frame, stopRequested,
                       [&](std::unique_ptr<wxImage> image, int got, unsigned done, unsigned total) {
                           delivered = true;
                           out.Send(path, got, BatchPercent(i, n, done, total), std::move(image));
                       });
        if (!delivered && keepMissing && !stopRequested())
            out.Missing(entries[i], BatchPercent(i, n, 1, 1));
    }
    if (n > 0)
        out.End();
}

LoadedImagePtr LoadedImageOf(const wxThreadEvent& event)
{
    return event.GetPayload<LoadedImagePtr>();
}

bool IsMissingEntryEvent(const wxThreadEvent& event)
{
    return event.GetExtraLong() == kMissingEntry && !event.GetString().empty() &&
           !LoadedImageOf(event);
}

ImageLoadThread::ImageLoadThread(wxEvtHandler* owner, const wxArrayString& files,
                                 bool keepMissing)
    : wxThread(wxTHREAD_JOINABLE), m_owner(owner), m_files(files), m_keepMissing(keepMissing)
{
}

wxThread::ExitCode ImageLoadThread::Entry()
{
    QueueingSink sink(m_owner);
    LoadImageBatch(m_files, sink, [this] { return m_stop.load() || TestDestroy(); },
                   m_keepMissing);
    return nullptr;
}
