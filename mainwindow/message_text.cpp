#include "mainwindow/message_text.h"

#include <algorithm>

#include <wx/intl.h>

wxString ListSome(const wxArrayString& entries)
{
    const size_t shown = std::min<size_t>(entries.size(), 10);
    wxString list;
    for (size_t i = 0; i < shown; ++i)
        list << "\n" << entries[i];
    if (entries.size() > shown)
        list << "\n" << wxString::Format(_("and %d more"), static_cast<int>(entries.size() - shown));
    return list;
}
