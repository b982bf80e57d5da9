#include "core/formats/apng_canvas.h"

#include <cstring>

#include "core/picture/rgba_image.h"

ApngCanvas::ApngCanvas(int width, int height)
    : m_width(width), m_height(height), m_rgba(static_cast<size_t>(width) * height * 4, 0)
{
}

void BlendOver(const uint8_t* src, uint8_t* dst)
{
    const uint32_t sa = src[3];
    if (sa == 255) {
        std::memcpy(dst, src, 4);
        return;
    }
    if (sa == 0)
        return;
    // Alpha and colours in 255ths of 255ths: a = sa + da * (1 - sa), c = (sc * sa +
    // dc * da * (1 - sa)) / a.
    const uint32_t da = dst[3];
    const uint32_t srcWeight = sa * 255;
    const uint32_t dstWeight = da * (255 - sa);
    const uint32_t alpha = srcWeight + dstWeight;
    for (int c = 0; c < 3; ++c)
        dst[c] = static_cast<uint8_t>((src[c] * srcWeight + dst[c] * dstWeight + alpha / 2) / alpha);
    dst[3] = static_cast<uint8_t>((alpha + 127) / 255);
}

void ApngCanvas::Dispose()
{
    const size_t rowBytes = size_t{m_last.width} * 4;
    for (uint32_t row = 0; row < m_last.height; ++row) {
        uint8_t* line = &m_rgba[((size_t{m_last.y} + row) * m_width + m_last.x) * 4];
        if (m_last.dispose == ApngDispose::Background)
            std::memset(line, 0, rowBytes);
        else if (m_last.dispose == ApngDispose::Previous)
            std::memcpy(line, &m_under[row * rowBytes], rowBytes);
    }
}

void ApngCanvas::Draw(const ApngFrameControl& control, const uint8_t* rgba)
{
    if (m_drawn)
        Dispose();
    m_last = control;
    if (!m_drawn && m_last.dispose == ApngDispose::Previous)
        m_last.dispose = ApngDispose::Background;
    m_drawn = true;
    const size_t rowBytes = size_t{control.width} * 4;
    if (m_last.dispose == ApngDispose::Previous)
        m_under.resize(rowBytes * control.height);
    for (uint32_t row = 0; row < control.height; ++row) {
        uint8_t* line = &m_rgba[((size_t{control.y} + row) * m_width + control.x) * 4];
        const uint8_t* from = rgba + row * rowBytes;
        if (m_last.dispose == ApngDispose::Previous)
            std::memcpy(&m_under[row * rowBytes], line, rowBytes);
        if (control.blend == ApngBlend::Source) {
            std::memcpy(line, from, rowBytes);
            continue;
        }
        for (uint32_t x = 0; x < control.width; ++x)
            BlendOver(from + x * 4, line + x * 4);
    }
}

wxImage ApngCanvas::ToImage() const
{
    return RgbaImage(m_rgba.data(), m_width, m_height);
}
