// Message boxes whose buttons speak the window's language. GTK labels its own buttons from
// its catalog only when the system has the chosen locale installed, which most machines
// lack; the toolkit's catalog follows the language chosen in the window instead.
#pragma once

#include <wx/msgdlg.h>

class wxWindow;

class MessageDialog : public wxMessageDialog {
public:
    MessageDialog(wxWindow* parent, const wxString& message, const wxString& caption,
                  long style = wxOK | wxCENTRE);
};

// As wxMessageBox, with those buttons: wxYES, wxNO, wxOK or wxCANCEL.
int ShowMessage(const wxString& message, const wxString& caption, long style = wxOK | wxCENTRE,
                wxWindow* parent = nullptr);

// Gives the stock buttons among a dialog's children (OK, Cancel and the like, made without
// a label of their own) the toolkit's label in the current language, and the width it needs;
// call it before the dialog's layout.
void LabelStockButtons(wxWindow* dialog);
