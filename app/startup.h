// The steps of start-up that tests repeat to build the real main window.
#pragma once

#include <wx/string.h>

class MainWindow;

// Loads every .xrc file of dir into the global XRC resource; a file that fails to load
// doesn't stop the others. Returns the number of files loaded.
int LoadThemes(const wxString& themesDir);
// Creates the main window, fills it from the XRC object "MainWindow" and initialises it.
// Null when the layout can't be loaded.
MainWindow* CreateMainWindow();
