// Arithmetic of the canvas and the preview, on plain numbers.
#pragma once

#include <wx/gdicmn.h>

#include "core/gif/gif_limits.h"

// A proportion edit of the canvas: the user typed w (or h) and the other side follows base's
// proportion, computed in 64 bits and truncated toward zero. Both sides of the result lie in
// 1..kGifMaxSide: when the derived side would be too large, the typed side is lowered until
// it fits, so the proportion still holds; a derived side below 1 becomes 1. A base without
// width or height has no proportion, and the other side keeps its current value.
wxSize CanvasForWidth(int w, const wxSize& base, int heightNow);
wxSize CanvasForHeight(int h, const wxSize& base, int widthNow);

// Where the preview draws a bitmap of size bitmap in a panel of size panel: unscaled when it
// fits both ways, otherwise shrunk by the smaller ratio; centred both ways (a frame that
// fills the panel's height loses none of its rows). An empty size means nothing is drawn.
wxRect PreviewPlacement(const wxSize& panel, const wxSize& bitmap);
