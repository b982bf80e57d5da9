// The files the windowed program is started with: `zoruvede FILE...`, as the desktop passes
// what the user opened with it.
#pragma once

#include <string>
#include <vector>

#include <wx/arrstr.h>

class wxCmdLineParser;

// Adds the files, any number of them, to what parser accepts beside the toolkit's switches.
void AddFilesParameter(wxCmdLineParser& parser);
// The files of a parsed command line in the order given, each made absolute against the
// current folder: the frames keep their paths after the folder is changed, and a project
// saved later stores them whole.
wxArrayString FilesOfCommandLine(const wxCmdLineParser& parser);

// The program's arguments decoded as file names (wxConvFileName, see UseFileNameEncoding), for
// the toolkit's entry: left to itself it decodes them by the locale the program starts in,
// which garbles every name outside ASCII under the C locale. Owns the strings Argv points to.
class FileNameArguments {
public:
    FileNameArguments(int argc, char** argv);
    FileNameArguments(const FileNameArguments&) = delete;
    FileNameArguments& operator=(const FileNameArguments&) = delete;

    wchar_t** Argv() { return m_pointers.data(); }

private:
    std::vector<std::wstring> m_arguments;
    std::vector<wchar_t*> m_pointers;
};
