#include "core/export/save_rules.h"

wxString WithExtension(const wxString& path, const wxString& extension)
{
    return path.Lower().EndsWith(extension.Lower()) ? path : path + extension;
}

bool SaveCanBeSkipped(bool fileExists, const GifSaveSnapshot& last, const GifSaveSnapshot& now,
                      bool framesChangedSinceSave)
{
    return fileExists && last == now && !framesChangedSinceSave;
}
