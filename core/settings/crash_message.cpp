#include "core/settings/crash_message.h"

#include <wx/intl.h>

wxString CrashTimestamp(const wxDateTime& when)
{
    return when.FormatISODate() + " " + when.FormatISOTime();
}

wxString FillCrashMessage(const wxString& message, const wxString& folder)
{
    wxString filled = message;
    filled.Replace("%s", folder, true);
    return filled;
}

wxString CrashMessage(const wxString& folder)
{
    return FillCrashMessage(_("Application have crashed due to some unknown reasons,\n"
                              "Please email the zip crashing report file that is generated in \n"
                              "%s\n to us."),
                            folder);
}
