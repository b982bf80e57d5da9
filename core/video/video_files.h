// Which files are taken as video clips: by their extension, as the file dialogs offer them.
#pragma once

#include <wx/string.h>

// Whether path names a video clip (mp4, webm, mkv, mov, avi, ogv, m4v and the like), by its
// extension in any case.
bool IsVideoPath(const wxString& path);

// The extensions as a file dialog pattern: "*.mp4;*.MP4;*.webm;..." (GTK's patterns are
// case-sensitive, so both cases are listed).
wxString VideoFilePattern();
