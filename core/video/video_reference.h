// How a frame taken from a video is named where a picture's path would stand (in project
// files): the video's path, then "#t=" the moment in seconds with three decimals and "&w=" the
// width it was decoded at, e.g. "clip.mp4#t=12.500&w=640". Readers that know nothing of videos
// find no file of that name and skip the frame.
#pragma once

#include <optional>

#include <wx/string.h>

struct VideoFrameReference {
    wxString video;      // the video file's path
    long long millis = 0;  // the moment, in milliseconds from the video's beginning
    int width = 0;       // the width of the frame, in pixels
};

// The name for a frame: written the same in every locale (a dot before the decimals).
wxString FormatVideoReference(const VideoFrameReference& frame);

// The frame a name stands for; nothing when name has no well-formed "#t=S.sss&w=W" ending
// (a picture's path, which may hold a '#' of its own).
std::optional<VideoFrameReference> ParseVideoReference(const wxString& name);

// What a frame named name is called on its tile: a video frame as the video's file name and
// the moment ("clip.mp4" and "12.500s"), anything else as its file name alone.
struct FrameTitleParts {
    wxString name;
    wxString moment;  // empty for a picture
};
FrameTitleParts FrameTitleOf(const wxString& name);
// The parts in one line: "clip.mp4 12.500s".
wxString FrameTitle(const wxString& name);
