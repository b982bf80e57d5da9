// The pieces of the crash report that need no window: the timestamp and the message that
// tells the user where the report is.
#pragma once

#include <wx/datetime.h>
#include <wx/string.h>

// The content of "timestamp.my": ISO date, one blank, ISO time ("2020-04-02 13:45:10").
wxString CrashTimestamp(const wxDateTime& when);
// message with every "%s" replaced by folder. A plain replacement, not a format call: a
// translation may name the folder several times, and a folder name holding "%" or "%s"
// stays as it is.
wxString FillCrashMessage(const wxString& message, const wxString& folder);
// The translated crash message naming folder.
wxString CrashMessage(const wxString& folder);
