#include "app/command_line.h"

#include <wx/cmdline.h>
#include <wx/filename.h>
#include <wx/intl.h>

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
