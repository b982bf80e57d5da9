#include "core/jobs/image_load_thread.h"

#include <algorithm>

#include <wx/filefn.h>
#include <wx/log.h>

#include "core/input/entry_decoder.h"
#include "core/input/frame_reference.h"
#include "core/input/image_decode.h"
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
// thumbnail: the decoded image goes with this call, so the load never holds two.
class ReportingSink : public LoadSink {
public:
    ReportingSink(const PictureMaking& making, const std::function<void(LoadReport)>& report)
        : m_making(making), m_report(report)
    {
    }

    void Loaded(const wxString& path, int frame, int delay, int percent,
                std::unique_ptr<wxImage> image) override
    {
        LoadedPicture loaded{path, frame, delay, nullptr, nullptr};
        if (image && image->IsOk()) {
            loaded.thumbnail = MakeThumbnail(*image, m_making.thumbnailSide);
            loaded.picture = Picture::FromImage(m_making.store, *image);
        }
        image.reset();
        m_report({std::move(loaded), percent});
    }
    void NoFrame(const wxString& entry, const wxString& reason, int percent) override
    {
        m_report({NoPicture{entry, reason}, percent});
    }
    void Damaged(const wxString& path, const wxString& damage, int percent) override
    {
        m_report({DamagedSource{path, damage}, percent});
    }
    void FramesLeftOut(const wxString& path, int percent) override
    {
        m_report({::FramesLeftOut{path}, percent});
    }
    void Finished() override { m_report({BatchEnd{}, 100}); }

private:
    const PictureMaking& m_making;
    const std::function<void(LoadReport)>& m_report;
};
}

std::shared_ptr<const wxImage> MakeThumbnail(const wxImage& image, int side)
{
    if (!image.IsOk() || side <= 0)
        return nullptr;
    const double scale = std::min({1.0, static_cast<double>(side) / image.GetWidth(),
                                   static_cast<double>(side) / image.GetHeight()});
    if (scale >= 1.0)
        return std::make_shared<const wxImage>(image.Copy());
    const int width = static_cast<int>(image.GetWidth() * scale);
    const int height = static_cast<int>(image.GetHeight() * scale);
    if (width < 1 || height < 1)
        return nullptr;
    wxLogNull noLog;
    return std::make_shared<const wxImage>(image.Scale(width, height, wxIMAGE_QUALITY_NORMAL));
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
    ReportingSink sink(m_making, m_report);
    LoadImageBatch(m_entries, sink, [this] { return m_stop.load() || TestDestroy(); });
    return nullptr;
}
