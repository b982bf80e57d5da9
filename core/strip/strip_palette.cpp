#include "core/strip/strip_palette.h"

#include <algorithm>
#include <cmath>

namespace {

double Linear(unsigned char channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

unsigned char Channel(double from, double to, double t)
{
    return static_cast<unsigned char>(std::lround(from + (to - from) * t));
}

}  // namespace

double RelativeLuminance(const wxColour& colour)
{
    return 0.2126 * Linear(colour.Red()) + 0.7152 * Linear(colour.Green()) +
           0.0722 * Linear(colour.Blue());
}

double ContrastRatio(const wxColour& a, const wxColour& b)
{
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

wxColour Mix(const wxColour& a, const wxColour& b, double t)
{
    return wxColour(Channel(a.Red(), b.Red(), t), Channel(a.Green(), b.Green(), t),
                    Channel(a.Blue(), b.Blue(), t));
}

wxColour BackgroundForText(const wxColour& background, const wxColour& text, double ratio)
{
    if (ContrastRatio(background, text) >= ratio)
        return background;
    // Away from the text's lightness; the contrast grows steadily on the way, so the first
    // step that meets it is the smallest change. Steps of 1/64 stay within a few levels of
    // the least change needed.
    const wxColour goal =
        ContrastRatio(*wxBLACK, text) >= ContrastRatio(*wxWHITE, text) ? *wxBLACK : *wxWHITE;
    for (int step = 1; step <= 64; ++step) {
        const wxColour moved = Mix(background, goal, step / 64.0);
        if (ContrastRatio(moved, text) >= ratio)
            return moved;
    }
    return goal;
}

wxColour ReadableText(const wxColour& text, const wxColour& background, double ratio)
{
    if (ContrastRatio(text, background) >= ratio)
        return text;
    return ContrastRatio(*wxBLACK, background) >= ContrastRatio(*wxWHITE, background) ? *wxBLACK
                                                                                     : *wxWHITE;
}

StripPalette MakeStripPalette(const ThemeColours& theme)
{
    StripPalette p;
    p.background = theme.view;
    p.tile = theme.face;
    p.tileText = ReadableText(theme.faceText, p.tile);
    p.tileEdge = theme.shadow;
    // The theme's selection and its text, the selection darkened or lightened where the pair
    // falls short; a text colour that can't make it on any shade of the selection (mid grey)
    // gives way to black or white.
    p.selection = BackgroundForText(theme.highlight, theme.highlightText);
    p.selectionText = ReadableText(theme.highlightText, p.selection);
    // Without the keyboard the selection is half way to the tile, as lists show it.
    p.idleSelection = Mix(theme.highlight, theme.face, 0.5);
    p.idleSelectionText = ReadableText(p.tileText, p.idleSelection);
    p.dropMarker = theme.highlight;
    return p;
}
