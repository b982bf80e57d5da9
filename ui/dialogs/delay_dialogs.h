// The two dialogs of frame timing: Set Delay (a delay of their own for the selected frames, or
// back to the common one) and Scale Delays (a percentage for the selection or every frame).
#pragma once

#include <wx/dialog.h>

class wxCheckBox;
class wxRadioButton;
class wxSpinCtrl;

class SetDelayDialog : public wxDialog {
public:
    // delay: the first selected frame's delay, in hundredths; own: whether it is its own.
    SetDelayDialog(wxWindow* parent, int delay, bool own);

    // The delay chosen, or kCommonDelay for "use the common delay".
    int Chosen() const;

    wxSpinCtrl* m_delay = nullptr;
    wxCheckBox* m_common = nullptr;
};

class ScaleDelaysDialog : public wxDialog {
public:
    // selectionOnly preselects "the selected frames" (it is offered only with a selection).
    ScaleDelaysDialog(wxWindow* parent, bool selectionOffered);

    int Percent() const;
    bool SelectionOnly() const;

    wxSpinCtrl* m_percent = nullptr;
    wxRadioButton* m_selected = nullptr;
    wxRadioButton* m_all = nullptr;
};
