// Arithmetic of the canvas and the preview, on plain numbers.
#pragma once

#include <wx/gdicmn.h>

// The height that keeps base's proportion for width w: w * baseH / baseW in 32-bit integers,
// truncated toward zero. A base without width (possible after opening a project) keeps the
// height at baseH instead of dividing by zero.
int HeightForWidth(int w, int baseWidth, int baseHeight);
// The width that keeps base's proportion for height h: (h * baseW) / baseH in floating
// point, truncated toward zero; baseW when the base has no height.
int WidthForHeight(int h, int baseWidth, int baseHeight);

// Where the preview draws a bitmap of size bitmap in a panel of size panel: unscaled when it
// fits both ways, otherwise shrunk by the smaller ratio; centred, and 30 pixels below the
// vertical centre. An empty size means nothing is drawn.
wxRect PreviewPlacement(const wxSize& panel, const wxSize& bitmap);
