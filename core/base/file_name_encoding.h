// File names are bytes; a wxString holds characters. Every path the program hands to the
// system goes through wxConvFileName (wxString::fn_str, or FileNameBytes below), and every
// name that comes from the system (argv, a link's text) comes back through it, so the bytes
// of a name survive the round trip even when they are no valid text in any encoding.
#pragma once

#include <string>

#include <wx/string.h>

// The encoding file names are in: the first entry of G_FILENAME_ENCODING unless it is
// "@locale" or empty; otherwise the locale's charset, except that an ASCII (C or POSIX)
// locale is taken as UTF-8 — the encoding the desktop writes names in.
wxString FileNameEncodingFor(const wxString& filenameEncodingVariable,
                             const wxString& localeCharset);

// Makes wxConvFileName the conversion for FileNameEncodingFor(environment, locale), one that
// keeps bytes invalid in UTF-8 as private-use characters (U+100000 + byte) and gives them
// back unchanged. The windowed application gets the same from the toolkit's start-up; a
// program with only the base library (the exporter, the unit tests) calls this once, after
// setlocale and before any thread starts.
void UseFileNameEncoding();

// Whether c is one of the private-use characters that stand for a byte of a file name which
// is no valid text (see UseFileNameEncoding).
bool IsFileNameByteCharacter(wxUniChar c);

// The bytes of name as the system takes them; empty when the encoding can't represent it.
std::string FileNameBytes(const wxString& name);
// The name that bytes (a file name from the system) stand for.
wxString FileNameFromBytes(const std::string& bytes);
