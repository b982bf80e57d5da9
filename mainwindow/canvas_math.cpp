#include "mainwindow/canvas_math.h"

#include <cstdint>

int HeightForWidth(int w, int baseWidth, int baseHeight)
{
    if (baseWidth == 0)
        return baseHeight;
    // The product wraps like the 32-bit arithmetic it stands for, without undefined behaviour.
    const auto product = static_cast<int32_t>(static_cast<uint32_t>(w) * static_cast<uint32_t>(baseHeight));
    return product / baseWidth;
}

int WidthForHeight(int h, int baseWidth, int baseHeight)
{
    if (baseHeight == 0)
        return baseWidth;
    const auto product = static_cast<int32_t>(static_cast<uint32_t>(h) * static_cast<uint32_t>(baseWidth));
    return static_cast<int>(static_cast<double>(product) / baseHeight);
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
    return wxRect((pw - nw) / 2, (ph - nh) / 2 + 30, nw, nh);
}
