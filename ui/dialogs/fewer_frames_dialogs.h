// The two dialogs that make fewer frames of the same animation: Remove Duplicate Frames (a
// tolerance, with a live count of the frames that would go, the frames compared on a worker
// meanwhile) and Lower Frame Rate (every n-th frame, or at most N a second, with its count).
#pragma once

#include <atomic>
#include <thread>
#include <vector>

#include <wx/dialog.h>
#include <wx/timer.h>

#include "core/picture/picture.h"

class wxButton;
class wxGauge;
class wxRadioButton;
class wxSlider;
class wxSpinCtrl;
class wxStaticText;

// The highest tolerance the slider offers, in percent of the pixels.
constexpr double kMostDuplicateTolerance = 20.0;

class RemoveDuplicatesDialog : public wxDialog {
public:
    // pictures: the frames in order (null for a missing one); delays: each as it is written.
    RemoveDuplicatesDialog(wxWindow* parent, std::vector<PictureRef> pictures,
                           std::vector<int> delays);
    ~RemoveDuplicatesDialog() override;

    // The tolerance chosen, in percent of the pixels.
    double Tolerance() const;
    // How each frame differs from the one before it, for the tolerance shown; empty until
    // the frames are compared that far.
    const std::vector<double>& Shares() const { return m_shares; }
    // Waits for the comparison to end and shows its count.
    void FinishComparison();

    wxSlider* m_tolerance = nullptr;
    wxStaticText* m_toleranceText = nullptr;
    wxStaticText* m_count = nullptr;
    wxGauge* m_progress = nullptr;
    wxButton* m_apply = nullptr;

private:
    void OnTimer(wxTimerEvent& event);
    void ShowCount();
    // Whether the shares at hand count for the tolerance shown.
    bool SharesServe() const;

    std::vector<PictureRef> m_pictures;
    std::vector<int> m_delays;
    std::vector<double> m_shares;
    // m_shares tell only whether frames are the same (the first, quick pass).
    bool m_sharesExact = false;
    std::atomic<bool> m_stop{false};
    // The worker's two passes: whether frames are the same (from their compressed bytes,
    // in an instant), then how much they differ (decoding them).
    std::atomic<bool> m_exactReady{false};
    std::vector<double> m_exact;
    std::atomic<bool> m_finished{false};
    std::atomic<int> m_done{0};
    std::vector<double> m_result;  // the worker's, taken once it has finished
    std::thread m_worker;
    wxTimer m_timer;
};

class LowerFrameRateDialog : public wxDialog {
public:
    // delays: every frame's as it is written.
    LowerFrameRateDialog(wxWindow* parent, std::vector<int> delays);

    // The n of "every n-th frame", or 0 when the frame rate was chosen.
    int Every() const;
    // The most frames a second, or 0 when every n-th frame was chosen.
    int MaxFps() const;

    wxRadioButton* m_everyChoice = nullptr;
    wxSpinCtrl* m_every = nullptr;
    wxRadioButton* m_fpsChoice = nullptr;
    wxSpinCtrl* m_fps = nullptr;
    wxStaticText* m_count = nullptr;

private:
    void ShowCount();

    std::vector<int> m_delays;
};
