#include "ui/dialogs/delay_dialogs.h"

#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>

#include "ui/dialogs/message_boxes.h"
#include "core/document/animation_document.h"
#include "core/gif/gif_limits.h"

namespace {
// A row: a label, a spin control, a unit.
wxSpinCtrl* AddSpinRow(wxWindow* parent, wxSizer* column, const wxString& label,
                       const wxString& unit, int low, int high, int value)
{
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(parent, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
    auto* spin = new wxSpinCtrl(parent, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                wxSP_ARROW_KEYS, low, high, value);
    row->Add(spin, 0, wxALIGN_CENTER_VERTICAL);
    row->Add(new wxStaticText(parent, wxID_ANY, unit), 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 6);
    column->Add(row, 0, wxALL, 10);
    return spin;
}

void FinishLayout(wxDialog& dialog, wxSizer* column)
{
    column->Add(dialog.CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 10);
    LabelStockButtons(&dialog);
    dialog.SetSizerAndFit(column);
    dialog.CentreOnParent();
}
}

SetDelayDialog::SetDelayDialog(wxWindow* parent, int delay, bool own)
    : wxDialog(parent, wxID_ANY, _("Set Delay"))
{
    auto* column = new wxBoxSizer(wxVERTICAL);
    m_delay = AddSpinRow(this, column, _("Delay of the selected frames:"), "1/100" + _("sec "),
                         0, kGifMaxDelay, delay);
    m_common = new wxCheckBox(this, wxID_ANY, _("Use the common delay"));
    m_common->SetValue(!own);
    m_delay->Enable(own);
    m_common->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
        m_delay->Enable(!m_common->GetValue());
    });
    column->Add(m_common, 0, wxLEFT | wxRIGHT, 10);
    FinishLayout(*this, column);
}

int SetDelayDialog::Chosen() const
{
    return m_common->GetValue() ? kCommonDelay : m_delay->GetValue();
}

ScaleDelaysDialog::ScaleDelaysDialog(wxWindow* parent, bool selectionOffered)
    : wxDialog(parent, wxID_ANY, _("Scale Delays"))
{
    auto* column = new wxBoxSizer(wxVERTICAL);
    // 50 % plays twice as fast, 200 % half as fast.
    m_percent = AddSpinRow(this, column, _("Scale the delays to:"), "%", 1, 10000, 100);
    m_selected = new wxRadioButton(this, wxID_ANY, _("The selected frames"), wxDefaultPosition,
                                   wxDefaultSize, wxRB_GROUP);
    m_all = new wxRadioButton(this, wxID_ANY, _("All frames"));
    column->Add(m_selected, 0, wxLEFT | wxRIGHT, 10);
    column->Add(m_all, 0, wxLEFT | wxRIGHT | wxTOP, 10);
    m_selected->Enable(selectionOffered);
    (selectionOffered ? m_selected : m_all)->SetValue(true);
    FinishLayout(*this, column);
}

int ScaleDelaysDialog::Percent() const
{
    return m_percent->GetValue();
}

bool ScaleDelaysDialog::SelectionOnly() const
{
    return m_selected->GetValue();
}
