#include "mainwindow/loop_count_dialog.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/spinctrl.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

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
    : wxDialog(parent, wxID_ANY, _("Loop Counter"), wxDefaultPosition, wxSize(300, 150),
               wxDEFAULT_DIALOG_STYLE)
{
    m_staticBox = new wxStaticBox(this, wxID_STATIC, _("Animation Loop Count"), wxPoint(10, 10),
                                  wxSize(275, 70));
    m_radioTimes = new wxRadioButton(this, ID_RADIO_TIMES, _("Play animation"), wxPoint(20, 30),
                                     wxDefaultSize, 0);
    // GTK's spin buttons can't be drawn in 45 x 20 pixels; the control gets the width it
    // needs and the texts after it move along.
    m_spinTimes = new wxSpinCtrl(this, ID_SPIN_TIMES, wxEmptyString, wxPoint(195, 30),
                                 wxDefaultSize, wxSP_ARROW_KEYS, 0, 100, 1);
    const wxSize spinSize = m_spinTimes->GetBestSize();
    const int spinX = std::max(195, m_radioTimes->GetRect().GetRight() + 8);
    m_spinTimes->SetSize(spinX, 30, std::max(45, spinSize.x), std::max(20, spinSize.y));
    m_staticTimes = new wxStaticText(this, wxID_ANY, _("time(s)"),
                                     wxPoint(m_spinTimes->GetRect().GetRight() + 5, 30));
    const int row2 = std::max(55, m_spinTimes->GetRect().GetBottom() + 5);
    m_radioForever = new wxRadioButton(this, ID_RADIO_FOREVER, _("Play animation infinitely"),
                                       wxPoint(20, row2), wxDefaultSize, 0);

    if (s_lastLoopCount != 0) {
        m_radioTimes->SetValue(true);
        m_spinTimes->SetValue(s_lastLoopCount);
        m_spinTimes->Enable();
    } else {
        m_spinTimes->Disable();
        m_radioForever->SetValue(true);
    }

    const int boxRight = std::max(285, m_staticTimes->GetRect().GetRight() + 10);
    const int boxBottom = std::max(80, m_radioForever->GetRect().GetBottom() + 8);
    m_staticBox->SetSize(10, 10, boxRight - 10, boxBottom - 10);
    // Off keeps saved files looping forever, whatever the preview does.
    m_forFile = new wxCheckBox(this, wxID_ANY, _("Also use for the saved GIF"),
                               wxPoint(20, boxBottom + 6));
    m_forFile->SetValue(s_lastLoopForFile);
    const int buttonsTop = m_forFile->GetRect().GetBottom() + 8;
    m_buttonOk = new wxButton(this, wxID_OK, _("OK"), wxPoint(60, buttonsTop), wxSize(70, 25));
    m_buttonCancel =
        new wxButton(this, wxID_CANCEL, _("Cancel"), wxPoint(170, buttonsTop), wxSize(70, 25));
    const wxRect cancel = m_buttonCancel->GetRect();
    SetClientSize(wxSize(std::max(GetClientSize().x, boxRight + 10),
                         std::max(GetClientSize().y, cancel.GetBottom() + 10)));
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
