#include "mainwindow/message_text.h"

#include <algorithm>

#include <wx/intl.h>

wxString MemoryText(uint64_t bytes)
{
    const double mib = bytes / (1024.0 * 1024.0);
    if (mib < 1024)
        return wxString::Format("%.0f MiB", mib);
    return wxString::Format("%.1f GiB", mib / 1024);
}

wxString ListSome(const wxArrayString& entries)
{
    const size_t shown = std::min<size_t>(entries.size(), 10);
    wxString list;
    for (size_t i = 0; i < shown; ++i)
        list << "\n" << entries[i];
    if (entries.size() > shown) {
        const int more = static_cast<int>(entries.size() - shown);
        list << "\n" << wxString::Format(wxPLURAL("and %d more", "and %d more", more), more);
    }
    return list;
}

wxString LoadProblemsText(const wxArrayString& unreadable, const wxArrayString& damaged)
{
    wxString text;
    if (!unreadable.empty()) {
        const int n = static_cast<int>(unreadable.size());
        text << wxString::Format(wxPLURAL("%d of the chosen files could not be read:",
                                          "%d of the chosen files could not be read:", n),
                                 n)
             << ListSome(unreadable);
    }
    if (!damaged.empty()) {
        if (!text.empty())
            text << "\n\n";
        const int n = static_cast<int>(damaged.size());
        text << wxString::Format(wxPLURAL("%d of the chosen files is damaged; what could be read "
                                          "of it was loaded:",
                                          "%d of the chosen files are damaged; what could be read "
                                          "of them was loaded:",
                                          n),
                                 n)
             << ListSome(damaged);
    }
    return text;
}
