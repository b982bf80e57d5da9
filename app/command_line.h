// The files the windowed program is started with: `zoruvede FILE...`, as the desktop passes
// what the user opened with it.
#pragma once

#include <wx/arrstr.h>

class wxCmdLineParser;

// Adds the files, any number of them, to what parser accepts beside the toolkit's switches.
void AddFilesParameter(wxCmdLineParser& parser);
// The files of a parsed command line in the order given, each made absolute against the
// current folder: the frames keep their paths after the folder is changed, and a project
// saved later stores them whole.
wxArrayString FilesOfCommandLine(const wxCmdLineParser& parser);
