// Where files dropped on the frame strip go, on plain numbers like the grid itself.
#pragma once

#include <wx/gdicmn.h>

#include "core/strip/thumbnail_grid.h"

// The index the dropped frames take for a drop at a logical (unscrolled) point of a strip of
// count tiles laid out for clientWidth. Over a tile, its left half puts them before it and
// its right half after it, as a text cursor would fall between letters; so does the spacing
// beside it and the blank end of its row. Below the last row (or in an empty strip) they go
// to the end.
int DropIndex(const ThumbnailGrid& grid, const wxPoint& logical, int count, int clientWidth);
