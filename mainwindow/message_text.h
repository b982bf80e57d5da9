// Pieces of the window's messages.
#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

#include <cstdint>

// An amount of memory as people read it: "850 MiB", "12.3 GiB".
wxString MemoryText(uint64_t bytes);

// Up to ten entries, one per line (each after a line break), then how many more there are.
wxString ListSome(const wxArrayString& entries);
