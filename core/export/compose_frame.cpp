#include "core/export/compose_frame.h"

#include <algorithm>
#include <cmath>
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

// Draws src onto dst, whose uncovered pixels show background, with src's top-left corner at
// origin, clipped to dst. Masked pixels leave the background; alpha blends over an opaque
// background and is kept over a transparent one.
void PasteOver(wxImage& dst, const wxImage& src, const wxPoint& origin, const Background& bg)
{
    const int dw = dst.GetWidth(), dh = dst.GetHeight();
    const int sw = src.GetWidth(), sh = src.GetHeight();
    const int x0 = std::max(0, origin.x), y0 = std::max(0, origin.y);
    const int x1 = std::min<int64_t>(dw, int64_t{origin.x} + sw);
    const int y1 = std::min<int64_t>(dh, int64_t{origin.y} + sh);
    if (x0 >= x1 || y0 >= y1)
        return;
    const bool masked = src.HasMask();
    const unsigned char mr = src.GetMaskRed(), mg = src.GetMaskGreen(), mb = src.GetMaskBlue();
    const unsigned char* alpha = src.HasAlpha() ? src.GetAlpha() : nullptr;
    unsigned char* dalpha = bg.transparent ? dst.GetAlpha() : nullptr;
    const unsigned char back[3] = {bg.red, bg.green, bg.blue};
    const int n = x1 - x0;
    for (int y = y0; y < y1; ++y) {
        const size_t srow = static_cast<size_t>(y - origin.y) * sw + (x0 - origin.x);
        const size_t drow = static_cast<size_t>(y) * dw + x0;
        const unsigned char* s = src.GetData() + 3 * srow;
        unsigned char* d = dst.GetData() + 3 * drow;
        const unsigned char* a = alpha ? alpha + srow : nullptr;
        unsigned char* da = dalpha ? dalpha + drow : nullptr;
        if (!masked && !a) {
            std::memcpy(d, s, 3 * static_cast<size_t>(n));
            if (da)
                std::memset(da, 255, static_cast<size_t>(n));
            continue;
        }
        for (int x = 0; x < n; ++x, s += 3, d += 3) {
            if (masked && s[0] == mr && s[1] == mg && s[2] == mb)
                continue;
            const unsigned int k = a ? a[x] : 255;
            if (da) {
                std::memcpy(d, s, 3);
                da[x] = static_cast<unsigned char>(k);
                continue;
            }
            for (int c = 0; c < 3; ++c)
                d[c] = static_cast<unsigned char>((s[c] * k + back[c] * (255 - k) + 127) / 255);
        }
    }
}

// An image of size filled with the background (alpha 0 everywhere when it is transparent).
wxImage BackgroundImage(const wxSize& size, const Background& bg)
{
    wxImage out(size.x, size.y, false);
    if (!out.IsOk())
        return out;
    if (bg.transparent) {
        std::memset(out.GetData(), 0, static_cast<size_t>(size.x) * size.y * 3);
        out.SetAlpha();
        std::memset(out.GetAlpha(), 0, static_cast<size_t>(size.x) * size.y);
    } else {
        out.SetRGB(wxRect(size), bg.red, bg.green, bg.blue);
    }
    return out;
}

// The rectangle of a frame of size frame that shows on target when placed by placement, its
// edges rounded outwards.
PixelRect VisiblePart(const wxSize& frame, const wxSize& target, const FramePlacement& placement)
{
    const int64_t pw = placement.size.x, ph = placement.size.y;
    const int64_t vx0 = std::max(0, -placement.origin.x);
    const int64_t vy0 = std::max(0, -placement.origin.y);
    const int64_t vx1 = std::min<int64_t>(pw, target.x - int64_t{placement.origin.x});
    const int64_t vy1 = std::min<int64_t>(ph, target.y - int64_t{placement.origin.y});
    if (vx1 <= vx0 || vy1 <= vy0)
        return PixelRect{};
    const int x0 = static_cast<int>(vx0 * frame.x / pw);
    const int y0 = static_cast<int>(vy0 * frame.y / ph);
    const int x1 = static_cast<int>(std::min<int64_t>(frame.x, (vx1 * frame.x + pw - 1) / pw));
    const int y1 = static_cast<int>(std::min<int64_t>(frame.y, (vy1 * frame.y + ph - 1) / ph));
    return PixelRect{x0, y0, x1 - x0, y1 - y0};
}

// frame placed on a new image of size target by placement, over the background.
wxImage PlaceOnto(const wxImage& frame, const wxSize& target, const FramePlacement& placement,
                  FitMode mode, const Background& bg)
{
    wxImage out = BackgroundImage(target, bg);
    if (!out.IsOk() || !frame.IsOk() || placement.size.x <= 0 || placement.size.y <= 0)
        return out;
    const wxImageResizeQuality quality =
        mode == FitMode::Shrink ? wxIMAGE_QUALITY_NORMAL : wxIMAGE_QUALITY_HIGH;
    if (placement.size == frame.GetSize()) {
        PasteOver(out, frame, placement.origin, bg);
        return out;
    }
    const PixelRect part = VisiblePart(frame.GetSize(), target, placement);
    if (part.Empty())
        return out;
    if (part.width == frame.GetWidth() && part.height == frame.GetHeight()) {
        PasteOver(out, frame.Scale(placement.size.x, placement.size.y, quality),
                  placement.origin, bg);
        return out;
    }
    // Only the part that shows is scaled: a thin frame filling a large canvas would otherwise
    // be enlarged far past it first.
    const int64_t pw = placement.size.x, ph = placement.size.y;
    const int64_t fw = frame.GetWidth(), fh = frame.GetHeight();
    const int left = static_cast<int>(placement.origin.x + part.x * pw / fw);
    const int top = static_cast<int>(placement.origin.y + part.y * ph / fh);
    const int right = static_cast<int>(placement.origin.x + (int64_t{part.x} + part.width) * pw / fw);
    const int bottom = static_cast<int>(placement.origin.y + (int64_t{part.y} + part.height) * ph / fh);
    const wxImage piece = frame.GetSubImage(wxRect(part.x, part.y, part.width, part.height));
    PasteOver(out, piece.Scale(std::max(1, right - left), std::max(1, bottom - top), quality),
              wxPoint(left, top), bg);
    return out;
}

} // namespace

wxImage Oriented(const wxImage& frame, const Orientation& orientation)
{
    if (orientation.Identity() || !frame.IsOk())
        return frame;
    wxImage out = orientation.mirrored ? frame.Mirror(true) : frame;
    switch (orientation.quarterTurns % 4) {
    case 1:
        return out.Rotate90(true);
    case 2:
        return out.Rotate180();
    case 3:
        return out.Rotate90(false);
    default:
        return out;
    }
}

wxImage ComposeEdited(const wxImage& frame, const wxSize& canvas, const CanvasEdit& edit,
                      bool trace)
{
    if (edit.Identity())
        return ComposeFrame(frame, canvas, trace);
    if (canvas.x <= 0 || canvas.y <= 0)
        return wxImage();
    const wxImage oriented = Oriented(frame, edit.orientation);
    const wxSize size = oriented.IsOk() ? oriented.GetSize() : wxSize(0, 0);
    if (!edit.Cropped())
        return PlaceOnto(oriented, canvas, PlaceFrameIn(size, canvas, edit.fit), edit.fit,
                         edit.background);
    // Fitted onto the canvas the crop was made on, only the kept rectangle is made.
    FramePlacement onBase = PlaceFrameIn(size, edit.cropBase, edit.fit);
    onBase.origin -= wxPoint(edit.crop.x, edit.crop.y);
    const wxSize cropSize(edit.crop.width, edit.crop.height);
    wxImage cropped = PlaceOnto(oriented, cropSize, onBase, edit.fit, edit.background);
    if (cropSize == canvas || !cropped.IsOk())
        return cropped;
    return PlaceOnto(cropped, canvas, PlaceFrameIn(cropSize, canvas, edit.fit), edit.fit,
                     edit.background);
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

wxImage ComposeEditedSmall(const wxImage& small, const wxSize& picture, const wxSize& canvas,
                           const CanvasEdit& edit)
{
    if (!small.IsOk() || picture.x <= 0 || picture.y <= 0)
        return small;
    const double k = static_cast<double>(small.GetWidth()) / picture.x;
    const auto scaled = [k](int v) { return static_cast<int>(std::lround(v * k)); };
    const auto side = [&](int v) { return std::max(1, scaled(v)); };
    CanvasEdit small_edit = edit;
    if (edit.Cropped()) {
        small_edit.cropBase = wxSize(side(edit.cropBase.x), side(edit.cropBase.y));
        PixelRect& r = small_edit.crop;
        r.width = std::min(side(edit.crop.width), small_edit.cropBase.x);
        r.height = std::min(side(edit.crop.height), small_edit.cropBase.y);
        r.x = std::clamp(scaled(edit.crop.x), 0, small_edit.cropBase.x - r.width);
        r.y = std::clamp(scaled(edit.crop.y), 0, small_edit.cropBase.y - r.height);
    }
    return ComposeEdited(small, wxSize(side(canvas.x), side(canvas.y)), small_edit, false);
}
