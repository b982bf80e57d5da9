// Byte counts as people read them.
#pragma once

#include <cstdint>

#include <wx/string.h>

// A length for reading, counted in powers of 1000 as file managers count: "850 kB",
// "2.4 MB", "12.8 GB" (one decimal below 100 MB and below 100 GB).
wxString FileLengthText(uint64_t bytes);
