// The rules of the Save command, on plain values.
#pragma once

#include <wx/string.h>

// path unchanged when it ends with ".gif" (exactly so), else with ".gif" appended: a.GIF
// becomes a.GIF.gif.
wxString EnsureGifExtension(const wxString& path);

// What Save records about the export it started.
struct GifSaveSnapshot {
    int count = 0;
    int delay = 0;
    int width = 0;
    int height = 0;

    bool operator==(const GifSaveSnapshot& o) const
    {
        return count == o.count && delay == o.delay && width == o.width && height == o.height;
    }
};

// Save writes nothing only when the file is there and nothing changed since the last export:
// neither the four recorded values nor the frame list itself (a reordered or replaced frame
// keeps the count but changes the animation).
bool SaveCanBeSkipped(bool fileExists, const GifSaveSnapshot& last, const GifSaveSnapshot& now,
                      bool framesChangedSinceSave);
