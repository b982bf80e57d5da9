#include "src/window/image_load_thread.h"

#include <wx/event.h>
#include <wx/filefn.h>
#include <wx/log.h>

#include "src/window/frame_reference.h"
#include "src/window/image_decode.h"
#include "src/window/thread_update_event.h"

namespace {
// Reports one image, or ends the batch; the percentages follow the batch's rule: every
// frame of a whole GIF counts as the progress reached before that file, except the very
// last frame of the batch.
class BatchReporter {
public:
    BatchReporter(LoadSink& sink) : m_sink(sink) {}

    void Send(const wxString& path, int frame, int percent, std::unique_ptr<wxImage> image)
    {
        m_reached100 = percent == 100;
        m_sink.Loaded(path, frame, percent, std::move(image));
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

void LoadGifEntry(const wxString& path, int frame, size_t i, size_t n, BatchReporter& out,
                  const std::function<bool()>& stopRequested)
{
    GifFrameReader reader;
    if (!reader.Open(path, nullptr))
        return;
    const int done = static_cast<int>(i * 100 / n);
    const int afterThis = static_cast<int>((i + 1) * 100 / n);
    if (frame >= 0) {
        auto image = std::make_unique<wxImage>();
        if (static_cast<unsigned>(frame) < reader.Count() &&
            reader.Frame(static_cast<unsigned>(frame), *image) && image->IsOk())
            out.Send(path, frame, afterThis, std::move(image));
        return;
    }
    const unsigned count = reader.Count();
    for (unsigned j = 0; j < count; ++j) {
        if (stopRequested())
            return;
        auto image = std::make_unique<wxImage>();
        if (!reader.Frame(j, *image) || !image->IsOk())
            continue;
        const bool lastOfBatch = i + 1 == n && j + 1 == count;
        out.Send(path, static_cast<int>(j), lastOfBatch ? afterThis : done, std::move(image));
    }
}

void LoadPictureEntry(const wxString& path, size_t i, size_t n, BatchReporter& out)
{
    wxLogNull noLog;
    auto image = std::make_unique<wxImage>();
    if (image->LoadFile(path, wxBITMAP_TYPE_ANY, -1) && image->IsOk())
        out.Send(path, 0, static_cast<int>((i + 1) * 100 / n), std::move(image));
}

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
                    const std::function<bool()>& stopRequested)
{
    const size_t n = entries.size();
    BatchReporter out(sink);
    for (size_t i = 0; i < n; ++i) {
        if (stopRequested())
            return;
        const int frame = GetGifFrameIndex(entries[i]);
        const wxString path = StripGifFrameSuffix(entries[i]);
        if (!wxFileExists(path))
            continue;
        if (IsGifPath(path))
            LoadGifEntry(path, frame, i, n, out, stopRequested);
        else
            LoadPictureEntry(path, i, n, out);
    }
    if (n > 0)
        out.End();
}

LoadedImagePtr LoadedImageOf(const wxThreadEvent& event)
{
    return event.GetPayload<LoadedImagePtr>();
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
