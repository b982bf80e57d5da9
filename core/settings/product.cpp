#include "core/settings/product.h"

namespace {
const char kMakerName[] = "Quorvantel";
const char kProductName[] = "Quorvantel+GIF+Zoruvede";
const char kProductVersion[] = ZORUVEDE_VERSION;
}

wxString GetMakerName()
{
    return wxString(kMakerName, wxConvLibc);
}

wxString GetProductName()
{
    wxString name(kProductName, wxConvLibc);
    name.Replace("+", " ");
    return name;
}

wxString GetProductVersion()
{
    return wxString(kProductVersion, wxConvLibc);
}

wxString GetBuildDate()
{
    return wxString(__DATE__, wxConvLibc);
}

int YearOfBuildDate(const wxString& buildDate)
{
    long year = 0;
    if (buildDate.length() < 4 || !buildDate.Right(4).ToLong(&year))
        return 0;
    return static_cast<int>(year);
}
