// Helpers shared by the GIF encoding tests: images with hand-made palettes, streams that fail
// on purpose, a walk over GIF blocks, and the outside decoders of the system.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

#include <wx/gifdecod.h>
#include <wx/image.h>
#include <wx/mstream.h>
#include <wx/palette.h>

#include "core/base/trace.h"
#include "core/colour/palette.h"
#include "core/gif/gif_image_indices.h"
#include "core/gif/gif_writer.h"

namespace giftest {

// Silences the composition's trace lines for the scope of a test that doesn't check them.
class QuietTrace {
public:
    QuietTrace() : m_was(IsTraceEnabled()) { SetTraceEnabled(false); }
    ~QuietTrace() { SetTraceEnabled(m_was); }

private:
    bool m_was;
};

using Bytes = std::vector<uint8_t>;

// colours[i] is palette entry i; pixel (x, y) gets entry index(x, y).
inline wxImage PalettedImage(int w, int h, const std::vector<GifRgb>& colours,
                             const std::function<int(int, int)>& index)
{
    wxImage img(w, h, false);
    unsigned char* p = img.GetData();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const GifRgb& c = colours[index(x, y)];
            *p++ = c.red;
            *p++ = c.green;
            *p++ = c.blue;
        }
    std::vector<unsigned char> r, g, b;
    for (const GifRgb& c : colours) {
        r.push_back(c.red);
        g.push_back(c.green);
        b.push_back(c.blue);
    }
    img.SetPalette(wxPalette(static_cast<int>(colours.size()), r.data(), g.data(), b.data()));
    return img;
}

// Writes frames that carry their palette as one animation, as the exporter writes reduced
// frames, frame i with delaysMs[i]: each frame's result, true when all of its bytes (with the
// first the file's start, with the last the trailer) were written.
inline std::vector<bool> WriteGifFrames(wxOutputStream& out, const std::vector<wxImage>& frames,
                                        const std::vector<int>& delaysMs, int loopCount = 0)
{
    GifWriter writer(out);
    std::vector<bool> results;
    for (size_t i = 0; i < frames.size(); ++i) {
        GifImageIndices looked;
        bool ok = IndexGifImage(frames[i], looked);
        const GifIndexedImage image = ImageView(looked);
        ok = ok && (i > 0 || writer.Begin(image, loopCount)) && writer.Image(image, delaysMs[i]);
        if (ok && i + 1 == frames.size())
            ok = writer.Finish();
        results.push_back(ok);
    }
    return results;
}

inline std::vector<bool> WriteGifFrames(wxOutputStream& out, const std::vector<wxImage>& frames,
                                        int delayMs = 100)
{
    return WriteGifFrames(out, frames, std::vector<int>(frames.size(), delayMs));
}

// n distinct colours.
inline std::vector<GifRgb> DistinctColours(int n)
{
    std::vector<GifRgb> c;
    for (int i = 0; i < n; ++i)
        c.push_back({static_cast<unsigned char>(i), static_cast<unsigned char>(255 - i),
                     static_cast<unsigned char>((i * 7) & 0xFF)});
    return c;
}

inline Bytes StreamBytes(const wxMemoryOutputStream& out)
{
    Bytes bytes(out.GetLength());
    if (!bytes.empty())
        out.CopyTo(bytes.data(), bytes.size());
    return bytes;
}

// Takes the first limit bytes, then fails every write (a short write counts as failed).
class FailingStream : public wxOutputStream {
public:
    explicit FailingStream(size_t limit) : m_limit(limit) {}
    const Bytes& Written() const { return m_bytes; }

protected:
    size_t OnSysWrite(const void* data, size_t size) override
    {
        const size_t room = m_limit - m_bytes.size();
        const size_t n = size < room ? size : room;
        m_bytes.insert(m_bytes.end(), static_cast<const uint8_t*>(data),
                       static_cast<const uint8_t*>(data) + n);
        m_lasterror = n == size ? wxSTREAM_NO_ERROR : wxSTREAM_WRITE_ERROR;
        return n;
    }

private:
    size_t m_limit;
    Bytes m_bytes;
};

// Position just past the image data (code size byte, sub-blocks, terminator) starting at pos.
inline size_t SkipImageData(const Bytes& b, size_t pos)
{
    ++pos;  // LZW minimum code size
    while (pos < b.size() && b[pos] != 0)
        pos += b[pos] + 1;
    return pos + 1;
}

// The frames of a GIF held in memory, decoded by the toolkit's decoder.
inline std::vector<wxImage> DecodeWithToolkit(const Bytes& gif)
{
    std::vector<wxImage> frames;
    wxMemoryInputStream in(gif.data(), gif.size());
    wxGIFDecoder decoder;
    if (decoder.LoadGIF(in) != wxGIF_OK)
        return frames;
    for (unsigned i = 0; i < decoder.GetFrameCount(); ++i) {
        wxImage img;
        if (decoder.ConvertToImage(i, &img))
            frames.push_back(img);
    }
    return frames;
}

// Runs a shell command; its standard output (and error, when merged by the command) as text.
inline bool RunCommand(const std::string& command, std::string& output, int* status = nullptr)
{
    output.clear();
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return false;
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof(buf), pipe)) > 0)
        output.append(buf, n);
    const int rc = pclose(pipe);
    if (status)
        *status = rc;
    return true;
}

// ImageMagick's converter from Debian, or empty when it isn't installed.
inline std::string ImageMagickConvert()
{
    for (const char* path : {"/usr/bin/convert-im6.q16", "/usr/bin/convert"})
        if (access(path, X_OK) == 0)
            return path;
    return std::string();
}

inline std::string Gifsicle()
{
    return access("/usr/bin/gifsicle", X_OK) == 0 ? "/usr/bin/gifsicle" : std::string();
}

} // namespace giftest
