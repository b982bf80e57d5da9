#include "ui/strip/label_font.h"

#include <algorithm>

#include <wx/window.h>

namespace {

const char* const kWidestLabels[] = {"#9999  9999.99sec*", "#9999  9999,99sec*"};
// Between the frame number and the start time, as the labels are written.
const char* const kLabelGap = "  ";

int Widest(const wxWindow& window, const wxFont& font, int lines)
{
    int widest = 0;
    for (const char* label : kWidestLabels)
        for (const wxString& line : LabelLines(label, lines)) {
            int w = 0, h = 0;
            window.GetTextExtent(line, &w, &h, nullptr, nullptr, &font);
            widest = std::max(widest, w);
        }
    return widest;
}

LabelLayout Layout(const wxWindow& window, const wxFont& font, int lines)
{
    LabelLayout layout;
    layout.font = font;
    layout.lines = lines;
    int w = 0, h = 0;
    window.GetTextExtent("X", &w, &h, nullptr, nullptr, &font);
    layout.lineHeight = h;
    layout.width = Widest(window, font, lines);
    return layout;
}

}  // namespace

double SmallTextPoints(const wxFont& desktopFont)
{
    return desktopFont.GetFractionalPointSize() / 1.2;
}

LabelLayout FitLabel(const wxWindow& window, const wxFont& base, double smallestPoints, int width)
{
    wxFont font = base;
    const double largest = std::max(base.GetFractionalPointSize(), smallestPoints);
    for (int lines = 1; lines <= 2; ++lines) {
        for (double points = largest; points > smallestPoints - 0.25; points -= 0.25) {
            font.SetFractionalPointSize(std::max(points, smallestPoints));
            if (Widest(window, font, lines) <= width)
                return Layout(window, font, lines);
        }
    }
    font.SetFractionalPointSize(smallestPoints);
    return Layout(window, font, 2);
}

std::vector<wxString> LabelLines(const wxString& label, int lines)
{
    const int gap = label.Find(kLabelGap);
    if (lines < 2 || gap == wxNOT_FOUND)
        return {label};
    return {label.Left(static_cast<size_t>(gap)),
            label.Mid(static_cast<size_t>(gap) + wxStrlen(kLabelGap))};
}
