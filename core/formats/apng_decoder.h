// The frames of an animated PNG as a viewer shows them, composed one at a time on request; a
// PNG without animation is one frame. The chunks are walked and checked when it opens, before
// any pixel is decoded.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <wx/gdicmn.h>
#include <wx/image.h>
#include <wx/string.h>

#include "core/formats/apng_layout.h"

class ApngCanvas;

class ApngDecoder {
public:
    ApngDecoder();
    ~ApngDecoder();
    ApngDecoder(const ApngDecoder&) = delete;
    ApngDecoder& operator=(const ApngDecoder&) = delete;

    // Walks the file at path (read again for each frame's data). A damaged or truncated file
    // still gives the frames whose data ends before the damage; no frame at all, a header
    // beyond the picture limit or bytes that are no PNG are a failure with a reason.
    bool Open(const wxString& path, wxString* reason);
    // The same for a file's bytes held in memory.
    bool Open(std::vector<uint8_t> bytes, wxString* reason);

    unsigned Count() const { return static_cast<unsigned>(m_layout.frames.size()); }
    // The canvas's size: the size of every frame.
    wxSize CanvasSize() const;
    // Frame i's delay in hundredths of a second (rounded, at most 65535); 0 out of range.
    int Delay(unsigned i) const;
    // How many times the animation plays: 0 forever (and for a still picture).
    int LoopCount() const;
    // Why the walk stopped before the end, or the frames announced that are missing; empty
    // for a whole file.
    const wxString& Damage() const { return m_layout.damage; }
    // More than kGifMaxFrames frames: only the first kGifMaxFrames are given.
    bool FramesLeftOut() const { return m_layout.framesLeftOut; }

    // Frame i as a viewer shows it: every frame up to i drawn on a canvas that starts fully
    // clear. An RGB image, with an alpha channel only when some pixel is not opaque. Frames
    // asked for in increasing order cost one frame's decoding each; an earlier one starts
    // again from the first. False when frame i's data or that of one before it is damaged;
    // Error() says why.
    bool Frame(unsigned i, wxImage& image);
    const wxString& Error() const { return m_error; }

private:
    bool Walk(uint64_t size, wxString* reason);
    bool DecodeNext();

    std::unique_ptr<FileByteReader> m_file;
    std::vector<uint8_t> m_bytes;
    ByteReader m_read;
    ApngLayout m_layout;
    std::unique_ptr<ApngCanvas> m_canvas;
    unsigned m_composed = 0;   // frames drawn on the canvas so far
    unsigned m_damagedAt = 0;  // the first frame that failed to decode; Count() when none has
    PngBytes m_png;
    std::vector<uint8_t> m_rgba;
    wxString m_error;
};
