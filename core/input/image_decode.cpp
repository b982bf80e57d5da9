#include "core/input/image_decode.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <wx/ffile.h>
#include <wx/log.h>
#include <wx/wfstream.h>

#include "core/base/file_byte_reader.h"
#include "core/input/image_header.h"
#include "core/base/available_memory.h"
#include "core/picture/picture_limit.h"
#include "core/base/readable_file.h"
#include "core/input/frame_reference.h"
#include "core/input/picture_end.h"
#include "core/gif/gif_frame_reader.h"

namespace {

void SetReason(wxString* reason, const wxString& text)
{
    if (reason)
        *reason = text;
}

const char* const kUndecodable = "not an image in a format the program reads, or damaged";

// Decodes path with the toolkit's handler of type, told to be quiet: a loud one lets libjpeg
// write its own warnings ("Corrupt JPEG data: ...") to standard error, past any log target.
// What is wrong with a file is this program's to say.
bool DecodeQuietly(const wxString& path, wxBitmapType type, wxImage& image)
{
    wxImageHandler* handler = wxImage::FindHandler(type);
    wxFileInputStream file(path);
    if (!handler || !file.IsOk())
        return false;
    wxBufferedInputStream stream(file);
    return handler->LoadFile(&image, stream, false, -1) && image.IsOk();
}

// The damage of a picture file whose format its header showed.
wxString FileDamage(const wxString& path, ImageFormat format)
{
    if (format == ImageFormat::Gif) {
        GifFrameReader reader;
        return reader.Open(path, nullptr) ? reader.Damage() : wxString();
    }
    FileByteReader file(path);
    return file.IsOpen() ? MissingEnd(format, file.Reader(), file.Size()) : wxString();
}

} // namespace



bool DecodeImageFile(const wxString& path, std::vector<wxImage>& frames, wxString* reason,
                     wxString* damage)
{
    SetReason(damage, wxString());
    if (IsGifPath(path)) {
        GifFrameReader reader;
        if (!reader.Open(path, reason))
            return false;
        const size_t before = frames.size();
        for (unsigned i = 0; i < reader.Count(); ++i) {
            wxImage image;
            if (reader.Frame(i, image))
                frames.push_back(image);
        }
        if (frames.size() == before) {
            SetReason(reason, kUndecodable);
            return false;
        }
        // Frames that didn't decode are damage too, where the walk found none.
        wxString found = reader.Damage();
        if (found.empty() && frames.size() - before < reader.Count())
            found = reader.Error();
        SetReason(damage, found);
        return true;
    }

    if (!CheckReadable(path, reason))
        return false;
    wxImage image;
    if (!LoadSinglePicture(path, image, reason, damage))
        return false;
    frames.push_back(image);
    return true;
}



wxString PictureDamage(const wxString& path)
{
    const ImageHeader header = ReadImageHeader(path);
    return header.format == ImageFormat::Unknown ? wxString() : FileDamage(path, header.format);
}

bool LoadSinglePicture(const wxString& path, wxImage& image, wxString* reason, wxString* damage)
{
    SetReason(damage, wxString());
    // Format and size from the file's own bytes: nothing too large is decoded, and no decoder
    // but the one of the format the bytes show ever sees the file.
    const ImageHeader header = ReadImageHeader(path);
    if (header.format == ImageFormat::Unknown || header.size == wxSize()) {
        SetReason(reason, kUndecodable);
        return false;
    }
    const wxString problem = PictureSizeProblem(header.size, AvailableMemory());
    if (!problem.empty()) {
        SetReason(reason, problem);
        return false;
    }
    if (header.format == ImageFormat::Gif) {
        GifFrameReader reader;
        if (reader.Open(path, reason) && reader.Frame(0, image)) {
            SetReason(damage, reader.Damage());
            return true;
        }
        if (reason && reason->empty())
            *reason = reader.Error().empty() ? wxString(kUndecodable) : reader.Error();
        return false;
    }
    const wxBitmapType type = header.format == ImageFormat::Png    ? wxBITMAP_TYPE_PNG
                              : header.format == ImageFormat::Jpeg ? wxBITMAP_TYPE_JPEG
                                                                   : wxBITMAP_TYPE_BMP;
    wxLogNull noLog;
    if (DecodeQuietly(path, type, image)) {
        if (damage)
            *damage = FileDamage(path, header.format);
        return true;
    }
    SetReason(reason, kUndecodable);
    return false;
}
