// The small window that stays on top while the screen is recorded: the countdown, then
// Pause/Resume and Stop with the time, the frames and the memory taken so far. It owns the
// recording (the recorder and, on X11, the Ctrl+Alt+R shortcut) and hands its frames over
// when the recording ends: by Stop, the shortcut, Escape, or by itself.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <wx/frame.h>
#include <wx/timer.h>

#include "core/record/recorder.h"

class X11StopKey;
class wxButton;
class wxPanel;
class wxStaticText;

// What a recording leaves: its frames, or nothing when the countdown was cancelled.
struct RecordedFrames {
    Recording recording;
    bool cancelled = false;
};

struct RecordStart {
    std::unique_ptr<ScreenSource> source;
    CaptureRect region;
    RecordOptions options;
    int countdown = 0;  // seconds before the recorder starts
    std::shared_ptr<PictureStore> store;
    // On X11: the region is where it is on the screen (the window goes beside it), and the
    // shortcut stops the recording.
    bool onX11 = false;
};

class RecordControl : public wxFrame {
public:
    using Finished = std::function<void(RecordedFrames frames)>;
    RecordControl(RecordStart start, Finished finished);
    ~RecordControl() override;

    // Starts the countdown, or the recording when there is none. Apart from the constructor,
    // so that its owner holds the window before finished can be called.
    void Start();

    // Stop: the recording ends and its frames go to finished (during the countdown: cancelled).
    void Stop();
    void PauseOrResume();
    // Ends at once without a word to finished: its owner is going.
    void Abandon();
    // Whether the recorder runs (the countdown is over).
    bool Recording() const { return m_recorder != nullptr; }
    RecordStatus Status() const;

    wxButton* m_pause = nullptr;
    wxButton* m_stop = nullptr;
    wxStaticText* m_state = nullptr;    // the countdown, "Recording" or "Paused"
    wxStaticText* m_numbers = nullptr;  // time, frames, memory
    wxStaticText* m_note = nullptr;     // the shortcut, and where the window is

private:
    void BuildControls();
    void Place();
    void OnTimer(wxTimerEvent& event);
    void Count();
    void BeginRecording();
    void ShowStatus();
    void Finish(bool cancelled);

    wxPanel* m_panel = nullptr;
    RecordStart m_start;
    Finished m_finished;
    std::unique_ptr<Recorder> m_recorder;
    std::unique_ptr<X11StopKey> m_stopKey;
    wxTimer m_timer;
    int m_secondsLeft = 0;
    bool m_done = false;
    std::string m_startProblem;  // the recorder could not start
    wxString m_placeNote;
};
