// The frames of a GIF file as a viewer shows them, composed one at a time on request.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <wx/gdicmn.h>
#include <wx/image.h>
#include <wx/string.h>

class GifComposer;
class GifRecordReader;

class GifFrameReader {
public:
    GifFrameReader();
    ~GifFrameReader();
    GifFrameReader(const GifFrameReader&) = delete;
    GifFrameReader& operator=(const GifFrameReader&) = delete;

    // Walks the file once to count its frames, without decoding pixels. A damaged or
    // truncated file still gives the frames whose data ends before the damage; no frame at
    // all is a failure with a reason.
    bool Open(const wxString& path, wxString* reason);
    unsigned Count() const { return static_cast<unsigned>(m_delays.size()); }
    // The logical screen's size: the size of every frame.
    wxSize ScreenSize() const { return m_screen; }
    // Frame i's delay in hundredths of a second; 0 when it has none or i is out of range.
    int Delay(unsigned i) const { return i < Count() ? m_delays[i] : 0; }
    // Why the walk of Open stopped before the file's trailer (a frame cut off, a block
    // damaged, the trailer missing); empty when it reached the trailer. What follows the
    // trailer is never read.
    const wxString& Damage() const { return m_damage; }
    // Whether the file holds more than kGifMaxFrames frames: only the first kGifMaxFrames
    // are counted and given, and the caller must say so.
    bool FramesLeftOut() const { return m_framesLeftOut; }

    // Frame i as a viewer shows it at that moment: every image up to i drawn at its offset
    // on a canvas of the screen's size that starts fully transparent, with the disposals
    // applied. Pixels nothing was drawn on are transparent (black, alpha 0); the image has
    // an alpha channel only when it has such pixels. Frames asked for in increasing order
    // cost one image's decoding each; an earlier frame starts again from the first image.
    // False when the image data of frame i or of one before it is damaged; Error() says why.
    bool Frame(unsigned i, wxImage& image);
    const wxString& Error() const { return m_error; }

private:
    bool Restart();
    bool DecodeNext();

    wxString m_path;
    wxSize m_screen;
    std::vector<uint16_t> m_delays;  // one per frame
    std::unique_ptr<GifRecordReader> m_records;
    std::unique_ptr<GifComposer> m_composer;
    unsigned m_composed = 0;    // images drawn on the composer so far
    unsigned m_damagedAt = 0;   // the first frame that failed to decode; Count() when none has
    std::vector<uint8_t> m_row;
    wxString m_damage;
    wxString m_error;
    bool m_framesLeftOut = false;
};
