#include "core/formats/apng_encoder.h"

#include <algorithm>
#include <cstring>

#include "core/formats/apng_frame_area.h"
#include "core/formats/png_deflate.h"
#include "core/picture/picture_limit.h"

namespace {

// The compressed data is cut into chunks of at most this many bytes, so that no reader has to
// hold a chunk larger than this at once; each chunk costs 12 or 16 bytes.
constexpr size_t kDataPiece = 1 << 20;

std::string Text(const wxString& text)
{
    return text.utf8_string();
}

// The frame's pixels as rows of bpp bytes: RGB, or RGBA with its alpha (255 without one).
void TakePixels(const wxImage& frame, int bpp, std::vector<uint8_t>& out)
{
    const size_t count = static_cast<size_t>(frame.GetWidth()) * frame.GetHeight();
    out.resize(count * bpp);
    const uint8_t* rgb = frame.GetData();
    if (bpp == 3) {
        std::memcpy(out.data(), rgb, count * 3);
        return;
    }
    const uint8_t* alpha = frame.HasAlpha() ? frame.GetAlpha() : nullptr;
    uint8_t* to = out.data();
    for (size_t i = 0; i < count; ++i, to += 4) {
        std::memcpy(to, rgb + i * 3, 3);
        to[3] = alpha ? alpha[i] : 255;
    }
}

bool HasClearPixel(const wxImage& frame)
{
    if (!frame.HasAlpha())
        return false;
    const uint8_t* alpha = frame.GetAlpha();
    const size_t count = static_cast<size_t>(frame.GetWidth()) * frame.GetHeight();
    return std::any_of(alpha, alpha + count, [](uint8_t a) { return a != 255; });
}

} // namespace

bool ApngEncoder::Begin(wxOutputStream& out, const AnimationEncoding& encoding,
                        std::string& error)
{
    if (!WithinPictureLimit(wxSize(encoding.width, encoding.height))) {
        error = Text(wxString::Format("An animation of %d x %d pixels can't be written: each "
                                      "side must be 1 to %d pixels.",
                                      encoding.width, encoding.height, kMaxPictureSide));
        return false;
    }
    if (encoding.frameCount < 1 || encoding.loopCount < 0) {
        error = "An animated PNG needs at least one frame and a loop count of 0 or more.";
        return false;
    }
    m_out = &out;
    m_encoding = encoding;
    m_level = PngZlibLevel(encoding.effort);
    m_added = 0;
    m_sequence = 0;
    return Write(PngBytes(kPngSignature.begin(), kPngSignature.end()), error);
}

bool ApngEncoder::Add(const wxImage& frame, int delay, std::string& error)
{
    if (!m_out || m_added >= m_encoding.frameCount) {
        error = "More frames came than the animation was started with.";
        return false;
    }
    if (!frame.IsOk() || frame.GetWidth() != m_encoding.width ||
        frame.GetHeight() != m_encoding.height) {
        error = Text(wxString::Format("Frame %d is not of the animation's size, %d x %d pixels.",
                                      m_added + 1, m_encoding.width, m_encoding.height));
        return false;
    }
    if (delay < 0 || delay > 65535) {
        error = Text(wxString::Format("The delay of frame %d, %d, is not within 0 to 65535 "
                                      "hundredths of a second.",
                                      m_added + 1, delay));
        return false;
    }
    if (m_added == 0) {
        m_bpp = frame.HasAlpha() ? 4 : 3;
        if (!WriteHeader(error))
            return false;
    } else if (m_bpp == 3 && HasClearPixel(frame)) {
        error = Text(wxString::Format("Frame %d has clear pixels, but the first frame had no "
                                      "alpha channel, so the file holds no transparency.",
                                      m_added + 1));
        return false;
    }
    TakePixels(frame, m_bpp, m_current);
    PixelRect area{0, 0, m_encoding.width, m_encoding.height};
    if (m_added > 0) {
        area = ChangedArea(m_previous.data(), m_current.data(), m_encoding.width,
                           m_encoding.height, m_bpp);
        // A frame must hold a pixel; one that changes nothing repeats the corner's.
        if (area.Empty())
            area = PixelRect{0, 0, 1, 1};
    }
    if (!WriteFrame(area, delay, error))
        return false;
    m_previous.swap(m_current);
    ++m_added;
    return true;
}

bool ApngEncoder::WriteHeader(std::string& error)
{
    PngHeader header;
    header.width = static_cast<uint32_t>(m_encoding.width);
    header.height = static_cast<uint32_t>(m_encoding.height);
    header.colourType = m_bpp == 4 ? kPngRgba : kPngRgb;
    const auto ihdr = IhdrData(header);
    // num_plays has the loop count's meaning: 0 forever, N times.
    const auto actl = ActlData(static_cast<uint32_t>(m_encoding.frameCount),
                               static_cast<uint32_t>(m_encoding.loopCount));
    return Write(PngChunk("IHDR", ihdr.data(), ihdr.size()), error) &&
           Write(PngChunk("acTL", actl.data(), actl.size()), error);
}

bool ApngEncoder::WriteFrame(const PixelRect& area, int delay, std::string& error)
{
    const size_t stride = static_cast<size_t>(m_encoding.width) * m_bpp;
    const uint8_t* corner = m_current.data() + stride * area.y + static_cast<size_t>(area.x) * m_bpp;
    m_data.clear();
    if (!Compress(corner, stride, area, m_data, error))
        return false;
    ApngBlend blend = ApngBlend::Source;
    const bool whole = area.width == m_encoding.width && area.height == m_encoding.height;
    if (m_added > 0 && m_bpp == 4 && !whole &&
        ChangesOpaque(m_previous.data(), m_current.data(), m_encoding.width, area)) {
        const std::vector<uint8_t> over =
            ClearStillPixels(m_previous.data(), m_current.data(), m_encoding.width, area);
        m_alternative.clear();
        if (!Compress(over.data(), static_cast<size_t>(area.width) * 4, area, m_alternative,
                      error))
            return false;
        if (m_alternative.size() < m_data.size()) {
            m_data.swap(m_alternative);
            blend = ApngBlend::Over;
        }
    }
    ApngFrameControl control;
    control.width = static_cast<uint32_t>(area.width);
    control.height = static_cast<uint32_t>(area.height);
    control.x = static_cast<uint32_t>(area.x);
    control.y = static_cast<uint32_t>(area.y);
    control.delayNum = static_cast<uint16_t>(delay);  // hundredths: delay / 100 seconds
    control.delayDen = 100;
    control.dispose = ApngDispose::None;
    control.blend = blend;
    const auto fctl = FctlData(m_sequence++, control);
    if (!Write(PngChunk("fcTL", fctl.data(), fctl.size()), error))
        return false;
    for (size_t at = 0; at < m_data.size(); at += kDataPiece) {
        const size_t size = std::min(kDataPiece, m_data.size() - at);
        // The first frame is the file's own picture (IDAT); the others carry sequence numbers.
        const PngBytes chunk = m_added == 0 ? PngChunk("IDAT", m_data.data() + at, size)
                                            : FdatChunk(m_sequence++, m_data.data() + at, size);
        if (!Write(chunk, error))
            return false;
    }
    return true;
}

bool ApngEncoder::Compress(const uint8_t* pixels, size_t stride, const PixelRect& area,
                           PngBytes& out, std::string& error) const
{
    if (DeflatePngRows(pixels, stride, area.width, area.height, m_bpp, m_level, out))
        return true;
    error = "There was not enough memory to compress a frame.";
    return false;
}

bool ApngEncoder::Finish(std::string& error)
{
    if (!m_out || m_added != m_encoding.frameCount) {
        error = Text(wxString::Format("Only %d of the animation's %d frames came.", m_added,
                                      m_encoding.frameCount));
        return false;
    }
    return Write(PngChunk("IEND", nullptr, 0), error);
}

bool ApngEncoder::Write(const PngBytes& bytes, std::string& error)
{
    m_out->Write(bytes.data(), bytes.size());
    if (m_out->LastWrite() == bytes.size() && m_out->IsOk())
        return true;
    error = "The animation's bytes could not be written.";
    return false;
}
