#include "ui/dialogs/crop_bar.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/stockitem.h>

#include "core/gif/gif_limits.h"

CropBar::CropBar(wxWindow* parent, Hooks hooks) : wxPanel(parent), m_hooks(std::move(hooks))
{
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    auto label = [&]() {
        auto* text = new wxStaticText(this, wxID_ANY, wxEmptyString);
        row->Add(text, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 4);
        m_labels.push_back(text);
    };
    auto field = [&](int lowest) {
        label();
        auto* control = new wxSpinCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition,
                                       wxDefaultSize, wxSP_ARROW_KEYS | wxTE_PROCESS_ENTER,
                                       lowest, kGifMaxSide, lowest);
        control->Bind(wxEVT_TEXT, &CropBar::OnTyped, this);
        row->Add(control, 0, wxALIGN_CENTER_VERTICAL);
        return control;
    };
    m_x = field(0);
    m_y = field(0);
    m_width = field(1);
    m_height = field(1);
    label();
    m_proportion = new wxChoice(this, wxID_ANY);
    m_proportion->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
        if (m_hooks.proportion)
            m_hooks.proportion(Proportion());
    });
    row->Add(m_proportion, 0, wxALIGN_CENTER_VERTICAL);
    row->AddStretchSpacer();
    m_apply = new wxButton(this, wxID_APPLY);
    m_cancel = new wxButton(this, wxID_CANCEL);
    m_apply->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { m_hooks.apply(); });
    m_cancel->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { m_hooks.cancel(); });
    row->Add(m_apply, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 4);
    row->Add(m_cancel, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 4);
    SetSizer(row);
    SetLabels();
    Bind(wxEVT_CHAR_HOOK, &CropBar::OnCharHook, this);
}

void CropBar::SetLabels()
{
    const wxString names[] = {_("X"), _("Y"), _("Width"), _("Height"), _("Proportion")};
    for (size_t i = 0; i < m_labels.size(); ++i)
        m_labels[i]->SetLabel(names[i] + ":");
    const int chosen = std::max(0, m_proportion->GetSelection());
    m_proportion->Clear();
    // The order of CropProportion.
    for (const wxString& name : {_("Free"), wxString("1:1"), wxString("4:3"), wxString("16:9"),
                                 _("Current")})
        m_proportion->Append(name);
    m_proportion->SetSelection(chosen);
    // The buttons' stock labels in the language of the moment.
    m_apply->SetLabel(wxGetStockLabel(wxID_APPLY));
    m_cancel->SetLabel(wxGetStockLabel(wxID_CANCEL));
    Layout();
}

void CropBar::ShowRegion(const CaptureRect& region, const wxSize& picture)
{
    m_writing = true;
    m_x->SetRange(0, std::max(0, picture.x - 1));
    m_y->SetRange(0, std::max(0, picture.y - 1));
    m_width->SetRange(1, std::max(1, picture.x));
    m_height->SetRange(1, std::max(1, picture.y));
    const std::pair<wxSpinCtrl*, int> values[] = {
        {m_x, region.x}, {m_y, region.y}, {m_width, region.width}, {m_height, region.height}};
    // Only the fields that differ, so that one being typed in keeps its caret.
    for (const auto& [control, value] : values)
        if (control->GetValue() != value)
            control->SetValue(value);
    m_writing = false;
}

CropProportion CropBar::Proportion() const
{
    return static_cast<CropProportion>(std::max(0, m_proportion->GetSelection()));
}

void CropBar::SetProportion(CropProportion proportion)
{
    m_proportion->SetSelection(static_cast<int>(proportion));
}

CaptureRect CropBar::Typed() const
{
    return {m_x->GetValue(), m_y->GetValue(), m_width->GetValue(), m_height->GetValue()};
}

void CropBar::OnTyped(wxCommandEvent& event)
{
    if (m_writing || !m_hooks.typed)
        return;
    m_hooks.typed(Typed(), event.GetEventObject() != m_height);
}

void CropBar::OnCharHook(wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    if (key == WXK_ESCAPE) {
        m_hooks.cancel();
        return;
    }
    // On a button Enter presses that button; elsewhere it applies.
    const bool enter = key == WXK_RETURN || key == WXK_NUMPAD_ENTER;
    if (enter && !wxDynamicCast(FindFocus(), wxButton)) {
        m_hooks.apply();
        return;
    }
    event.Skip();
}
