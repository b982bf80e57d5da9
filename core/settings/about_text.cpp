#include "core/settings/about_text.h"

#include <wx/intl.h>

#include "core/settings/product.h"

wxString AboutVersionLine()
{
    return wxString::Format("%s %s", GetProductName(), GetProductVersion());
}

wxString RightsNotice(const wxString& buildDate)
{
    wxString notice = _("Copyright (C)");
    if (const int year = YearOfBuildDate(buildDate))
        notice << " " << year;
    notice << " " << GetMakerName() << "\n"
           << wxString::Format(_("This program is free software: you can redistribute it and/or "
                                 "modify it under the terms of the GNU General Public License, "
                                 "version 3 or (at your option) any later version (%s)."),
                               kLicenceId)
           << "\n"
           << _("It comes with ABSOLUTELY NO WARRANTY, to the extent permitted by law.");
    return notice;
}
