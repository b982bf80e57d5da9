#include "core/formats/apng_decoder.h"

#include <algorithm>
#include <cstring>

#include "core/base/readable_file.h"
#include "core/formats/apng_canvas.h"
#include "core/formats/png_frame_decode.h"

ApngDecoder::ApngDecoder() = default;
ApngDecoder::~ApngDecoder() = default;

bool ApngDecoder::Open(const wxString& path, wxString* reason)
{
    m_bytes.clear();
    m_file.reset();
    if (!CheckReadable(path, reason))
        return false;
    m_file = std::make_unique<FileByteReader>(path);
    if (!m_file->IsOpen()) {
        if (reason)
            *reason = "the file could not be opened";
        return false;
    }
    m_read = m_file->Reader();
    return Walk(m_file->Size(), reason);
}

bool ApngDecoder::Open(std::vector<uint8_t> bytes, wxString* reason)
{
    m_file.reset();
    m_bytes = std::move(bytes);
    const std::vector<uint8_t>* held = &m_bytes;
    m_read = [held](uint64_t offset, unsigned char* out, size_t count) {
        if (offset > held->size() || count > held->size() - offset)
            return false;
        std::memcpy(out, held->data() + offset, count);
        return true;
    };
    return Walk(m_bytes.size(), reason);
}

bool ApngDecoder::Walk(uint64_t size, wxString* reason)
{
    m_canvas.reset();
    m_composed = 0;
    m_error.clear();
    const bool ok = ReadApngLayout(m_read, size, m_layout, reason);
    m_damagedAt = Count();
    return ok;
}

wxSize ApngDecoder::CanvasSize() const
{
    return wxSize(static_cast<int>(m_layout.header.width),
                  static_cast<int>(m_layout.header.height));
}

int ApngDecoder::Delay(unsigned i) const
{
    if (i >= Count())
        return 0;
    const ApngFrameControl& control = m_layout.frames[i].control;
    return ApngDelayHundredths(control.delayNum, control.delayDen);
}

int ApngDecoder::LoopCount() const
{
    return static_cast<int>(std::min<uint32_t>(m_layout.plays, 0x7FFFFFFF));
}

bool ApngDecoder::DecodeNext()
{
    const ApngFrameLayout& frame = m_layout.frames[m_composed];
    if (!StandalonePng(m_layout, frame, m_read, m_png)) {
        m_error = wxString::Format("frame %u could not be read", m_composed + 1);
        return false;
    }
    wxString why;
    if (!DecodePngRgba(m_png, frame.control.width, frame.control.height, m_rgba, &why)) {
        m_error = wxString::Format("frame %u is damaged (%s)", m_composed + 1, why);
        return false;
    }
    m_canvas->Draw(frame.control, m_rgba.data());
    ++m_composed;
    return true;
}

bool ApngDecoder::Frame(unsigned i, wxImage& image)
{
    if (i >= Count())
        return false;
    if (i >= m_damagedAt) {
        m_error = wxString::Format("frame %u is damaged", m_damagedAt + 1);
        return false;
    }
    if (!m_canvas || i + 1 < m_composed) {
        const wxSize size = CanvasSize();
        m_canvas = std::make_unique<ApngCanvas>(size.x, size.y);
        m_composed = 0;
    }
    while (m_composed <= i)
        if (!DecodeNext()) {
            m_damagedAt = m_composed;
            m_canvas.reset();
            return false;
        }
    image = m_canvas->ToImage();
    return image.IsOk();
}
