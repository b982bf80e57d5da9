// The dialog that asks what to record and how: on X11 the whole screen or one window (from the
// window manager's list, or clicked), on Wayland what the desktop's own chooser shares; the
// region, drawn on a still of it or typed; the frame rate, the pointer, the countdown, a
// length limit and the merging of unchanged frames. It opens the source itself, so that OK
// hands over a source that works.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include <wx/dialog.h>

#include "core/screen/capture_backend.h"
#include "core/screen/x11_screen.h"
#include "core/settings/record_setting.h"
#include "ui/dialogs/screen_still.h"

class RegionView;
class wxButton;
class wxCheckBox;
class wxChoice;
class wxSpinCtrl;
class wxStaticText;

// What OK gives: an open source, the region of it, and the choices to remember.
struct RecordChoice {
    std::unique_ptr<ScreenSource> source;
    CaptureRect region;
    RecordSettings settings;
};

class RecordDialog : public wxDialog {
public:
    // Without a parent it stands alone on the screen (its caller's window minimised).
    RecordDialog(wxWindow* parent, CaptureBackend backend, const RecordSettings& remembered);
    ~RecordDialog() override;

    // Shows the dialog until it is answered, hiding it while the user clicks a window to
    // record: wxID_OK or wxID_CANCEL.
    int Run();
    // After OK: the source (once) and the choices as the fields stand.
    RecordChoice TakeChoice();
    // The region fields were changed: the values brought within the source, the still's
    // rectangle following them. Every field's change calls it.
    void RegionFieldsChanged();
    // The region shown on the still and in the fields.
    void ShowRegion(const CaptureRect& region);
    // Whether a source is open (OK is enabled then).
    bool HasSource() const { return m_source != nullptr; }

    wxChoice* m_what = nullptr;  // the whole screen or a window (X11)
    wxButton* m_pick = nullptr;
    wxButton* m_askAgain = nullptr;
    wxStaticText* m_sourceLine = nullptr;  // the portal's question, or what went wrong
    RegionView* m_view = nullptr;
    wxSpinCtrl* m_x = nullptr;
    wxSpinCtrl* m_y = nullptr;
    wxSpinCtrl* m_width = nullptr;
    wxSpinCtrl* m_height = nullptr;
    wxSpinCtrl* m_fps = nullptr;
    wxCheckBox* m_pointer = nullptr;
    wxSpinCtrl* m_countdown = nullptr;
    wxCheckBox* m_limited = nullptr;
    wxSpinCtrl* m_limit = nullptr;
    wxCheckBox* m_merge = nullptr;
    wxButton* m_ok = nullptr;

private:
    void BuildWhat(wxSizer* top);
    void BuildRegion(wxSizer* top);
    void BuildHow(wxSizer* top);
    // A source opened (or not): the still, the region, the fields' ranges and OK follow.
    void TakeSource(OpenedScreen opened);
    void AskPortal();
    void OnWhat(wxCommandEvent& event);
    void OnPick(wxCommandEvent& event);
    // The part of window on the screen; nothing for one wholly off it.
    std::optional<CaptureRect> WindowArea(const X11Window& window) const;
    // The choice of what to record shows the screen or the window the region is, if any.
    void FollowRegion(const CaptureRect& region);
    // Shows why the source could not be opened, wrapped at the width the other boxes give the
    // dialog: some reasons, in some languages, would widen it past the screen.
    void ShowProblem(const wxString& text);

    CaptureBackend m_backend;
    RecordSettings m_remembered;
    std::unique_ptr<ScreenSource> m_source;
    std::string m_restoreToken;
    std::vector<X11Window> m_windowList;
    std::unique_ptr<PortalAsking> m_portal;
};
