#include "core/video/video_files.h"

#include <wx/filename.h>

namespace {
const char* const kVideoExtensions[] = {"mp4", "m4v", "mov", "webm", "mkv", "avi", "ogv",
                                        "mpg", "mpeg", "3gp", "wmv", "flv", "ts", "mts"};
}

bool IsVideoPath(const wxString& path)
{
    const wxString extension = wxFileName(path).GetExt().Lower();
    for (const char* known : kVideoExtensions)
        if (extension == known)
            return true;
    return false;
}

wxString VideoFilePattern()
{
    wxString pattern;
    for (const char* known : kVideoExtensions) {
        const wxString lower(known);
        if (!pattern.empty())
            pattern += ";";
        pattern += "*." + lower + ";*." + lower.Upper();
    }
    return pattern;
}
