#include "mainwindow/path_chooser.h"

#include <wx/filedlg.h>
#include <wx/filename.h>

namespace {
class DialogPathChooser : public PathChooser {
public:
    wxArrayString ChooseFilesToOpen(wxWindow* parent, const wxString& title,
                                    const wxString& wildcard, bool multiple) override
    {
        long style = wxFD_OPEN | wxFD_FILE_MUST_EXIST;
        if (multiple)
            style |= wxFD_MULTIPLE;
        wxFileDialog dialog(parent, title, wxEmptyString, wxEmptyString, wildcard, style);
        wxArrayString paths;
        if (dialog.ShowModal() == wxID_OK)
            dialog.GetPaths(paths);
        return paths;
    }

    wxString ChooseFileToSave(wxWindow* parent, const wxString& title, const wxString& wildcard,
                              const wxString& defaultPath) override
    {
        const wxFileName suggested(defaultPath);
        wxFileDialog dialog(parent, title, suggested.GetPath(), suggested.GetFullName(), wildcard,
                            wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
        return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
    }
};
}

std::unique_ptr<PathChooser> MakeDialogPathChooser()
{
    return std::make_unique<DialogPathChooser>();
}
