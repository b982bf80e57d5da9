// The font of a tile's label ("#n  t.ttsec"): the strip's own, made smaller where needed so
// that the widest label a strip can show fits in a tile's width.
#pragma once

#include <wx/font.h>

class wxWindow;

// The largest size (in quarter points, down to a legible floor) at which the widest labels,
// four-digit frame numbers and start times with either decimal separator and the mark of a
// frame with its own delay, measure at most width pixels in base's face on window.
wxFont FitLabelFont(const wxWindow& window, const wxFont& base, int width);
