#include "ui/dialogs/message_boxes.h"

#include <wx/button.h>
#include <wx/stockitem.h>

namespace {
wxString Stock(int id)
{
    return wxGetStockLabel(id, wxSTOCK_WITH_MNEMONIC);
}
}

MessageDialog::MessageDialog(wxWindow* parent, const wxString& message, const wxString& caption,
                             long style)
    : wxMessageDialog(parent, message, caption, style)
{
    if (style & wxYES_NO) {
        if (style & wxCANCEL)
            SetYesNoCancelLabels(Stock(wxID_YES), Stock(wxID_NO), Stock(wxID_CANCEL));
        else
            SetYesNoLabels(Stock(wxID_YES), Stock(wxID_NO));
    } else if (style & wxCANCEL) {
        SetOKCancelLabels(Stock(wxID_OK), Stock(wxID_CANCEL));
    } else {
        SetOKLabel(Stock(wxID_OK));
    }
}

int ShowMessage(const wxString& message, const wxString& caption, long style, wxWindow* parent)
{
    // A box without buttons of its own gets OK, as the toolkit's function gives it.
    if (!(style & (wxYES_NO | wxOK | wxCANCEL)))
        style |= wxOK;
    MessageDialog dialog(parent, message, caption, style);
    switch (dialog.ShowModal()) {
    case wxID_YES:
        return wxYES;
    case wxID_NO:
        return wxNO;
    case wxID_OK:
        return wxOK;
    default:
        return wxCANCEL;
    }
}

void LabelStockButtons(wxWindow* dialog)
{
    for (wxWindow* child : dialog->GetChildren()) {
        if (auto* button = dynamic_cast<wxButton*>(child)) {
            const int id = button->GetId();
            // A stock label would be handed to GTK as its stock item, which GTK words from
            // its own catalog: in English on a system without that locale. As markup the
            // label is shown as given, in the window's language.
            if (wxIsStockID(id) && wxIsStockLabel(id, button->GetLabel())) {
                button->SetLabelMarkup(Stock(id));
                // The width the button took for the toolkit's word is not the one it needs.
                button->SetInitialSize();
            }
        }
        LabelStockButtons(child);
    }
}
