#include "core/gif/gif_frame_reader.h"

#include "core/gif/gif_composer.h"
#include "core/gif/gif_record_reader.h"
#include "core/base/readable_file.h"

GifFrameReader::GifFrameReader() = default;
GifFrameReader::~GifFrameReader() = default;

bool GifFrameReader::Open(const wxString& path, wxString* reason)
{
    m_delays.clear();
    m_damage.clear();
    m_framesLeftOut = false;
    m_records.reset();
    m_composer.reset();
    if (!CheckReadable(path, reason))
        return false;
    GifRecordReader walk;
    if (!walk.Open(path, reason))
        return false;
    GifImageHeader header;
    wxString damage;
    while (walk.NextImage(header, &damage) && walk.SkipPixels(&damage))
        m_delays.push_back(static_cast<uint16_t>(header.control.delay));
    if (m_delays.empty()) {
        if (reason)
            *reason = damage.empty() ? wxString("the GIF holds no frame") : damage;
        return false;
    }
    m_damage = damage;
    m_framesLeftOut = walk.ReachedFrameLimit();
    m_path = path;
    m_screen = wxSize(walk.ScreenWidth(), walk.ScreenHeight());
    m_damagedAt = Count();
    return true;
}

bool GifFrameReader::Restart()
{
    m_composer.reset();
    m_composed = 0;
    m_records = std::make_unique<GifRecordReader>();
    if (!m_records->Open(m_path, &m_error)) {
        m_records.reset();
        return false;
    }
    m_composer = std::make_unique<GifComposer>(m_records->ScreenWidth(), m_records->ScreenHeight());
    return true;
}

bool GifFrameReader::DecodeNext()
{
    GifImageHeader header;
    if (!m_records->NextImage(header, &m_error)) {
        if (m_error.empty())
            m_error = wxString::Format("frame %u is missing", m_composed + 1);
        return false;
    }
    const GifRect frame = header.frame;
    m_composer->BeginImage(frame, header.control, std::move(header.colours));
    // An image wholly off the screen changes nothing; its data is only stepped over.
    if (ClipToScreen(frame, m_composer->Width(), m_composer->Height()).Empty()) {
        if (!m_records->SkipPixels(&m_error))
            return false;
    } else {
        m_row.resize(static_cast<size_t>(frame.width));
        for (int stored = 0; stored < frame.height; ++stored) {
            if (!m_records->ReadRow(m_row.data(), &m_error))
                return false;
            m_composer->DrawRow(header.interlaced ? InterlacedRow(stored, frame.height) : stored,
                                m_row.data());
        }
    }
    ++m_composed;
    return true;
}

bool GifFrameReader::Frame(unsigned i, wxImage& image)
{
    if (i >= Count())
        return false;
    if (i >= m_damagedAt) {
        m_error = wxString::Format("frame %u is damaged", m_damagedAt + 1);
        return false;
    }
    if ((!m_records || i + 1 < m_composed) && !Restart())
        return false;
    while (m_composed <= i)
        if (!DecodeNext()) {
            m_damagedAt = m_composed;
            m_records.reset();
            return false;
        }
    image = m_composer->ToImage();
    return image.IsOk();
}
