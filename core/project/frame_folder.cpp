#include "core/project/frame_folder.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>

wxString FramesFolderOf(const wxString& projectPath)
{
    const bool xml = projectPath.Lower().EndsWith(".xml");
    return (xml ? projectPath.Left(projectPath.length() - 4) : projectPath) + ".frames";
}

wxString FrameFileName(int number)
{
    return wxString::Format("%04d.png", number);
}

bool IsFrameFileName(const wxString& name)
{
    if (!name.EndsWith(".png"))
        return false;
    const wxString digits = name.Left(name.length() - 4);
    if (digits.length() < 4)
        return false;
    for (const wxUniChar c : digits)
        if (c < '0' || c > '9')
            return false;
    return true;
}

bool IsFrameFileIn(const wxString& path, const wxString& folder)
{
    return !folder.empty() && path.length() > folder.length() + 1 && path.StartsWith(folder) &&
           path[folder.length()] == '/' && IsFrameFileName(path.Mid(folder.length() + 1));
}

wxString ProjectEntryFor(const wxString& path, const wxString& projectPath)
{
    const wxString folder = FramesFolderOf(projectPath);
    if (!IsFrameFileIn(path, folder))
        return path;
    return wxFileNameFromPath(folder) + path.Mid(folder.length());
}

wxString ResolveProjectEntry(const wxString& entry, const wxString& projectPath)
{
    // Only the form a save writes: any other name comes back as it was stored.
    const wxString folder = entry.BeforeFirst('/');
    const wxString name = entry.AfterFirst('/');
    if (!folder.EndsWith(".frames") || folder == ".frames" || !IsFrameFileName(name))
        return entry;
    const wxString projectFolder = wxPathOnly(projectPath);
    return (projectFolder.empty() ? wxString(".") : projectFolder) + "/" + entry;
}

bool MakeFramesFolder(const wxString& folder, wxString* reason)
{
    if (::mkdir(folder.fn_str(), 0777) == 0 || (errno == EEXIST && wxDirExists(folder)))
        return true;
    if (reason)
        *reason = errno == EEXIST ? _("a file of that name is in the way")
                                  : wxString::FromUTF8(std::strerror(errno));
    return false;
}

void RemoveUnusedFrameFiles(const wxString& folder, const std::set<wxString>& used)
{
    wxLogNull quiet;
    if (!wxDirExists(folder))
        return;
    wxArrayString paths;
    wxDir::GetAllFiles(folder, &paths, wxString(), wxDIR_FILES);  // this folder only
    for (const wxString& path : paths) {
        const wxString name = wxFileNameFromPath(path);
        if (IsFrameFileName(name) && !used.count(name))
            ::unlink(path.fn_str());
    }
    // Fails, as it should, while anything else is in it.
    ::rmdir(folder.fn_str());
}
