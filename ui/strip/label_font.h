// How a tile's label ("#n  t.ttsec") is set: the strip's own font, made smaller where needed
// but never below the desktop's small text, on one line or, where that would not fit, with
// the start time on a second line; a tile too narrow even for that grows to the label.
#pragma once

#include <vector>

#include <wx/font.h>
#include <wx/string.h>

class wxWindow;

struct LabelLayout {
    wxFont font;
    int lines = 1;       // 1: "#n  t.ttsec"; 2: "#n" above "t.ttsec"
    int lineHeight = 0;  // of one line, in pixels
    int width = 0;       // of the widest label a strip can show, in pixels
};

// The desktop's small text: a step of 1/1.2 below its normal text (8 1/3 points at 10), as
// the toolkit's own "small" size.
double SmallTextPoints(const wxFont& desktopFont);

// The largest size from base's down to smallestPoints (in quarter points) at which the widest
// labels, four-digit frame numbers and start times with either decimal separator and the mark
// of a frame with its own delay, measure at most width pixels on window: on one line if
// possible, else on two. When nothing fits, two lines at smallestPoints, wider than width.
LabelLayout FitLabel(const wxWindow& window, const wxFont& base, double smallestPoints,
                     int width);

// The lines of label as a layout of lines lines draws them.
std::vector<wxString> LabelLines(const wxString& label, int lines);
