#include "core/gif/gif_composer.h"

#include <algorithm>
#include <cstring>

#include "core/picture/rgba_image.h"

GifComposer::GifComposer(int width, int height)
    : m_width(width), m_height(height), m_rgba(static_cast<size_t>(width) * height * 4, 0)
{
}

void GifComposer::Dispose()
{
    const GifRect& r = m_clipped;
    const bool restores = m_control.disposal == GifDisposal::Background ||
                          m_control.disposal == GifDisposal::Previous;
    if (r.Empty() || !restores)
        return;
    const size_t rowBytes = static_cast<size_t>(r.width) * 4;
    for (int y = 0; y < r.height; ++y) {
        uint8_t* d = &m_rgba[(static_cast<size_t>(r.y + y) * m_width + r.x) * 4];
        if (m_control.disposal == GifDisposal::Background)
            std::memset(d, 0, rowBytes);
        else if (m_control.disposal == GifDisposal::Previous)
            std::memcpy(d, &m_saved[y * rowBytes], rowBytes);
    }
}

void GifComposer::BeginImage(const GifRect& frame, const GifGraphicControl& control,
                             std::vector<GifRgb> colours)
{
    Dispose();
    m_frame = frame;
    m_clipped = ClipToScreen(frame, m_width, m_height);
    m_control = control;
    m_colours = std::move(colours);
    m_saved.clear();
    if (control.disposal != GifDisposal::Previous || m_clipped.Empty())
        return;
    const size_t rowBytes = static_cast<size_t>(m_clipped.width) * 4;
    m_saved.resize(rowBytes * m_clipped.height);
    for (int y = 0; y < m_clipped.height; ++y)
        std::memcpy(&m_saved[y * rowBytes],
                    &m_rgba[(static_cast<size_t>(m_clipped.y + y) * m_width + m_clipped.x) * 4],
                    rowBytes);
}

void GifComposer::DrawRow(int row, const uint8_t* indices)
{
    const int y = m_frame.y + row;
    if (m_clipped.Empty() || y < m_clipped.y || y >= m_clipped.y + m_clipped.height)
        return;
    const int skip = m_clipped.x - m_frame.x;
    const int colours = static_cast<int>(m_colours.size());
    uint8_t* d = &m_rgba[(static_cast<size_t>(y) * m_width + m_clipped.x) * 4];
    for (int x = 0; x < m_clipped.width; ++x, d += 4) {
        const int index = indices[skip + x];
        if (index == m_control.transparentIndex)
            continue;
        const GifRgb c = index < colours ? m_colours[index] : GifRgb{0, 0, 0};
        d[0] = c.red;
        d[1] = c.green;
        d[2] = c.blue;
        d[3] = 255;
    }
}

wxImage GifComposer::ToImage() const
{
    return RgbaImage(m_rgba.data(), m_width, m_height);
}
