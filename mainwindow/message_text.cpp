#include "mainwindow/message_text.h"

#include <algorithm>

#include <wx/intl.h>

#include "src/window/gif_geometry.h"
#include "src/window/gif_save_options.h"

wxString MemoryText(uint64_t bytes)
{
    // In the units file lengths are shown in, so that every amount the window names compares.
    return FileLengthText(bytes);
}

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

wxString LoadProblemsText(const wxArrayString& unreadable, const wxArrayString& damaged)
{
    wxString text;
    if (!unreadable.empty())
        text << wxString::Format(_("%d of the chosen files could not be read:"),
                                 static_cast<int>(unreadable.size()))
             << ListSome(unreadable);
    if (!damaged.empty()) {
        if (!text.empty())
            text << "\n\n";
        text << wxString::Format(_("%d of the chosen files are damaged; what could be read of "
                                   "them was loaded:"),
                                 static_cast<int>(damaged.size()))
             << ListSome(damaged);
    }
    return text;
}

wxString FramesLeftOutText(const wxArrayString& files)
{
    if (files.empty())
        return wxString();
    const int limit = static_cast<int>(kGifMaxFrames);
    return wxString::Format(wxPLURAL("This GIF file has more than %d frames; only its first %d "
                                     "were loaded:",
                                     "These GIF files have more than %d frames; only the first "
                                     "%d of each were loaded:",
                                     files.size()),
                            limit, limit) +
           ListSome(files);
}

wxString JoinParagraphs(const wxString& first, const wxString& second)
{
    if (first.empty() || second.empty())
        return first + second;
    return first + "\n\n" + second;
}
