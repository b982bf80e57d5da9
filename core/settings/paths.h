// Where the program's files live. The installation keeps bin/ beside Themes/, Language/
// and option.cfg; per-user settings live in a folder inside the user's documents.
#pragma once

#include <wx/string.h>

// The directory that holds bin/: the program path with "\" turned into "/", cut before
// its last "/" twice. Empty when a cut finds no "/".
wxString AppBaseDirFromProgramPath(const wxString& programPath);
// The base directory of the running program.
wxString GetAppBaseDir();
// The user's documents folder ("" when unknown), with "\" turned into "/".
wxString GetDocumentsFolder();
// documents + "/<maker> files/<product>", creating both levels (errors are ignored).
wxString UserDataDirIn(const wxString& documentsFolder);
// The per-user data directory, created on every call.
wxString GetUserDataDir();
wxString GetOptionFilePath();
// The user's configuration folder: xdgConfigHome (or home + "/.config" when that is empty)
// + "/<product>".
wxString ConfigDirIn(const wxString& xdgConfigHome, const wxString& home);
// The configuration folder of this user ($XDG_CONFIG_HOME), created on every call.
wxString GetConfigDir();
// The folder for files the program can make again, here the frames' cache file:
// $XDG_CACHE_HOME (when absolute) or ~/.cache, then the product's name. Not made here.
wxString CacheDirIn(const wxString& xdgCacheHome, const wxString& home);
wxString GetCacheDir();
// Moves a setting file from where an earlier version kept it, unless the new place already
// has one. True when it was moved.
bool MoveOldSetting(const wxString& oldPath, const wxString& newPath);
// language.txt in the configuration folder; one found at the old place is moved there first.
wxString GetLanguageFilePath();
wxString GetThemesDir();
// Shows the folder in the desktop's file manager.
void OpenFolderInExplorer(const wxString& path);
