#include "src/window/image_decode.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <wx/ffile.h>
#include <wx/log.h>

namespace {

void SetReason(wxString* reason, const wxString& text)
{
    if (reason)
        *reason = text;
}

const char* const kUndecodable = "not an image in a format the program reads, or damaged";

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

bool DecodeImageFile(const wxString& path, std::vector<wxImage>& frames, wxString* reason)
{
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
        return true;
    }

    if (!CheckReadable(path, reason))
        return false;
    wxImage image;
    if (!LoadSinglePicture(path, image)) {
        SetReason(reason, kUndecodable);
        return false;
    }
    frames.push_back(image);
    return true;
}

bool LoadSinglePicture(const wxString& path, wxImage& image)
{
    // giflib and the toolkit's GIF handler both take any file starting with "GIF" as one,
    // whatever the version bytes after it; so must this test, or such a file would reach the
    // toolkit's decoder.
    char signature[3] = {};
    {
        wxFFile file;
        wxLogNull noLog;
        if (file.Open(path, "rb"))
            file.Read(signature, sizeof signature);
    }
    if (std::memcmp(signature, "GIF", 3) == 0) {
        GifFrameReader reader;
        return reader.Open(path, nullptr) && reader.Frame(0, image);
    }
    wxLogNull noLog;
    return image.LoadFile(path, wxBITMAP_TYPE_ANY, -1) && image.IsOk();
}
