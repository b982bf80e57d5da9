#include "app/paths.h"

#include <wx/app.h>
#include <wx/filefn.h>
#include <wx/log.h>
#include <wx/mimetype.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

#include "app/product.h"

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

wxString GetLanguageFilePath()
{
    return GetUserDataDir() + "/language.txt";
}

wxString GetThemesDir()
{
    return GetAppBaseDir() + "/Themes";
}

void OpenFolderInExplorer(const wxString& path)
{
    wxLaunchDefaultApplication(path);
}
