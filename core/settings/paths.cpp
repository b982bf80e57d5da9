#include "core/settings/paths.h"

#include <wx/app.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/mimetype.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

#include "core/settings/product.h"

wxString AppBaseDirFromProgramPath(const wxString& programPath)
{
    wxString path = programPath;
    path.Replace("\\", "/");
    for (int level = 0; level < 2; ++level) {
        const int slash = path.Find('/', true);
        path = slash == wxNOT_FOUND ? wxString() : path.Left(slash);
    }
    return path;
}

wxString GetAppBaseDir()
{
    // On Linux the argument array often holds a bare name found through PATH; the
    // executable's real path is what locates the installation.
    wxString program = wxStandardPaths::Get().GetExecutablePath();
    // The headless exporter's application object is a console one, not a wxApp.
    wxAppConsole* app = wxAppConsole::GetInstance();
    if (program.empty() && app && app->argc > 0)
        program = app->argv[0];
    return AppBaseDirFromProgramPath(program);
}

wxString GetDocumentsFolder()
{
    wxString dir = wxStandardPaths::Get().GetDocumentsDir();
    dir.Replace("\\", "/");
    return dir;
}

namespace {
// Directory creation errors are ignored: a missing folder shows later as a file that
// can't be written, and the toolkit must not pop up its own message for it.
void MakeDirQuietly(const wxString& dir)
{
    if (wxDirExists(dir))
        return;
    wxLogNull noLog;
    wxMkdir(dir);
}
}

wxString UserDataDirIn(const wxString& documentsFolder)
{
    wxString dir = documentsFolder + "/" + GetMakerName() + " files";
    MakeDirQuietly(dir);
    dir += "/" + GetProductName();
    MakeDirQuietly(dir);
    return dir;
}

wxString GetUserDataDir()
{
    return UserDataDirIn(GetDocumentsFolder());
}

wxString GetOptionFilePath()
{
    return GetAppBaseDir() + "/option.cfg";
}

wxString ConfigDirIn(const wxString& xdgConfigHome, const wxString& home)
{
    const wxString base = xdgConfigHome.empty() ? home + "/.config" : xdgConfigHome;
    return base + "/" + GetProductName();
}

wxString CacheDirIn(const wxString& xdgCacheHome, const wxString& home)
{
    const wxString base = xdgCacheHome.StartsWith("/") ? xdgCacheHome : home + "/.cache";
    return base + "/" + GetProductName();
}

wxString GetCacheDir()
{
    wxString xdg;
    wxGetEnv("XDG_CACHE_HOME", &xdg);
    return CacheDirIn(xdg, wxFileName::GetHomeDir());
}

wxString GetConfigDir()
{
    wxString xdg;
    wxGetEnv("XDG_CONFIG_HOME", &xdg);
    const wxString dir = ConfigDirIn(xdg, wxFileName::GetHomeDir());
    wxLogNull noLog;
    wxFileName::Mkdir(dir, 0700, wxPATH_MKDIR_FULL);
    return dir;
}

bool MoveOldSetting(const wxString& oldPath, const wxString& newPath)
{
    if (wxFileExists(newPath) || !wxFileExists(oldPath))
        return false;
    wxLogNull noLog;
    // A rename, or where the two are on different file systems a copy and a removal.
    if (wxRenameFile(oldPath, newPath, false))
        return true;
    return wxCopyFile(oldPath, newPath, false) && wxRemoveFile(oldPath);
}

wxString GetLanguageFilePath()
{
    const wxString path = GetConfigDir() + "/language.txt";
    // Earlier versions kept it in a folder of their own inside the documents folder; it is
    // read from there once, by moving it. The old folder is not created to look.
    static bool looked = false;
    if (!looked) {
        looked = true;
        MoveOldSetting(GetDocumentsFolder() + "/" + GetMakerName() + " files/" + GetProductName() +
                           "/language.txt",
                       path);
    }
    return path;
}

wxString GetThemesDir()
{
    return GetAppBaseDir() + "/Themes";
}

void OpenFolderInExplorer(const wxString& path)
{
    wxLaunchDefaultApplication(path);
}
