// A GIF file read record by record through giflib, with this program's limits: the images'
// descriptors, their graphic controls and their rows, one image at a time.
#pragma once

#include <memory>
#include <vector>

#include <wx/string.h>

#include "core/gif/gif_geometry.h"
#include "core/gif/gif_graphic_control.h"
#include "core/colour/palette.h"

class wxInputStream;
struct GifFileType;

// One image of the file as its descriptor and the extensions before it declare it.
struct GifImageHeader {
    GifRect frame;  // as stored: may reach past the logical screen
    bool interlaced = false;
    GifGraphicControl control;
    std::vector<GifRgb> colours;  // the local table, else the global one; may be empty
};

class GifRecordReader {
public:
    GifRecordReader();
    ~GifRecordReader();
    GifRecordReader(const GifRecordReader&) = delete;
    GifRecordReader& operator=(const GifRecordReader&) = delete;

    // Opens path and reads the logical screen. False with a reason when the file can't be
    // read, is not a GIF, or declares a screen side of 0 or past kMaxPictureSide.
    bool Open(const wxString& path, wxString* reason);
    int ScreenWidth() const { return m_screenWidth; }
    int ScreenHeight() const { return m_screenHeight; }

    // Reads up to the next image's descriptor. False at the end of the images (reason
    // empty; ReachedFrameLimit tells an end at kGifMaxFrames from the file's own end) or on
    // damage (reason says what). After true, the image's pixels must be read
    // with ReadRow (header.frame.height times) or skipped with SkipPixels.
    bool NextImage(GifImageHeader& header, wxString* reason);
    // The next stored row of the current image: header.frame.width indices into row.
    bool ReadRow(uint8_t* row, wxString* reason);
    bool SkipPixels(wxString* reason);
    // Whether NextImage stopped at an image past the kGifMaxFrames-th: the file holds more
    // frames than are read.
    bool ReachedFrameLimit() const { return m_reachedLimit; }

private:
    struct GifCloser {
        void operator()(GifFileType* gif) const;
    };
    static int ReadFromStream(GifFileType* gif, unsigned char* buffer, int size);
    bool ReadExtension(GifGraphicControl& control, wxString* reason);
    bool Fail(const wxString& what, wxString* reason) const;

    std::unique_ptr<wxInputStream> m_stream;
    std::unique_ptr<GifFileType, GifCloser> m_gif;
    int m_screenWidth = 0;
    int m_screenHeight = 0;
    size_t m_extensionBytes = 0;
    unsigned m_images = 0;
    bool m_reachedLimit = false;
};
