// Decoding the loader's entries one after the other: a path gives every frame of a GIF (or
// one picture of any other file), a frame reference name one frame of its GIF, a video frame
// name ("clip.mp4#t=2.500&w=640") that frame of the video. The GIF and the video last opened
// stay open, so a run of frames of one file decodes that file once rather than once per frame.
#pragma once

#include <functional>
#include <memory>

#include <wx/image.h>
#include <wx/string.h>

class GifFrameReader;
class VideoDecoder;
struct VideoFrameReference;

// One decoded frame of an entry: its frame number in the file (0 for a picture), its delay
// (a GIF frame's own, in hundredths of a second as stored, 0 included; -1 for a picture that
// is no GIF frame), and how many of the entry's frames have been handed out with this one,
// of how many the entry gives.
using FrameDelivery = std::function<void(std::unique_ptr<wxImage> image, int frame, int delay,
                                         unsigned done, unsigned total)>;

// An entry that gave frames but is damaged (cut short, a GIF frame that doesn't decode): how,
// and how many of its frames had been handed out when that was found, of how many it gives.
using DamageReport = std::function<void(const wxString& damage, unsigned done, unsigned total)>;

// A GIF entry that holds more frames than are read from one file (kGifMaxFrames): how many
// of its frames had been handed out when that was told (none), of how many it gives.
using LeftOutReport = std::function<void(unsigned done, unsigned total)>;

// The batch's progress after frame done of total of entry i of n, in percent: 100 exactly for
// the batch's last frame and below 100 for every other, rising with every frame.
int BatchPercent(size_t i, size_t n, unsigned done, unsigned total);

class EntryDecoder {
public:
    EntryDecoder();
    ~EntryDecoder();
    EntryDecoder(const EntryDecoder&) = delete;
    EntryDecoder& operator=(const EntryDecoder&) = delete;

    // Decodes path (frame >= 0: only that frame of a GIF). Frames and files that don't decode
    // are skipped, the toolkit's log suppressed; only regular files are read. Stops between
    // GIF frames when stopRequested() turns true. When the entry gives no frame at all,
    // reason (if given) says why. A damaged file that gives frames goes to damaged once:
    // before its frames for a picture cut short or a GIF whose walk stopped short of its
    // trailer, after the last frame that decoded for a GIF one of whose frames doesn't; so
    // never after all of the entry's frames. A single frame of a GIF that decodes is whole,
    // whatever follows it. A whole GIF with frames past the limit goes to leftOut once,
    // before its frames. A damaged video goes to damaged once while its frames are decoded,
    // before the first frame decoded after the damage was found.
    void Decode(const wxString& path, int frame, const std::function<bool()>& stopRequested,
                const FrameDelivery& deliver, wxString* reason = nullptr,
                const DamageReport& damaged = {}, const LeftOutReport& leftOut = {});

private:
    GifFrameReader* OpenGif(const wxString& path, wxString* reason);
    void DecodePicture(const wxString& path, const FrameDelivery& deliver, wxString* reason,
                       const DamageReport& damaged);
    void DecodeVideoFrame(const VideoFrameReference& frame, const FrameDelivery& deliver,
                          wxString* reason, const DamageReport& damaged);

    std::unique_ptr<GifFrameReader> m_gif;
    wxString m_gifPath;
    std::unique_ptr<VideoDecoder> m_video;
    wxString m_videoPath;
    bool m_videoDamageTold = false;
};
