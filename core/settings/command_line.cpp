#include "core/settings/command_line.h"

#include <wx/cmdline.h>
#include <wx/filename.h>
#include <wx/intl.h>

#include "core/base/file_name_encoding.h"

void AddFilesParameter(wxCmdLineParser& parser)
{
    parser.AddParam(_("images, folders of images or a project file"), wxCMD_LINE_VAL_STRING,
                    wxCMD_LINE_PARAM_OPTIONAL | wxCMD_LINE_PARAM_MULTIPLE);
}

wxArrayString FilesOfCommandLine(const wxCmdLineParser& parser)
{
    wxArrayString files;
    for (size_t i = 0; i < parser.GetParamCount(); ++i) {
        wxFileName file(parser.GetParam(i));
        file.MakeAbsolute();
        files.Add(file.GetFullPath());
    }
    return files;
}

FileNameArguments::FileNameArguments(int argc, char** argv)
{
    for (int i = 0; i < argc; ++i) {
        const std::string bytes = argv[i];
        wxString argument = FileNameFromBytes(bytes);
        // An encoding that can't take the bytes: they are taken as UTF-8, as the desktop
        // writes names.
        if (argument.empty() && !bytes.empty())
            argument = wxString::FromUTF8(bytes.c_str());
        m_arguments.push_back(argument.ToStdWstring());
    }
    for (std::wstring& argument : m_arguments)
        m_pointers.push_back(&argument[0]);
    m_pointers.push_back(nullptr);
}
