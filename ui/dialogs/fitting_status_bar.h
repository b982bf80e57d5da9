// A status bar whose fields take the width their texts need, refitted whenever a text or the
// bar's width changes, so that every writer of a field gets the same layout without asking.
// One field is kept whole longest (the window keeps the animation's length there); the others
// give way first, and a text cut short is shortened in its middle with the whole on hover.
#pragma once

#include <vector>

#include <wx/statusbr.h>

class FittingStatusBar : public wxStatusBar {
public:
    FittingStatusBar();

    // The field shortened last (the last field until set).
    void SetKeptField(int field);
    void SetFieldsCount(int number = 1, const int* widths = nullptr) override;
    // The width the text of field needs to show whole, in pixels; 0 for an empty field.
    int WantedWidth(int field);

protected:
    void DoUpdateStatusText(int field) override;

private:
    void OnSize(wxSizeEvent& event);
    void Refit();

    int m_kept = -1;
    std::vector<int> m_widths;

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(FittingStatusBar);
};
