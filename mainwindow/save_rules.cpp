#include "mainwindow/save_rules.h"

wxString EnsureGifExtension(const wxString& path)
{
    return path.EndsWith(".gif") ? path : path + ".gif";
}

bool SaveCanBeSkipped(bool fileExists, const GifSaveSnapshot& last, const GifSaveSnapshot& now,
                      bool framesChangedSinceSave)
{
    return fileExists && last == now && !framesChangedSinceSave;
}
