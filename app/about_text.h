// The texts of the about box, kept apart from the dialog so that they can be checked (and
// translated) without one.
#pragma once

#include <wx/string.h>

// Product name and version, e.g. "Quorvantel GIF Zoruvede 2.0.31"; never translated.
wxString AboutVersionLine();
// The rights notice for a build of that date (the compiler's "Mmm dd yyyy"): the translated
// prefix, the build's year, the maker and the translated suffix, e.g.
// "Copyright (C) 2020 Quorvantel. All rights reserved." The year is left out when the date
// has none.
wxString RightsNotice(const wxString& buildDate);
