#include "core/input/entry_decoder.h"

#include <algorithm>

#include <wx/filefn.h>
#include <wx/log.h>

#include "core/gif/gif_frame_reader.h"
#include "core/input/image_decode.h"
#include "core/video/video_decoder.h"
#include "core/video/video_reference.h"
#include "core/base/readable_file.h"
#include "core/input/frame_reference.h"

int BatchPercent(size_t i, size_t n, unsigned done, unsigned total)
{
    if (n == 0 || total == 0)
        return 100;
    // Frames counted in units of 1/(n * total) of the batch, in 64 bits.
    const uint64_t reached = static_cast<uint64_t>(i) * total + done;
    return static_cast<int>(100 * reached / (static_cast<uint64_t>(n) * total));
}

EntryDecoder::EntryDecoder() = default;
EntryDecoder::~EntryDecoder() = default;

GifFrameReader* EntryDecoder::OpenGif(const wxString& path, wxString* reason)
{
    if (m_gif && m_gifPath == path)
        return m_gif.get();
    m_gif.reset();
    m_gifPath.clear();
    auto reader = std::make_unique<GifFrameReader>();
    if (!reader->Open(path, reason))
        return nullptr;
    m_gif = std::move(reader);
    m_gifPath = path;
    return m_gif.get();
}

void EntryDecoder::DecodePicture(const wxString& path, const FrameDelivery& deliver,
                                 wxString* reason, const DamageReport& damaged)
{
    auto image = std::make_unique<wxImage>();
    wxString damage;
    if (!LoadSinglePicture(path, *image, reason, &damage))
        return;
    if (!damage.empty() && damaged)
        damaged(damage, 0, 1);
    deliver(std::move(image), 0, -1, 1, 1);
}

void EntryDecoder::DecodeVideoFrame(const VideoFrameReference& frame,
                                    const FrameDelivery& deliver, wxString* reason,
                                    const DamageReport& damaged)
{
    if (!CheckReadable(frame.video, reason))
        return;
    wxString why;
    if (!m_video || m_videoPath != frame.video) {
        m_video = VideoDecoder::Open(frame.video, why);
        m_videoPath = frame.video;
        m_videoDamageTold = false;
    }
    auto image = std::make_unique<wxImage>();
    if (m_video &&
        m_video->FrameAt(frame.millis / 1000.0, frame.width, *image, why) == VideoFrameResult::Ok) {
        // Told once per video, with the first frame that follows the damage.
        if (!m_videoDamageTold && !m_video->Damage().empty() && damaged) {
            damaged(m_video->Damage(), 0, 1);
            m_videoDamageTold = true;
        }
        deliver(std::move(image), 0, -1, 1, 1);
        return;
    }
    if (reason)
        *reason = why;
}

void EntryDecoder::Decode(const wxString& path, int frame,
                          const std::function<bool()>& stopRequested, const FrameDelivery& deliver,
                          wxString* reason, const DamageReport& damaged,
                          const LeftOutReport& leftOut)
{
    wxLogNull noLog;
    if (frame < 0 && !wxFileExists(path)) {
        if (const auto video = ParseVideoReference(path)) {
            DecodeVideoFrame(*video, deliver, reason, damaged);
            return;
        }
    }
    if (!CheckReadable(path, reason))
        return;
    if (!IsGifPath(path)) {
        DecodePicture(path, deliver, reason, damaged);
        return;
    }
    GifFrameReader* reader = OpenGif(path, reason);
    if (!reader)
        return;
    const unsigned count = reader->Count();
    const unsigned first = frame >= 0 ? static_cast<unsigned>(frame) : 0;
    const unsigned end = frame >= 0 ? std::min(first + 1, count) : count;
    if (first >= end && reason)
        *reason = wxString::Format("it has no frame %u", first + 1);
    if (frame < 0 && reader->FramesLeftOut() && leftOut)
        leftOut(0, count);
    unsigned delivered = 0;
    bool told = frame >= 0 || !damaged;
    const auto tell = [&](const wxString& damage) {
        if (told || damage.empty())
            return;
        damaged(damage, delivered, end - first);
        told = true;
    };
    for (unsigned j = first; j < end; ++j) {
        if (stopRequested())
            return;
        auto image = std::make_unique<wxImage>();
        if (reader->Frame(j, *image) && image->IsOk()) {
            tell(reader->Damage());
            ++delivered;
            deliver(std::move(image), static_cast<int>(j), reader->Delay(j), delivered,
                    end - first);
            continue;
        }
        if (reason)
            *reason = reader->Error();
        // A frame that doesn't decode after others did: the entry is damaged, not unreadable.
        if (delivered > 0)
            tell(reader->Error());
    }
}
