// Product constants: name, maker, version and the date of this build.
#pragma once

#include <wx/string.h>

wxString GetMakerName();
// The stored name joins words with "+"; every call turns them into blanks.
wxString GetProductName();
wxString GetProductVersion();
// The compiler's date of this build, e.g. "Apr  2 2020".
wxString GetBuildDate();
// The year of a date in the compiler's "Mmm dd yyyy" form; 0 when there is none.
int YearOfBuildDate(const wxString& buildDate);
