#include "include/window/label_font.h"

#include <algorithm>

#include <wx/window.h>

namespace {
const char* const kWidestLabels[] = {"#9999  9999.99sec*", "#9999  9999,99sec*"};
// Below this the digits no longer read; a tile that narrow cuts the label instead.
const double kSmallestPoints = 5.0;

int WidestLabel(const wxWindow& window, const wxFont& font)
{
    int widest = 0;
    for (const char* label : kWidestLabels) {
        int w = 0, h = 0;
        window.GetTextExtent(label, &w, &h, nullptr, nullptr, &font);
        widest = std::max(widest, w);
    }
    return widest;
}
}

wxFont FitLabelFont(const wxWindow& window, const wxFont& base, int width)
{
    wxFont font = base;
    for (double points = base.GetFractionalPointSize(); points >= kSmallestPoints;
         points -= 0.25) {
        font.SetFractionalPointSize(points);
        if (WidestLabel(window, font) <= width)
            return font;
    }
    font.SetFractionalPointSize(kSmallestPoints);
    return font;
}
