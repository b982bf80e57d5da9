// The texts of the about box, kept apart from the dialog so that they can be checked (and
// translated) without one.
#pragma once

#include <wx/string.h>

// Product name and version, e.g. "Quorvantel GIF Zoruvede 2.0.31"; never translated.
wxString AboutVersionLine();
// The licence's identifier (SPDX), the same in every language.
constexpr const char* kLicenceId = "GPL-3.0-or-later";

// The rights notice for a build of that date (the compiler's "Mmm dd yyyy"), one line each:
// the translated prefix with the build's year and the maker ("Copyright (C) 2020
// Quorvantel"; the year is left out when the date has none), the licence, and that there is
// no warranty, both translated.
wxString RightsNotice(const wxString& buildDate);
