// The Loop Count dialog: play the preview a number of times, or without end.
#pragma once

#include <wx/dialog.h>

class wxButton;
class wxCheckBox;
class wxRadioButton;
class wxSpinCtrl;
class wxStaticBox;
class wxStaticText;

// The loop count confirmed last (0: forever); it preselects the next dialog.
extern int s_lastLoopCount;
// Whether that count was also for the saved GIF.
extern bool s_lastLoopForFile;

class LoopCountDialog : public wxDialog {
public:
    explicit LoopCountDialog(wxWindow* parent);
    ~LoopCountDialog() override;

    wxRadioButton* m_radioTimes;
    wxRadioButton* m_radioForever;
    wxSpinCtrl* m_spinTimes;
    wxStaticBox* m_staticBox;
    wxStaticText* m_staticTimes;
    wxCheckBox* m_forFile;
    wxButton* m_buttonOk;
    wxButton* m_buttonCancel;
    // The loop count chosen; set only by OK.
    int m_loopValue = 0;
    // Whether the saved GIF plays that many times too; set only by OK.
    bool m_useForFile = false;

    // What a click on the button with id does before the dialog ends: OK takes the
    // choice, as the value of the spin control or 0 for "infinitely".
    void ApplyButton(int id);

private:
    void OnPlayTimes(wxCommandEvent& event);
    void OnPlayForever(wxCommandEvent& event);
    void OnButton(wxCommandEvent& event);

    wxDECLARE_CLASS(LoopCountDialog);
    wxDECLARE_EVENT_TABLE();
};
