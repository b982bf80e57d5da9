#include "src/window/image_decode.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <wx/gifdecod.h>
#include <wx/log.h>
#include <wx/wfstream.h>

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
    return path.EndsWith(".gif");
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

GifFrameReader::GifFrameReader() = default;
GifFrameReader::~GifFrameReader() = default;

bool GifFrameReader::Open(const wxString& path, wxString* reason)
{
    m_decoder.reset();
    if (!CheckReadable(path, reason))
        return false;
    wxLogNull noLog;
    wxFileInputStream stream(path);
    if (!stream.IsOk()) {
        SetReason(reason, wxString::FromUTF8(std::strerror(errno ? errno : EIO)));
        return false;
    }
    auto decoder = std::make_unique<wxGIFDecoder>();
    // A truncated file keeps the frames read so far, as the toolkit's own loader does.
    decoder->LoadGIF(stream);
    if (decoder->GetFrameCount() == 0) {
        SetReason(reason, kUndecodable);
        return false;
    }
    m_decoder = std::move(decoder);
    return true;
}

unsigned GifFrameReader::Count() const
{
    return m_decoder ? m_decoder->GetFrameCount() : 0;
}

bool GifFrameReader::Frame(unsigned i, wxImage& image) const
{
    if (!m_decoder || i >= m_decoder->GetFrameCount())
        return false;
    image = wxImage();
    return m_decoder->ConvertToImage(i, &image) && image.IsOk();
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
    wxLogNull noLog;
    wxImage image;
    if (!image.LoadFile(path, wxBITMAP_TYPE_ANY, -1) || !image.IsOk()) {
        SetReason(reason, kUndecodable);
        return false;
    }
    frames.push_back(image);
    return true;
}
