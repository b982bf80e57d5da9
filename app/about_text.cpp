#include "app/about_text.h"

#include <wx/intl.h>

#include "app/product.h"

wxString AboutVersionLine()
{
    return wxString::Format("%s %s", GetProductName(), GetProductVersion());
}

wxString RightsNotice(const wxString& buildDate)
{
    wxString notice = _("Copyright (C)");
    if (const int year = YearOfBuildDate(buildDate))
        notice << " " << year;
    notice << " " << GetMakerName() << ". " << _("All rights reserved.");
    return notice;
}
