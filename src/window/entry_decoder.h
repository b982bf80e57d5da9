// Decoding the loader's entries one after the other: a path gives every frame of a GIF (or
// one picture of any other file), a frame reference name one frame of its GIF. The GIF last
// opened stays open, so a project's run of frame references to one GIF decodes that GIF once
// rather than once per frame.
#pragma once

#include <functional>
#include <memory>

#include <wx/image.h>
#include <wx/string.h>

class GifFrameReader;

// One decoded frame of an entry: its frame number in the file (0 for a picture), and how many
// of the entry's frames have been handed out with this one, of how many the entry gives.
using FrameDelivery =
    std::function<void(std::unique_ptr<wxImage> image, int frame, unsigned done, unsigned total)>;

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
    // reason (if given) says why.
    void Decode(const wxString& path, int frame, const std::function<bool()>& stopRequested,
                const FrameDelivery& deliver, wxString* reason = nullptr);

private:
    GifFrameReader* OpenGif(const wxString& path, wxString* reason);

    std::unique_ptr<GifFrameReader> m_gif;
    wxString m_gifPath;
};
