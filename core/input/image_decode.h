// Decoding input files into frames: a GIF file gives every frame, anything else one picture.
#pragma once

#include <cstdint>
#include <vector>

#include <wx/image.h>
#include <wx/string.h>


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