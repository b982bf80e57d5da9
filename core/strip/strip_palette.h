// The colours the frame strip paints with, worked out from the desktop theme's colours on
// plain data: a light or a dark theme gives a light or a dark strip, and every text the strip
// draws keeps a contrast of at least 4.5:1 with what it is drawn on, adjusting the theme's
// colour where the theme itself falls short (white on a mid blue selection).
#pragma once

#include <wx/colour.h>

// The theme's colours the strip starts from (the toolkit's system colours).
struct ThemeColours {
    wxColour view;           // background of lists and views
    wxColour face;           // face of buttons and panels: the tiles
    wxColour faceText;       // text on the face
    wxColour shadow;         // a face's shadow: the tiles' edges
    wxColour highlight;      // background of a selection
    wxColour highlightText;  // text on a selection
};

struct StripPalette {
    wxColour background;
    wxColour tile;
    wxColour tileText;
    wxColour tileEdge;
    wxColour selection;        // a selected tile while the strip has the keyboard
    wxColour selectionText;
    wxColour idleSelection;    // a selected tile while it has not
    wxColour idleSelectionText;
    wxColour dropMarker;
};

// The least contrast of text with its background, as accessibility guidelines ask of body
// text.
constexpr double kTextContrast = 4.5;

// Relative luminance (0 black .. 1 white) of an sRGB colour.
double RelativeLuminance(const wxColour& colour);
// (L1 + 0.05) / (L2 + 0.05) with L1 the lighter of the two: 1 for equal colours, 21 for black
// on white.
double ContrastRatio(const wxColour& a, const wxColour& b);
// a, moved towards b by the share t (0: a, 1: b), channel by channel.
wxColour Mix(const wxColour& a, const wxColour& b, double t);

// A background for text that keeps background's hue: background itself when the contrast is
// met, otherwise moved towards black (light text) or white (dark text) just far enough.
wxColour BackgroundForText(const wxColour& background, const wxColour& text,
                           double ratio = kTextContrast);
// text when it reads on background; otherwise black or white, whichever reads better (one of
// them always reaches 4.5:1).
wxColour ReadableText(const wxColour& text, const wxColour& background,
                      double ratio = kTextContrast);

StripPalette MakeStripPalette(const ThemeColours& theme);
