// Decoding input files into frames: a GIF file gives every frame, anything else one picture.
#pragma once

#include <memory>
#include <vector>

#include <wx/image.h>
#include <wx/string.h>

class wxGIFDecoder;

// True when path is read as an animated GIF, frame by frame: it ends with ".gif", exactly in
// that case. Other names (a.GIF included) load as a single picture of any known format.
bool IsGifPath(const wxString& path);

// Fails with a reason (the system's message, e.g. "No such file or directory") when path
// can't be opened for reading or is not a regular file (a folder, a pipe, a device). Never
// blocks, not even on a named pipe without a writer.
bool CheckReadable(const wxString& path, wxString* reason);

// Every frame of a GIF file, converted one at a time on request.
class GifFrameReader {
public:
    GifFrameReader();
    ~GifFrameReader();
    GifFrameReader(const GifFrameReader&) = delete;
    GifFrameReader& operator=(const GifFrameReader&) = delete;

    // Loads the file. A damaged or truncated file still gives the frames decoded before the
    // damage; no frame at all is a failure with a reason.
    bool Open(const wxString& path, wxString* reason);
    unsigned Count() const;
    // Frame i as an image of the frame's own size; a transparent index becomes the mask.
    bool Frame(unsigned i, wxImage& image) const;

private:
    std::unique_ptr<wxGIFDecoder> m_decoder;
};

// Decodes the file at path into frames (appended in order) the way the image loader does:
// a GIF path gives every frame that converts; any other file is loaded as one picture with
// automatic format detection, the toolkit's log messages suppressed. False with a reason when
// the file can't be read or gives no image.
bool DecodeImageFile(const wxString& path, std::vector<wxImage>& frames, wxString* reason);
