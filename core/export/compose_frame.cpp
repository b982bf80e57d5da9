#include "core/export/compose_frame.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/base/trace.h"

namespace {

// Draws src onto the black RGB image dst with its top-left corner at origin, clipped to dst.
// Masked pixels stay black and alpha is blended over black, as drawing a bitmap with its mask
// onto a cleared canvas would.
void PasteOverBlack(wxImage& dst, const wxImage& src, const wxPoint& origin)
{
    const int dw = dst.GetWidth(), dh = dst.GetHeight();
    const int sw = src.GetWidth(), sh = src.GetHeight();
    const int x0 = std::max(0, origin.x), y0 = std::max(0, origin.y);
    const int x1 = std::min(dw, origin.x + sw), y1 = std::min(dh, origin.y + sh);
    if (x0 >= x1 || y0 >= y1)
        return;

    const bool masked = src.HasMask();
    const unsigned char mr = src.GetMaskRed(), mg = src.GetMaskGreen(), mb = src.GetMaskBlue();
    const unsigned char* alpha = src.HasAlpha() ? src.GetAlpha() : nullptr;
    const unsigned char* sdata = src.GetData();
    unsigned char* ddata = dst.GetData();
    const int n = x1 - x0;

    for (int y = y0; y < y1; ++y) {
        const size_t srow = static_cast<size_t>(y - origin.y) * sw + (x0 - origin.x);
        const unsigned char* s = sdata + 3 * srow;
        unsigned char* d = ddata + 3 * (static_cast<size_t>(y) * dw + x0);
        if (!masked && !alpha) {
            std::memcpy(d, s, 3 * static_cast<size_t>(n));
            continue;
        }
        const unsigned char* a = alpha ? alpha + srow : nullptr;
        for (int x = 0; x < n; ++x, s += 3, d += 3) {
            if (masked && s[0] == mr && s[1] == mg && s[2] == mb)
                continue;
            if (a) {
                const unsigned int k = a[x];
                d[0] = static_cast<unsigned char>((s[0] * k + 127) / 255);
                d[1] = static_cast<unsigned char>((s[1] * k + 127) / 255);
                d[2] = static_cast<unsigned char>((s[2] * k + 127) / 255);
            } else {
                d[0] = s[0];
                d[1] = s[1];
                d[2] = s[2];
            }
        }
    }
}

} // namespace

FramePlacement PlaceFrame(const wxSize& frame, const wxSize& canvas)
{
    FramePlacement p;
    const int64_t fw = frame.x, fh = frame.y, cw = canvas.x, ch = canvas.y;
    p.size = frame;
    if (fw > 0 && fh > 0 && (fw > cw || fh > ch)) {
        p.shrunk = true;
        // The scale is min(cw / fw, ch / fh); comparing the cross products decides which side
        // limits it without rounding, so that side gets the canvas size exactly.
        if (cw * fh <= ch * fw)
            p.size = wxSize(static_cast<int>(cw), static_cast<int>(std::max<int64_t>(1, fh * cw / fw)));
        else
            p.size = wxSize(static_cast<int>(std::max<int64_t>(1, fw * ch / fh)), static_cast<int>(ch));
    }
    p.origin = wxPoint((canvas.x - p.size.x) / 2, (canvas.y - p.size.y) / 2);
    return p;
}

wxImage ComposeFrame(const wxImage& frame, const wxSize& canvas, bool trace)
{
    const auto step = [trace](const char* line) {
        if (trace)
            Trace(line);
    };
    if (canvas.x <= 0 || canvas.y <= 0)
        return wxImage();
    wxImage out(canvas.x, canvas.y, true);
    const wxSize frameSize = frame.IsOk() ? frame.GetSize() : wxSize(0, 0);
    const FramePlacement place = PlaceFrame(frameSize, canvas);

    if (place.shrunk) {
        step("thumbnail-1");
        const wxImage scaled = frame.Scale(place.size.x, place.size.y, wxIMAGE_QUALITY_NORMAL);
        if (place.size != canvas) {
            step("thumbnail-2");
            PasteOverBlack(out, scaled, place.origin);
            step("Rescale");
        } else {
            // The scaled frame fills the canvas; its masked or transparent parts still go
            // over black, so that a mask colour never reaches the file as a visible colour.
            PasteOverBlack(out, scaled, wxPoint(0, 0));
        }
        return out;
    }

    step("thumbnail-3");
    if (frameSize.x > 0 && frameSize.y > 0)
        PasteOverBlack(out, frame, place.origin);
    step("image");
    step("m_bitmap");
    step("Rescale");
    return out;
}
