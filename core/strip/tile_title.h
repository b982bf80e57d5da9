// A tile's title shortened to the tile's width: the name loses characters from its middle,
// so that its beginning and its extension stay readable, and a video frame's moment is never
// cut ("My holid…ay.mp4 12.500s", not "My holiday.mp4 1").
#pragma once

#include <functional>

#include <wx/string.h>

#include "core/video/video_reference.h"

// The width of a text as drawn; the control measures in its font, tests count characters.
using TextMeasure = std::function<int(const wxString&)>;

// The title of parts that measures at most width, the name shortened in its middle with "…"
// as far as needed; the moment alone when even "…" and the moment are too wide.
wxString FitTitle(const FrameTitleParts& parts, int width, const TextMeasure& measure);
