// The dialog that asks which stretch of a video becomes frames: start, end or duration,
// frames per second and width, with the frame count and memory they make shown as they change.
#pragma once

#include <wx/dialog.h>
#include <wx/image.h>

#include "core/video/video_decoder.h"
#include "core/video/video_timing.h"

class wxButton;
class wxSpinCtrl;
class wxStaticText;
class wxTextCtrl;

class VideoImportDialog : public wxDialog {
public:
    // firstFrame (may be invalid) is shown small as a preview.
    VideoImportDialog(wxWindow* parent, const wxString& path, const VideoInfo& info,
                      const wxImage& firstFrame);

    wxTextCtrl* m_start;
    wxTextCtrl* m_end;
    wxTextCtrl* m_duration;
    wxSpinCtrl* m_fps;
    wxSpinCtrl* m_width;
    wxStaticText* m_height;
    wxStaticText* m_result;   // "48 frames, about 33 MB", or what is wrong
    wxButton* m_ok;

    // The choice as the fields stand; valid when OK is enabled.
    VideoSampling Sampling() const { return m_sampling; }
    int FrameWidth() const;
    // Reads the fields, shows the count and memory or the problem, enables OK. Every field's
    // change calls it.
    void Recount();

private:
    void BuildInfo(wxWindow* parent, const wxString& path, const wxImage& firstFrame,
                   class wxSizer* sizer);
    void OnStartOrEnd(wxCommandEvent& event);
    void OnDuration(wxCommandEvent& event);
    void OnNumbers(wxCommandEvent& event);

    VideoInfo m_info;
    VideoSampling m_sampling;
};
