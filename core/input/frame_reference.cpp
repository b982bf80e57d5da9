#include "core/input/frame_reference.h"

#include "core/video/video_reference.h"

#include <wx/filefn.h>

#include <climits>

namespace {
// Position of the "_" before the frame number, or wxNOT_FOUND when name is a plain path.
// Every digit after ".gif_" belongs to the number, so frames past 999 and folders such as
// "x.gif_old/a.png" are read correctly.
int FrameSeparator(const wxString& name, long* frame)
{
    size_t digitsStart = name.length();
    while (digitsStart > 0 && wxIsdigit(name[digitsStart - 1]))
        --digitsStart;
    if (digitsStart == name.length() || digitsStart < 6)
        return wxNOT_FOUND;
    const size_t separator = digitsStart - 1;
    if (name.Mid(separator - 4, 5).Lower() != ".gif_")
        return wxNOT_FOUND;
    long number = 0;
    if (!name.Mid(digitsStart).ToLong(&number) || number > INT_MAX)
        return wxNOT_FOUND;
    *frame = number;
    return static_cast<int>(separator);
}
}

wxString MakeFrameReferenceName(const wxString& gifPath, int frame)
{
    return gifPath + wxString::Format("_%d", frame);
}

int GetGifFrameIndex(const wxString& name)
{
    long frame = -1;
    return FrameSeparator(name, &frame) == wxNOT_FOUND ? -1 : static_cast<int>(frame);
}

wxString StripGifFrameSuffix(const wxString& name)
{
    long frame = 0;
    const int separator = FrameSeparator(name, &frame);
    return separator == wxNOT_FOUND ? name : name.Left(separator);
}

wxString FrameSourceName(const wxString& path, int frame)
{
    return IsGifPath(path) ? MakeFrameReferenceName(path, frame) : path;
}

wxString FrameSourceFile(const wxString& name)
{
    if (GetGifFrameIndex(name) >= 0)
        return StripGifFrameSuffix(name);
    if (!wxFileExists(name))
        if (const auto video = ParseVideoReference(name))
            return video->video;
    return name;
}

bool IsGifPath(const wxString& path)
{
    return path.Lower().EndsWith(".gif");
}
