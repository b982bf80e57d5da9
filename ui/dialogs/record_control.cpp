#include "ui/dialogs/record_control.h"

#include <system_error>

#include <wx/button.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "core/record/region_editing.h"
#include "core/screen/x11_stop_key.h"
#include "ui/dialogs/message_text.h"

namespace {
constexpr int kStatusMs = 250;   // Status() four times a second
constexpr int kCountMs = 1000;
constexpr int kMargin = 12;      // between the region and this window

wxString TimeText(double seconds)
{
    const long whole = static_cast<long>(seconds);
    return wxString::Format("%ld:%02ld", whole / 60, whole % 60);
}

wxString NumbersText(const RecordStatus& status)
{
    return TimeText(status.seconds) + "   " +
           wxString::Format(wxPLURAL("%d frame", "%d frames", status.frames), status.frames) +
           "   " + MemoryText(status.memoryBytes);
}
} // namespace

RecordControl::RecordControl(RecordStart start, Finished finished)
    : wxFrame(nullptr, wxID_ANY, _("Recording"), wxDefaultPosition, wxDefaultSize,
              wxCAPTION | wxCLOSE_BOX | wxSTAY_ON_TOP | wxFRAME_TOOL_WINDOW),
      m_start(std::move(start)),
      m_finished(std::move(finished)),
      m_secondsLeft(m_start.countdown)
{
    BuildControls();
    m_pause->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { PauseOrResume(); });
    m_stop->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Stop(); });
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (event.GetKeyCode() == WXK_ESCAPE)
            Stop();
        else
            event.Skip();
    });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Stop(); });
    Bind(wxEVT_TIMER, &RecordControl::OnTimer, this);
    m_timer.SetOwner(this);

    if (m_start.onX11) {
        // The key arrives on the shortcut's own thread.
        m_stopKey = std::make_unique<X11StopKey>("", [this] { CallAfter([this] { Stop(); }); });
        m_note->SetLabel(m_stopKey->Held() ? _("Ctrl+Alt+R stops the recording.")
                                           : _("Ctrl+Alt+R is used by another program."));
    }
    m_numbers->SetLabel(NumbersText(RecordStatus()));
    Count();
    m_panel->GetSizer()->SetSizeHints(this);
    Place();
    Show();
}

void RecordControl::BuildControls()
{
    m_panel = new wxPanel(this);
    auto* top = new wxBoxSizer(wxVERTICAL);
    m_state = new wxStaticText(m_panel, wxID_ANY, wxEmptyString);
    m_state->SetFont(m_state->GetFont().Bold().Larger());
    m_numbers = new wxStaticText(m_panel, wxID_ANY, wxEmptyString);
    m_pause = new wxButton(m_panel, wxID_ANY, _("&Pause"));
    m_stop = new wxButton(m_panel, wxID_STOP, _("&Stop"));
    m_note = new wxStaticText(m_panel, wxID_ANY, wxEmptyString);
    top->Add(m_state, 0, wxLEFT | wxRIGHT | wxTOP, 10);
    top->Add(m_numbers, 0, wxLEFT | wxRIGHT | wxTOP, 10);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(m_pause, 1, wxRIGHT, 6);
    row->Add(m_stop, 1);
    top->Add(row, 0, wxEXPAND | wxALL, 10);
    top->Add(m_note, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
    m_panel->SetSizer(top);
}

void RecordControl::Start()
{
    if (m_secondsLeft <= 0)
        BeginRecording();
    else
        m_timer.Start(kCountMs);
}

RecordControl::~RecordControl()
{
    m_timer.Stop();
    // The shortcut's thread is joined before the window it calls goes.
    m_stopKey.reset();
    m_recorder.reset();
}

void RecordControl::Place()
{
    if (!m_start.onX11)
        return;
    // The X server's screen, all its monitors, in the coordinates of the region.
    const int width = m_start.source->Width(), height = m_start.source->Height();
    const wxSize size = GetSize();
    int x = 0, y = 0;
    if (PlaceOutside(m_start.region, width, height, size.x, size.y, kMargin, x, y)) {
        Move(x, y);
        return;
    }
    Move(width - size.x - kMargin, kMargin);
    m_note->SetLabel(m_note->GetLabel() + "\n" +
                     _("This window shows in the recording: the screen has no room beside the region."));
    m_panel->GetSizer()->SetSizeHints(this);
}

void RecordControl::Count()
{
    m_state->SetLabel(wxString::Format(_("Recording starts in %d s"), m_secondsLeft));
    m_pause->Enable(false);
}

void RecordControl::OnTimer(wxTimerEvent&)
{
    if (m_recorder) {
        ShowStatus();
        if (m_recorder && m_recorder->Status().finished)
            Finish(false);
        return;
    }
    if (--m_secondsLeft > 0) {
        Count();
        return;
    }
    m_timer.Stop();
    BeginRecording();
}

void RecordControl::BeginRecording()
{
    try {
        m_recorder = std::make_unique<Recorder>(std::move(m_start.source), m_start.region,
                                                m_start.options, m_start.store);
    } catch (const std::system_error&) {
        m_startProblem = _("The system could not start the recording's thread.").utf8_string();
        Finish(false);
        return;
    }
    m_pause->Enable(true);
    m_state->SetLabel(_("Recording"));
    m_timer.Start(kStatusMs);
}

RecordStatus RecordControl::Status() const
{
    return m_recorder ? m_recorder->Status() : RecordStatus();
}

void RecordControl::ShowStatus()
{
    const RecordStatus status = m_recorder->Status();
    m_state->SetLabel(status.paused ? _("Paused") : _("Recording"));
    m_numbers->SetLabel(NumbersText(status));
}

void RecordControl::PauseOrResume()
{
    if (!m_recorder || m_done)
        return;
    if (m_recorder->Status().paused) {
        m_recorder->Resume();
        m_pause->SetLabel(_("&Pause"));
    } else {
        m_recorder->Pause();
        m_pause->SetLabel(_("&Resume"));
    }
    ShowStatus();
}

void RecordControl::Stop()
{
    Finish(!m_recorder);
}

void RecordControl::Abandon()
{
    m_finished = nullptr;
    Finish(true);
}

void RecordControl::Finish(bool cancelled)
{
    if (m_done)
        return;
    m_done = true;
    m_timer.Stop();
    m_stopKey.reset();
    RecordedFrames frames;
    frames.cancelled = cancelled;
    frames.recording.problem = m_startProblem;
    if (m_recorder) {
        // Joins the worker: the last picture is in the store once this returns.
        m_recorder->Stop();
        frames.recording = m_recorder->Take();
        m_recorder.reset();
    }
    Finished finished = std::move(m_finished);
    Hide();
    Destroy();
    if (finished)
        finished(std::move(frames));
}
