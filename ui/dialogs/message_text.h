// Pieces of the window's messages.
#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

#include <cstdint>

// An amount of memory as the window shows lengths: "850 MB", "12.3 GB" (powers of 1000).
wxString MemoryText(uint64_t bytes);

// Up to ten entries, one per line (each after a line break), then how many more there are.
wxString ListSome(const wxArrayString& entries);

// The message after a load that kept frames: the entries that could not be read, then the
// files that are damaged and were loaded as far as they could be read (each "name: reason").
// Empty when there are neither.
wxString LoadProblemsText(const wxArrayString& unreadable, const wxArrayString& damaged);

// The message for GIF files whose frames past the limit were left out of a load: the limit
// and the files. Empty when there are none.
wxString FramesLeftOutText(const wxArrayString& files);

// first and second as paragraphs of one message; either may be empty.
wxString JoinParagraphs(const wxString& first, const wxString& second);
