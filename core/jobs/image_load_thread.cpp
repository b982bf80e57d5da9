#include "core/jobs/image_load_thread.h"

#include <algorithm>

#include <wx/filefn.h>
#include <wx/log.h>

#include "core/input/entry_decoder.h"
#include "core/input/frame_reference.h"
#include "core/input/image_decode.h"
#include "core/jobs/task_pipe.h"
#include "core/picture/small_copy.h"
#include "core/video/video_reference.h"

namespace {
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

// Turns the batch's results into report values, each image into a compressed picture and a
// thumbnail, on the pipe's thread while the batch decodes the next one. Every result goes
// through the pipe, so the reports keep the batch's order; at most four decoded images wait
// (fewer left the decoder idle while the window took its share of two cores).
class ReportingSink : public LoadSink {
public:
    ReportingSink(const PictureMaking& making, const std::function<void(LoadReport)>& report,
                  TaskPipe& pipe)
        : m_making(making), m_report(report), m_pipe(pipe)
    {
    }

    void Loaded(const wxString& path, int frame, int delay, int percent,
                std::unique_ptr<wxImage> image) override
    {
        std::shared_ptr<wxImage> decoded(std::move(image));
        // The task refers to the thread's making and report, which outlive the pipe; this
        // sink may be gone when the pipe's last tasks run.
        const PictureMaking& making = m_making;
        const std::function<void(LoadReport)>& report = m_report;
        m_pipe.Push([&making, &report, path, frame, delay, percent, decoded]() mutable {
            LoadedPicture loaded{path, frame, delay, nullptr, nullptr};
            if (decoded && decoded->IsOk()) {
                loaded.thumbnail = MakeThumbnail(*decoded, making.thumbnailSide);
                loaded.picture = Picture::FromImage(making.store, *decoded);
            }
            decoded.reset();
            report({std::move(loaded), percent});
        });
    }
    void NoFrame(const wxString& entry, const wxString& reason, int percent) override
    {
        Report({NoPicture{entry, reason}, percent});
    }
    void Damaged(const wxString& path, const wxString& damage, int percent) override
    {
        Report({DamagedSource{path, damage}, percent});
    }
    void FramesLeftOut(const wxString& path, int percent) override
    {
        Report({::FramesLeftOut{path}, percent});
    }
    void Finished() override { Report({BatchEnd{}, 100}); }

private:
    void Report(LoadReport value)
    {
        const std::function<void(LoadReport)>& report = m_report;
        m_pipe.Push([&report, value]() { report(value); });
    }

    const PictureMaking& m_making;
    const std::function<void(LoadReport)>& m_report;
    TaskPipe& m_pipe;
};
}

std::shared_ptr<const wxImage> MakeThumbnail(const wxImage& image, int side)
{
    wxImage small = SmallCopy(image, side);
    return small.IsOk() ? std::make_shared<const wxImage>(std::move(small)) : nullptr;
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

ImageLoadThread::ImageLoadThread(const wxArrayString& entries, PictureMaking making,
                                 std::function<void(LoadReport)> report)
    : wxThread(wxTHREAD_JOINABLE),
      m_entries(entries),
      m_making(std::move(making)),
      m_report(std::move(report))
{
}

wxThread::ExitCode ImageLoadThread::Entry()
{
    // An empty batch has no last entry to end it; its owner waits for the end all the same.
    if (m_entries.empty()) {
        m_report({BatchEnd{}, 100});
        return nullptr;
    }
    // Compressing runs beside decoding; the pipe's end waits for the last report.
    TaskPipe pipe(4);
    ReportingSink sink(m_making, m_report, pipe);
    LoadImageBatch(m_entries, sink, [this] { return m_stop.load() || TestDestroy(); });
    return nullptr;
}
