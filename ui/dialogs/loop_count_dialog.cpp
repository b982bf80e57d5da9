#include "ui/dialogs/loop_count_dialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "ui/dialogs/message_boxes.h"

int s_lastLoopCount = 0;
bool s_lastLoopForFile = false;

namespace {
enum { ID_RADIO_TIMES = 0, ID_RADIO_FOREVER = 1, ID_SPIN_TIMES = 2 };
}

wxIMPLEMENT_CLASS(LoopCountDialog, wxDialog);

wxBEGIN_EVENT_TABLE(LoopCountDialog, wxDialog)
    EVT_RADIOBUTTON(ID_RADIO_TIMES, LoopCountDialog::OnPlayTimes)
    EVT_RADIOBUTTON(ID_RADIO_FOREVER, LoopCountDialog::OnPlayForever)
    EVT_BUTTON(wxID_OK, LoopCountDialog::OnButton)
    EVT_BUTTON(wxID_CANCEL, LoopCountDialog::OnButton)
wxEND_EVENT_TABLE()

LoopCountDialog::LoopCountDialog(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, _("Loop Counter"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE)
{
    // Sizers, not positions: every control takes the width its text has in the language
    // shown, so no label is cut ("Abbrechen" is wider than "Cancel").
    auto* box = new wxStaticBoxSizer(wxVERTICAL, this, _("Animation Loop Count"));
    m_staticBox = box->GetStaticBox();
    m_radioTimes = new wxRadioButton(m_staticBox, ID_RADIO_TIMES, _("Play animation"));
    m_spinTimes = new wxSpinCtrl(m_staticBox, ID_SPIN_TIMES, wxEmptyString, wxDefaultPosition,
                                 wxDefaultSize, wxSP_ARROW_KEYS, 0, 100, 1);
    m_staticTimes = new wxStaticText(m_staticBox, wxID_ANY, _("time(s)"));
    m_radioForever =
        new wxRadioButton(m_staticBox, ID_RADIO_FOREVER, _("Play animation infinitely"));
    auto* times = new wxBoxSizer(wxHORIZONTAL);
    times->Add(m_radioTimes, 0, wxALIGN_CENTER_VERTICAL);
    times->Add(m_spinTimes, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, FromDIP(6));
    times->Add(m_staticTimes, 0, wxALIGN_CENTER_VERTICAL);
    box->Add(times, 0, wxALL, FromDIP(6));
    box->Add(m_radioForever, 0, wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(6));

    if (s_lastLoopCount != 0) {
        m_radioTimes->SetValue(true);
        m_spinTimes->SetValue(s_lastLoopCount);
        m_spinTimes->Enable();
    } else {
        m_spinTimes->Disable();
        m_radioForever->SetValue(true);
    }

    // Off keeps saved files looping forever, whatever the preview does.
    m_forFile = new wxCheckBox(this, wxID_ANY, _("Also use for the saved GIF"));
    m_forFile->SetValue(s_lastLoopForFile);
    m_buttonOk = new wxButton(this, wxID_OK, _("OK"));
    m_buttonCancel = new wxButton(this, wxID_CANCEL, _("Cancel"));
    auto* buttons = new wxStdDialogButtonSizer();
    buttons->AddButton(m_buttonOk);
    buttons->AddButton(m_buttonCancel);
    buttons->Realize();

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(box, 0, wxEXPAND | wxALL, FromDIP(10));
    column->Add(m_forFile, 0, wxLEFT | wxRIGHT, FromDIP(10));
    column->Add(buttons, 0, wxEXPAND | wxALL, FromDIP(10));
    // GTK would word OK and Cancel from its own catalog, in English without the system locale.
    LabelStockButtons(this);
    SetSizerAndFit(column);
}

LoopCountDialog::~LoopCountDialog() = default;

void LoopCountDialog::OnPlayTimes(wxCommandEvent&)
{
    if (m_radioTimes->GetValue())
        m_spinTimes->Enable();
}

void LoopCountDialog::OnPlayForever(wxCommandEvent&)
{
    if (m_radioForever->GetValue())
        m_spinTimes->Disable();
}

void LoopCountDialog::ApplyButton(int id)
{
    if (id != wxID_OK)
        return;
    const int value = m_radioTimes->GetValue() ? m_spinTimes->GetValue() : 0;
    s_lastLoopCount = value;
    m_loopValue = value;
    s_lastLoopForFile = m_forFile->GetValue();
    m_useForFile = m_forFile->GetValue();
}

void LoopCountDialog::OnButton(wxCommandEvent& event)
{
    ApplyButton(event.GetId());
    EndModal(event.GetId());
}
