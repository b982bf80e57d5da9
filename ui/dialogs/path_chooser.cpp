#include "ui/dialogs/path_chooser.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/intl.h>

#include "core/settings/product.h"
#include "ui/dialogs/gif_save_dialog_hook.h"
#include "ui/dialogs/message_boxes.h"

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

    GifSaveChoice ChooseGifToSave(wxWindow* parent, const wxString& title,
                                  const wxString& wildcard, const wxString& defaultPath,
                                  const GifSaveOptions& shown) override
    {
        // A limit that is no number can't be refused inside the native dialog; it is named
        // afterwards and the dialog opens again as it was left.
        GifSaveDialogHook hook(shown);
        wxFileName suggested(defaultPath);
        for (;;) {
            wxFileDialog dialog(parent, title, suggested.GetPath(), suggested.GetFullName(),
                                wildcard, wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
            dialog.SetCustomizeHook(hook);
            if (dialog.ShowModal() != wxID_OK)
                return {wxString(), shown};
            if (hook.LimitValid())
                return {dialog.GetPath(), hook.Options()};
            ShowMessage(wxString::Format(_("\"%s\" is not a size in megabytes. Type a number "
                                           "above 0, such as 2.5, or untick \"Keep under\"."),
                                         hook.LimitText()),
                        GetProductName(), wxOK | wxICON_WARNING, parent);
            hook.ShowLimitText(hook.LimitText());
            suggested = wxFileName(dialog.GetPath());
        }
    }
};
}

std::unique_ptr<PathChooser> MakeDialogPathChooser()
{
    return std::make_unique<DialogPathChooser>();
}
