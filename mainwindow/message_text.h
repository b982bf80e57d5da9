// Pieces of the window's messages.
#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

// Up to ten entries, one per line (each after a line break), then how many more there are.
wxString ListSome(const wxArrayString& entries);
