#include "ui/dialogs/message_text.h"

#include <algorithm>

#include <wx/intl.h>

#include "core/gif/gif_geometry.h"
#include "core/export/gif_save_options.h"
#include "core/base/file_length_text.h"

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
