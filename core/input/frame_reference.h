// Frame reference names: "<path of a GIF>_<frame number>" names one frame of a GIF file in
// item names, project files and the loader's list, wherever a plain path could stand.
#pragma once

#include <wx/string.h>

// True when path is read as an animated GIF, frame by frame: it ends with ".gif" in any case
// (".GIF", ".Gif", ...). Other names load as a single picture of any known format.
bool IsGifPath(const wxString& path);

// name + "_" + frame, as a GIF frame's item is named.
wxString MakeFrameReferenceName(const wxString& gifPath, int frame);
// The frame number of a frame reference name: a name ending in ".gif_" (in any case, as
// IsGifPath reads GIF names) followed by one or more decimal digits, with something before
// the ".gif". -1 for any other name.
int GetGifFrameIndex(const wxString& name);
// The GIF path of a frame reference name; any other name unchanged.
wxString StripGifFrameSuffix(const wxString& name);
// The file a frame's name refers to, whatever its kind: a frame reference name's GIF, a video
// frame name's video (when no file bears the name itself, as the loaders read it), else the
// name as a path.
wxString FrameSourceFile(const wxString& name);
// The name a frame decoded from path (frame number frame) is kept under: a GIF's frames by
// their reference names, a picture of any other file by the file's path.
wxString FrameSourceName(const wxString& path, int frame);
