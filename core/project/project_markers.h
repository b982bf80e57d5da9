// The run markers of a project file's frame list. After each run of frames from one GIF the
// writer adds an entry that names no frame; readers of every version pass over it. Two rules
// have made them:
//   GifPath    the GIF's own path, after the run's last frame ("a.gif" after "a.gif_12");
//   Shortened  the run's last entry without its last two characters ("a.gif" after frames
//              0 to 9, "a.gif_" after 10 to 99, "a.gif_1" after 100 to 999), where a run is
//              every entry holding ".gif_" after its first character and the entries after
//              it that start with its marker; the files of older versions are so.
// Under both, a run that ends the list has its marker before its last frame, and a marker is
// never the last entry. A marker is recognised only where its rule puts it and in its form;
// any other entry is a frame, whatever it ends with.
#pragma once

#include <vector>

#include <wx/arrstr.h>

enum class ProjectMarkers { GifPath, Shortened };

// The path entries for frames, markers included, in file order.
wxArrayString ProjectPathEntries(const wxArrayString& frames,
                                 ProjectMarkers rule = ProjectMarkers::GifPath);
// For each of those entries, the index of the frame it names, or -1 for a marker.
std::vector<int> ProjectPathFrames(const wxArrayString& frames,
                                   ProjectMarkers rule = ProjectMarkers::GifPath);

// A file's entries told apart: the index of each entry that is a frame, in order, and the
// rule its markers follow.
struct ProjectFrameEntries {
    std::vector<size_t> frames;
    ProjectMarkers rule = ProjectMarkers::GifPath;
};

// The rule whose writer gives exactly these entries from the frames its reading leaves (when
// both do from different frames, Shortened unless its frames hold a ".gif" file's own path or
// a reference to a GIF not spelt ".gif", which older versions never wrote); for a list that
// neither writer made, an entry is a marker where either rule would put one.
ProjectFrameEntries FindProjectFrames(const wxArrayString& entries);
