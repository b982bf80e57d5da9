// Recording a region of the screen through the record dialog and the control window: the
// frames show what was on screen, in time, as one undo step; Pause stops the clock; Stop
// during the countdown cancels; the length limit ends a recording without a click; Exit keeps
// what was recorded.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/stopwatch.h>
#include <wx/testing.h>

#include <optional>

#include "ui/dialogs/record_control.h"
#include "ui/dialogs/record_dialog.h"
#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"
#include "support/gui_helpers.h"

template <>
class wxExpectModal<RecordDialog> : public wxExpectModalBase<RecordDialog> {
public:
    explicit wxExpectModal(std::function<int(RecordDialog*)> act) : m_act(std::move(act)) {}

protected:
    int OnInvoked(RecordDialog* dialog) const override { return m_act(dialog); }

private:
    std::function<int(RecordDialog*)> m_act;
};

namespace {

// A borderless window of one colour at a known place on the screen, above the main window.
class Patch {
public:
    explicit Patch(const wxColour& colour)
        : m_window(new wxFrame(nullptr, wxID_ANY, "patch", wxPoint(700, 560), wxSize(160, 120),
                               wxBORDER_NONE | wxSTAY_ON_TOP))
    {
        Paint(colour);
        m_window->Show();
        YieldFor(300);
    }
    ~Patch() { m_window->Destroy(); }
    // Without a window manager, the main window that comes back after a recording covers
    // whatever it likes: the patch is raised again with each colour.
    void Paint(const wxColour& colour)
    {
        m_window->Raise();
        m_window->SetBackgroundColour(colour);
        m_window->Refresh();
        m_window->Update();
    }
    // Its inside, away from any edge the toolkit might draw.
    CaptureRect Inside() const
    {
        const wxPoint at = m_window->GetScreenPosition();
        return {at.x + 20, at.y + 20, 120, 80};
    }

private:
    wxFrame* m_window;
};

// Fills the dialog: the region, no countdown unless given, the rate and the limit.
std::function<int(RecordDialog*)> Choose(const CaptureRect& region, int countdown = 0,
                                         int limit = 0)
{
    return [=](RecordDialog* d) {
        EXPECT_TRUE(d->HasSource()) << "the X server of the tests is open";
        d->m_x->SetValue(region.x);
        d->m_y->SetValue(region.y);
        d->m_width->SetValue(region.width);
        d->m_height->SetValue(region.height);
        d->RegionFieldsChanged();
        d->m_fps->SetValue(20);
        d->m_countdown->SetValue(countdown);
        d->m_limited->SetValue(limit > 0);
        d->m_limit->SetValue(limit > 0 ? limit : 1);
        d->m_merge->SetValue(true);
        d->m_pointer->SetValue(false);
        return wxID_OK;
    };
}

void Click(wxButton* button)
{
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
}

// The colour in the middle of frame index, as "rgb(r, g, b)".
std::string PixelOf(MainWindow& frame, int index)
{
    const wxImage image = Probe(frame).Document().Frame(index)->picture->ToImage();
    const int x = image.GetWidth() / 2, y = image.GetHeight() / 2;
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y))
        .GetAsString(wxC2S_CSS_SYNTAX)
        .ToStdString();
}

const std::string kRed = "rgb(255, 0, 0)", kGreen = "rgb(0, 255, 0)", kBlue = "rgb(0, 0, 255)";

int TotalDelay(MainWindow& frame)
{
    int total = 0;
    for (int i = 0; i < frame.FrameCount(); ++i)
        total += Probe(frame).Document().Frame(i)->delay;
    return total;
}

// The session's variables as a test sets them, given back at the end.
class SessionVariables {
public:
    SessionVariables()
    {
        for (const char* name : kNames) {
            wxString value;
            m_saved.push_back(wxGetEnv(name, &value) ? std::optional<wxString>(value)
                                                     : std::nullopt);
            wxUnsetEnv(name);
        }
    }
    ~SessionVariables()
    {
        for (size_t i = 0; i < m_saved.size(); ++i)
            m_saved[i] ? wxSetEnv(kNames[i], *m_saved[i]) : wxUnsetEnv(kNames[i]);
    }

private:
    static constexpr const char* kNames[] = {"DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE",
                                             "DBUS_SESSION_BUS_ADDRESS"};
    std::vector<std::optional<wxString>> m_saved;
};

} // namespace

TEST(ScreenRecording, ASessionWithoutAScreenOrAServerThatCantBeReachedIsTold)
{
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    SessionVariables session;
    wxTEST_DIALOG(fixture.Command(ID_RECORD_SCREEN),
                  ExpectMessage(wxID_OK, "no X11 display and no Wayland desktop"));
    wxSetEnv("DISPLAY", ":97");
    wxTEST_DIALOG(fixture.Command(ID_RECORD_SCREEN),
                  wxExpectModal<RecordDialog>([](RecordDialog* d) {
                      EXPECT_FALSE(d->HasSource());
                      EXPECT_FALSE(d->m_ok->IsEnabled());
                      EXPECT_NE(d->m_sourceLine->GetLabel().Find("can't be recorded"),
                                wxNOT_FOUND)
                          << d->m_sourceLine->GetLabel();
                      return wxID_CANCEL;
                  }));
    // A Wayland desktop without a session bus: a long reason, which wraps instead of widening
    // the dialog.
    wxSetEnv("WAYLAND_DISPLAY", "wayland-absent");
    wxSetEnv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
    wxTEST_DIALOG(fixture.Command(ID_RECORD_SCREEN),
                  wxExpectModal<RecordDialog>([](RecordDialog* d) {
                      const auto line = [d] {
                          wxString text = d->m_sourceLine->GetLabel();
                          text.Replace("\n", " ");
                          return text;
                      };
                      EXPECT_TRUE(WaitFor("the portal's refusal",
                                          [&] { return line().Find("D-Bus") != wxNOT_FOUND; }));
                      EXPECT_NE(line().Find("can't be recorded"), wxNOT_FOUND) << line();
                      const int withLine = d->GetSizer()->CalcMin().x;
                      d->m_sourceLine->Hide();
                      EXPECT_LE(withLine, d->GetSizer()->CalcMin().x) << line();
                      d->m_sourceLine->Show();
                      return wxID_CANCEL;
                  }));
    EXPECT_EQ(Probe(frame).Recording(), nullptr);
    EXPECT_EQ(frame.FrameCount(), 0);
}

TEST(ScreenRecording, ARegionBecomesTimedFramesOfOneStepAndAPauseCountsForNothing)
{
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    Patch patch(*wxRED);
    const CaptureRect region = patch.Inside();
    wxTEST_DIALOG(fixture.Command(ID_RECORD_SCREEN), wxExpectModal<RecordDialog>(Choose(region)));
    RecordControl* control = Probe(frame).Recording();
    ASSERT_TRUE(control);
    ASSERT_TRUE(control->Recording()) << "no countdown: the recorder runs at once";
    EXPECT_FALSE(MenuItem(frame, ID_RECORD_SCREEN)->IsEnabled()) << "one recording at a time";
    wxStopWatch wall;

    YieldFor(700);
    patch.Paint(*wxBLUE);
    YieldFor(500);
    wxStopWatch pause;
    Click(control->m_pause);
    ASSERT_TRUE(control->Status().paused);
    const double pausedAt = control->Status().seconds;
    YieldFor(800);
    EXPECT_NEAR(control->Status().seconds, pausedAt, 0.05) << "the clock stands while paused";
    Click(control->m_pause);
    const long paused = pause.Time();
    EXPECT_FALSE(control->Status().paused);
    YieldFor(300);
    const double recorded = control->Status().seconds;
    Click(control->m_stop);
    // The time paused is left out of the recording, and nothing else.
    EXPECT_NEAR(recorded * 1000, wall.Time() - paused, 100);

    ASSERT_EQ(Probe(frame).Recording(), nullptr);
    ASSERT_GE(frame.FrameCount(), 2);
    // A still window merges into few frames, not one per twentieth of a second.
    EXPECT_LE(frame.FrameCount(), 5);
    EXPECT_EQ(PixelOf(frame, 0), kRed);
    EXPECT_EQ(PixelOf(frame, frame.FrameCount() - 1), kBlue);
    EXPECT_EQ(FrameSize(*Probe(frame).Document().Frame(0)), wxSize(region.width, region.height));
    // Made while recording: the strip decodes no picture at Stop.
    for (int i = 0; i < frame.FrameCount(); ++i)
        EXPECT_TRUE(Probe(frame).Document().Frame(i)->thumbnail) << i;
    // The frames last as long as the recording did.
    EXPECT_NEAR(TotalDelay(frame), recorded * 100, 3);
    EXPECT_EQ(MenuItem(frame, wxID_UNDO)->GetItemLabel(),
              wxString::Format("&Undo Record %d Frames\tCtrl+Z", frame.FrameCount()));
    EXPECT_TRUE(MenuItem(frame, ID_RECORD_SCREEN)->IsEnabled());
    fixture.Command(wxID_UNDO);
    EXPECT_EQ(frame.FrameCount(), 0);
}

TEST(ScreenRecording, TheCountdownGoesFirstOrCancelsAndTheLimitEndsARecordingAfterTheSelection)
{
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    Patch patch(*wxGREEN);
    wxTEST_DIALOG(fixture.Command(ID_RECORD_SCREEN),
                  wxExpectModal<RecordDialog>(Choose(patch.Inside(), 3, 1)));
    ASSERT_TRUE(Probe(frame).Recording());
    Click(Probe(frame).Recording()->m_stop);
    EXPECT_EQ(Probe(frame).Recording(), nullptr) << "Stop during the countdown cancels";
    EXPECT_EQ(frame.FrameCount(), 0);
    EXPECT_TRUE(MenuItem(frame, ID_RECORD_SCREEN)->IsEnabled());
    patch.Paint(*wxGREEN);

    // Two frames there already, the first selected: the recording goes between them.
    wxTEST_DIALOG(fixture.Command(ID_RECORD_SCREEN),
                  wxExpectModal<RecordDialog>(Choose(patch.Inside(), 0, 1)));
    WaitFor("the first recording to end", [&] { return !Probe(frame).Recording(); });
    wxTEST_DIALOG(fixture.Command(ID_RECORD_SCREEN),
                  wxExpectModal<RecordDialog>(Choose(patch.Inside(), 0, 1)));
    WaitFor("the second recording to end", [&] { return !Probe(frame).Recording(); });
    ASSERT_EQ(frame.FrameCount(), 2);
    Probe(frame).Strip()->SetSelection({0});
    const PictureRef last = Probe(frame).Document().Frame(1)->picture;

    patch.Paint(*wxBLUE);
    wxTEST_DIALOG(fixture.Command(ID_RECORD_SCREEN),
                  wxExpectModal<RecordDialog>(Choose(patch.Inside(), 1, 1)));
    RecordControl* control = Probe(frame).Recording();
    ASSERT_TRUE(control);
    EXPECT_FALSE(control->Recording());
    EXPECT_NE(control->m_state->GetLabel().Find("1"), wxNOT_FOUND) << control->m_state->GetLabel();
    WaitFor("the countdown", [&] { return !Probe(frame).Recording() || control->Recording(); });
    WaitFor("the limit to end the recording", [&] { return !Probe(frame).Recording(); });
    ASSERT_EQ(frame.FrameCount(), 3);
    EXPECT_EQ(PixelOf(frame, 0), kGreen);
    EXPECT_EQ(PixelOf(frame, 1), kBlue);
    EXPECT_EQ(Probe(frame).Document().Frame(2)->picture, last);
    EXPECT_NEAR(Probe(frame).Document().Frame(1)->delay, 100, 10);

    // Exit during a recording keeps its frames, and asks about them as about any change.
    wxTEST_DIALOG(fixture.Command(ID_RECORD_SCREEN),
                  wxExpectModal<RecordDialog>(Choose(patch.Inside())));
    ASSERT_TRUE(Probe(frame).Recording());
    YieldFor(300);
    wxTEST_DIALOG(fixture.Command(ID_EXIT_PROGRAM), ExpectMessage(wxID_CANCEL, "unsaved"));
    ASSERT_TRUE(fixture.Alive());
    EXPECT_EQ(Probe(frame).Recording(), nullptr);
    EXPECT_EQ(frame.FrameCount(), 4);
}
