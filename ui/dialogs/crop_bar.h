// The crop tool's bar: the rectangle as numbers (X, Y, width and height in the picture's
// pixels), the proportion it keeps, Apply and Cancel. Enter applies and Escape cancels from
// any of its controls. It tells its owner of every value typed; ShowRegion writes the values
// without telling.
#pragma once

#include <functional>
#include <vector>

#include <wx/panel.h>

#include "core/screen/capture_region.h"

class wxButton;
class wxChoice;
class wxStaticText;
class wxSpinCtrl;

// The proportions offered, in the order of the bar's choice.
enum class CropProportion { Free, Square, FourThree, SixteenNine, Current };

class CropBar : public wxPanel {
public:
    struct Hooks {
        // A value typed: the rectangle the fields hold now, and whether the width (rather than
        // the height) was typed when the proportion is to follow.
        std::function<void(const CaptureRect&, bool widthTyped)> typed;
        std::function<void(CropProportion)> proportion;
        std::function<void()> apply;
        std::function<void()> cancel;
    };
    CropBar(wxWindow* parent, Hooks hooks);

    // Shows region of a picture of size picture, the fields' ranges set to the picture's.
    void ShowRegion(const CaptureRect& region, const wxSize& picture);
    // The labels in the language of the moment.
    void SetLabels();
    CropProportion Proportion() const;
    void SetProportion(CropProportion proportion);

private:
    void OnTyped(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);
    CaptureRect Typed() const;

    Hooks m_hooks;
    wxSpinCtrl* m_x = nullptr;
    wxSpinCtrl* m_y = nullptr;
    wxSpinCtrl* m_width = nullptr;
    wxSpinCtrl* m_height = nullptr;
    wxChoice* m_proportion = nullptr;
    std::vector<wxStaticText*> m_labels;
    wxButton* m_apply = nullptr;
    wxButton* m_cancel = nullptr;
    // Set while ShowRegion writes the fields, whose change events are not the user's.
    bool m_writing = false;
};
