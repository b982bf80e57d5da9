#include "core/input/opened_paths.h"

#include <algorithm>
#include <vector>

#include <wx/arrstr.h>
#include <wx/dir.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>

namespace {
void AddFolderImages(const wxString& folder, const FolderReader& reader, OpenedPaths& sorted)
{
    wxArrayString files;
    if (!reader.ListFiles(folder, files)) {
        sorted.unreadableFolders.Add(folder);
        return;
    }
    // A folder also holds notes, projects and thumbnails of other programs; only pictures
    // are frames.
    std::vector<wxString> images;
    for (const wxString& file : files)
        if (HasImageExtension(file))
            images.push_back(file);
    if (images.empty()) {
        sorted.foldersWithoutImages.Add(folder);
        return;
    }
    std::sort(images.begin(), images.end(), [](const wxString& a, const wxString& b) {
        return CompareNaturally(wxFileNameFromPath(a), wxFileNameFromPath(b)) < 0;
    });
    for (const wxString& image : images)
        sorted.images.Add(image);
}
}

bool FolderReader::IsFolder(const wxString& path) const
{
    return wxDirExists(path);
}

bool FolderReader::ListFiles(const wxString& folder, wxArrayString& files) const
{
    // The reason goes to the user in the window's own words, not in a log box.
    wxLogNull noLog;
    wxDir dir(folder);
    if (!dir.IsOpened())
        return false;
    const wxString prefix = folder.EndsWith("/") ? folder : folder + "/";
    wxString name;
    for (bool more = dir.GetFirst(&name, wxEmptyString, wxDIR_FILES); more;
         more = dir.GetNext(&name))
        files.Add(prefix + name);
    return true;
}

OpenedPaths SortOpenedPaths(const wxArrayString& paths, const FolderReader& reader)
{
    OpenedPaths sorted;
    size_t projectAt = paths.size();
    for (size_t i = 0; i < paths.size() && projectAt == paths.size(); ++i)
        if (IsProjectPath(paths[i]) && !reader.IsFolder(paths[i]))
            projectAt = i;
    if (projectAt < paths.size()) {
        sorted.project = paths[projectAt];
        for (size_t i = 0; i < paths.size(); ++i)
            if (i != projectAt)
                sorted.leftOut.Add(paths[i]);
        return sorted;
    }
    for (const wxString& path : paths) {
        if (reader.IsFolder(path))
            AddFolderImages(path, reader, sorted);
        else
            sorted.images.Add(path);
    }
    return sorted;
}

bool IsProjectPath(const wxString& path)
{
    return wxFileName(path).GetExt().Lower() == "xml";
}

bool HasImageExtension(const wxString& path)
{
    static const char* const kExtensions[] = {"png", "jpg", "jpeg", "bmp", "gif"};
    const wxString extension = wxFileName(path).GetExt().Lower();
    return std::any_of(std::begin(kExtensions), std::end(kExtensions),
                       [&](const char* known) { return extension == known; });
}

int CompareNaturally(const wxString& a, const wxString& b)
{
    // The toolkit's natural order ignores case and reads digit runs as numbers; names it
    // calls equal ("frame02", "frame2") still need a fixed order.
    if (const int order = wxCmpNaturalGeneric(a, b))
        return order;
    return a.compare(b);
}
