// Whole files as bytes, for tests that check what was (or wasn't) written.
#pragma once

#include <string>

#include <wx/string.h>

// The file's bytes; empty when it can't be opened.
std::string FileBytes(const wxString& path);
// Replaces the file's content by "MARK", so a later write shows.
void MarkFile(const wxString& path);
