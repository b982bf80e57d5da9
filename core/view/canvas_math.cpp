#include "core/view/canvas_math.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {
int ClampSide(int64_t side)
{
    return static_cast<int>(std::clamp<int64_t>(side, 1, kGifMaxSide));
}

// The edited side e and the other side o = e * baseOther / baseEdited, both in range.
std::pair<int, int> KeepProportion(int edited, int baseEdited, int baseOther, int otherNow)
{
    int64_t e = ClampSide(edited);
    if (baseEdited <= 0 || baseOther <= 0)
        return {static_cast<int>(e), ClampSide(otherNow)};
    int64_t o = e * baseOther / baseEdited;
    if (o > kGifMaxSide) {
        // The largest e whose o still fits: e * baseOther < (max + 1) * baseEdited.
        e = ClampSide(((int64_t{kGifMaxSide} + 1) * baseEdited - 1) / baseOther);
        o = e * baseOther / baseEdited;
    }
    return {static_cast<int>(e), ClampSide(o)};
}
}

wxSize CanvasForWidth(int w, const wxSize& base, int heightNow)
{
    const auto [width, height] = KeepProportion(w, base.GetWidth(), base.GetHeight(), heightNow);
    return wxSize(width, height);
}

wxSize CanvasForHeight(int h, const wxSize& base, int widthNow)
{
    const auto [height, width] = KeepProportion(h, base.GetHeight(), base.GetWidth(), widthNow);
    return wxSize(width, height);
}

wxRect PreviewPlacement(const wxSize& panel, const wxSize& bitmap)
{
    const int bw = bitmap.GetWidth(), bh = bitmap.GetHeight();
    const int pw = panel.GetWidth(), ph = panel.GetHeight();
    if (bw <= 0 || bh <= 0)
        return wxRect();
    const double sx = static_cast<double>(pw) / bw;
    const double sy = static_cast<double>(ph) / bh;
    int nw = bw, nh = bh;
    if (sx < 1 || sy < 1) {
        const double s = sx < sy ? sx : sy;
        nw = static_cast<int>(bw * s);
        nh = static_cast<int>(bh * s);
    }
    return wxRect((pw - nw) / 2, (ph - nh) / 2, nw, nh);
}
