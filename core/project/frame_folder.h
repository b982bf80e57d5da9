// The folder beside a project that holds the frames which have no file of their own (a
// recording's): "demo.xml" keeps them in "demo.frames/0001.png", "0002.png", ..., and names
// them in the project by that relative path, so the project and its folder move together.
// Entries of older projects are absolute paths and read unchanged.
#pragma once

#include <set>

#include <wx/string.h>

// The frames folder of the project at projectPath: its path without the ".xml" ending (any
// letter case) and with ".frames".
wxString FramesFolderOf(const wxString& projectPath);
// The file name of frame file number (1, 2, ...): four digits at least, "0001.png".
wxString FrameFileName(int number);
// Whether name (no folder) is one FrameFileName gives: only such files are ever removed.
bool IsFrameFileName(const wxString& name);
// Whether path names a file of our names (IsFrameFileName) directly inside folder.
bool IsFrameFileIn(const wxString& path, const wxString& folder);
// The entry a project at projectPath stores for path: relative ("demo.frames/0001.png") for a
// frame file in its frames folder (IsFrameFileIn), otherwise path as it is.
wxString ProjectEntryFor(const wxString& path, const wxString& projectPath);
// A stored entry as the project at projectPath means it: one of the form ProjectEntryFor
// gives ("X.frames/0001.png") lies in the project's folder; any other stays as it is.
wxString ResolveProjectEntry(const wxString& entry, const wxString& projectPath);

// Makes folder unless it is there; false with the system's reason.
bool MakeFramesFolder(const wxString& folder, wxString* reason);
// Removes the files of folder that have our names (IsFrameFileName) but are not among used,
// then the folder itself when that leaves it empty; quietly, as a file that stays does no harm.
void RemoveUnusedFrameFiles(const wxString& folder, const std::set<wxString>& used);
