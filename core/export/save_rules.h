// The rules of the Save command, on plain values.
#pragma once

#include <wx/string.h>

// path unchanged when it already ends with extension (".gif", ".xml") in any letter case,
// else with extension appended: a.GIF stays a.GIF, anim becomes anim.gif.
wxString WithExtension(const wxString& path, const wxString& extension);

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
