#include "core/video/video_reference.h"

#include <wx/filefn.h>

#include "core/gif/gif_limits.h"

namespace {

// Digits only, as a number of at most 12 digits; -1 for anything else.
long long Digits(const wxString& text)
{
    if (text.empty() || text.length() > 12)
        return -1;
    long long value = 0;
    for (wxUniChar c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c.GetValue() - '0');
    }
    return value;
}

} // namespace

wxString FormatVideoReference(const VideoFrameReference& frame)
{
    return wxString::Format("%s#t=%lld.%03lld&w=%d", frame.video, frame.millis / 1000,
                            frame.millis % 1000, frame.width);
}

std::optional<VideoFrameReference> ParseVideoReference(const wxString& name)
{
    const int hash = name.Find('#', true);
    if (hash <= 0)
        return std::nullopt;
    const wxString tail = name.Mid(static_cast<size_t>(hash) + 1);
    if (!tail.StartsWith("t="))
        return std::nullopt;
    const int amp = tail.Find("&w=");
    const int dot = tail.Find('.');
    if (amp == wxNOT_FOUND || dot == wxNOT_FOUND || dot > amp || amp - dot != 4)
        return std::nullopt;
    const long long seconds = Digits(tail.Mid(2, static_cast<size_t>(dot) - 2));
    const long long millis = Digits(tail.Mid(static_cast<size_t>(dot) + 1, 3));
    const long long width = Digits(tail.Mid(static_cast<size_t>(amp) + 3));
    if (seconds < 0 || millis < 0 || width <= 0 || width > kGifMaxSide)
        return std::nullopt;
    VideoFrameReference frame;
    frame.video = name.Left(static_cast<size_t>(hash));
    frame.millis = seconds * 1000 + millis;
    frame.width = static_cast<int>(width);
    return frame;
}

FrameTitleParts FrameTitleOf(const wxString& name)
{
    if (const auto video = ParseVideoReference(name))
        return {wxFileNameFromPath(video->video),
                wxString::Format("%lld.%03llds", video->millis / 1000, video->millis % 1000)};
    return {wxFileNameFromPath(name), wxString()};
}

wxString FrameTitle(const wxString& name)
{
    const FrameTitleParts parts = FrameTitleOf(name);
    return parts.moment.empty() ? parts.name : parts.name + " " + parts.moment;
}
