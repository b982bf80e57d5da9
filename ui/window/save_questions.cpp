// The questions every save asks before it replaces something: a file whose name the window
// completed with an extension, and yes/no questions in general.
#include <wx/filename.h>
#include <wx/msgdlg.h>

#include "ui/window/main_window.h"
#include "ui/dialogs/message_boxes.h"
#include "core/export/save_rules.h"

bool MainWindow::AskYesNo(const wxString& question)
{
    MessageDialog dialog(this, question, _("Confirm"), wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION);
    return dialog.ShowModal() == wxID_YES;
}

wxString MainWindow::AskSavePath(const wxString& title, const wxString& wildcard,
                               const wxString& extension, const wxString& defaultPath)
{
    return CompleteSavePath(GetPathChooser().ChooseFileToSave(this, title, wildcard, defaultPath),
                            extension);
}

wxString MainWindow::CompleteSavePath(const wxString& chosen, const wxString& extension)
{
    if (chosen.empty())
        return chosen;
    const wxString path = WithExtension(chosen, extension);
    // The dialog asked about the name as typed; a name completed here is asked about here.
    if (path != chosen && wxFileName::Exists(path) &&
        !AskYesNo(wxString::Format(_("A file named \"%s\" already exists.\nDo you want to replace it?"),
                                   wxFileNameFromPath(path))))
        return wxString();
    return path;
}
