// A list of strings written in place, for comparing with what the code gives.
#pragma once

#include <initializer_list>

#include <wx/arrstr.h>

inline wxArrayString Strings(std::initializer_list<wxString> items)
{
    wxArrayString list;
    for (const wxString& item : items)
        list.Add(item);
    return list;
}
