// Whether a file may be read at all, asked before anything opens it for its content.
#pragma once

#include <wx/string.h>

// Fails with a reason (the system's message, e.g. "No such file or directory") when path
// can't be opened for reading or is not a regular file (a folder, a pipe, a device). Never
// blocks, not even on a named pipe without a writer.
bool CheckReadable(const wxString& path, wxString* reason);
