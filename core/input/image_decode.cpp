#include "core/input/image_decode.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <wx/ffile.h>
#include <wx/log.h>
#include <wx/wfstream.h>

#include "core/input/file_byte_reader.h"
#include "core/export/gif_save_options.h"
#include "core/input/image_header.h"
#include "core/input/load_estimate.h"
#include "core/input/picture_end.h"

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

bool IsGifPath(const wxString& path)
{
    return path.Lower().EndsWith(".gif");
}

bool CheckReadable(const wxString& path, wxString* reason)
{
    // Non-blocking: opening a named pipe for reading would otherwise wait for a writer.
    const int fd = ::open(path.fn_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        SetReason(reason, wxString::FromUTF8(std::strerror(errno)));
        return false;
    }
    struct stat st;
    const bool stated = ::fstat(fd, &st) == 0;
    ::close(fd);
    if (stated && S_ISDIR(st.st_mode)) {
        SetReason(reason, wxString::FromUTF8(std::strerror(EISDIR)));
        return false;
    }
    // Pipes, sockets and devices can block or never end; only plain files are read.
    if (!stated || !S_ISREG(st.st_mode)) {
        SetReason(reason, "not a regular file");
        return false;
    }
    return true;
}

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

wxString TooLargeReason(const wxSize& size)
{
    return wxString::Format(wxString::FromUTF8("too large: %d \u00d7 %d pixels (the largest side "
                                               "read is %d)"),
                            size.GetWidth(), size.GetHeight(), kMaxPictureSide);
}

wxString PictureSizeProblem(const wxSize& size, uint64_t available)
{
    if (!WithinPictureLimit(size))
        return TooLargeReason(size);
    // The decoded picture (RGB and alpha) must fit the memory that is free; otherwise the
    // decoder's failure would read as a damaged file.
    const uint64_t needed = uint64_t(size.GetWidth()) * uint64_t(size.GetHeight()) * 4;
    if (available == 0 || needed <= available)
        return wxString();
    return wxString::Format(wxString::FromUTF8("not enough memory: %d \u00d7 %d pixels need about "
                                               "%s, %s is free"),
                            size.GetWidth(), size.GetHeight(), FileLengthText(needed),
                            FileLengthText(available));
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
