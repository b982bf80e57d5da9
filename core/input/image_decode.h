// Decoding input files into frames: a GIF file gives every frame, anything else one picture.
#pragma once

#include <cstdint>
#include <vector>

#include <wx/image.h>
#include <wx/string.h>

#include "core/gif/gif_frame_reader.h"

// True when path is read as an animated GIF, frame by frame: it ends with ".gif" in any case
// (".GIF", ".Gif", ...). Other names load as a single picture of any known format.
bool IsGifPath(const wxString& path);

// Fails with a reason (the system's message, e.g. "No such file or directory") when path
// can't be opened for reading or is not a regular file (a folder, a pipe, a device). Never
// blocks, not even on a named pipe without a writer.
bool CheckReadable(const wxString& path, wxString* reason);

// Decodes the file at path into frames (appended in order) the way the image loader does:
// a GIF path gives every frame that converts; any other file is loaded as one picture with
// automatic format detection, the toolkit's log messages suppressed. False with a reason when
// the file can't be read or gives no image. When it gives frames but is damaged (cut short,
// a GIF frame that doesn't decode), damage (if given) says how; otherwise it is emptied.
bool DecodeImageFile(const wxString& path, std::vector<wxImage>& frames, wxString* reason,
                     wxString* damage = nullptr);

// One picture from path, its format (PNG, JPEG, BMP or GIF) and size found from its content
// before any decoder runs. A picture beyond the size limit is refused with a reason naming
// its size; a GIF's content (under any name) gives its first frame through GifFrameReader,
// never through the toolkit's GIF decoder; no other format is read. damage as for
// DecodeImageFile.
bool LoadSinglePicture(const wxString& path, wxImage& image, wxString* reason = nullptr,
                       wxString* damage = nullptr);
// How the picture file at path (of any format) is incomplete, without decoding its pixels;
// empty when it is whole or isn't a picture at all.
wxString PictureDamage(const wxString& path);
// The reason given for a picture of size beyond the limit.
wxString TooLargeReason(const wxSize& size);
// Why a picture of size may not be decoded: beyond the size limit, or its pixels (4 bytes
// each) need more than the available bytes of memory (0: unknown, asks nothing). Empty when
// it may.
wxString PictureSizeProblem(const wxSize& size, uint64_t available);
