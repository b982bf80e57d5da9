// Frames with delays of their own: Set Delay, Scale Delays, the labels, the length and the
// preview's timing.
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>
#include <wx/testing.h>

#include "ui/strip/frame_strip.h"
#include "ui/dialogs/delay_dialogs.h"
#include "ui/window/main_window.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"

namespace {
// Answers Set Delay with a delay of the frames' own, or the common one (kCommonDelay).
class AnswerSetDelay : public wxExpectModalBase<SetDelayDialog, AnswerSetDelay> {
public:
    explicit AnswerSetDelay(int delay) : m_delay(delay) {}

protected:
    int OnInvoked(SetDelayDialog* dialog) const override
    {
        dialog->m_common->SetValue(m_delay == kCommonDelay);
        if (m_delay != kCommonDelay)
            dialog->m_delay->SetValue(m_delay);
        return wxID_OK;
    }

private:
    int m_delay;
};

class AnswerScale : public wxExpectModalBase<ScaleDelaysDialog, AnswerScale> {
public:
    AnswerScale(int percent, bool all) : m_percent(percent), m_all(all) {}

protected:
    int OnInvoked(ScaleDelaysDialog* dialog) const override
    {
        dialog->m_percent->SetValue(m_percent);
        (m_all ? dialog->m_all : dialog->m_selected)->SetValue(true);
        return wxID_OK;
    }

private:
    int m_percent;
    bool m_all;
};

std::vector<wxString> Labels(MainWindow& frame)
{
    std::vector<wxString> labels;
    for (int i = 0; i < frame.FrameCount(); ++i)
        labels.push_back(Probe(frame).Strip()->LabelText(i));
    return labels;
}

struct ThreeFrames {
    ThreeFrames()
    {
        fixture.AddImages(Paths({WritePicture(dir, "a.png", 10, 10), WritePicture(dir, "b.png", 10, 10),
                                 WritePicture(dir, "c.png", 10, 10)}));
    }
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
};
}

TEST(FrameTiming, SetDelayMarksTheFrameMovesTheStartsAndUndoes)
{
    ThreeFrames t;
    Probe(t.frame).Strip()->Select(1);
    wxTEST_DIALOG(t.fixture.Command(ID_SET_DELAY), AnswerSetDelay(250));
    EXPECT_EQ(Labels(t.frame),
              (std::vector<wxString>{"#1  0.00sec", "#2  0.10sec*", "#3  2.60sec"}));
    YieldFor(20);
    EXPECT_EQ(t.frame.GetStatusBar()->GetStatusText(2), "Length: 2.70 s");
    EXPECT_EQ(MenuItem(t.frame, wxID_UNDO)->GetItemLabel(), "&Undo Set Delay\tCtrl+Z");

    // The common delay moves only the frames that follow it.
    t.fixture.Edit(Probe(t.frame).DelayControl(), 20);
    EXPECT_EQ(Labels(t.frame),
              (std::vector<wxString>{"#1  0.00sec", "#2  0.20sec*", "#3  2.70sec"}));

    Probe(t.frame).Strip()->Select(1);
    wxTEST_DIALOG(t.fixture.Command(ID_SET_DELAY), AnswerSetDelay(kCommonDelay));
    EXPECT_EQ(Labels(t.frame), (std::vector<wxString>{"#1  0.00sec", "#2  0.20sec", "#3  0.40sec"}));
    t.fixture.Command(wxID_UNDO);
    t.fixture.Command(wxID_UNDO);
    EXPECT_EQ(Labels(t.frame),
              (std::vector<wxString>{"#1  0.00sec", "#2  0.10sec*", "#3  2.60sec"}));
    t.fixture.Command(wxID_UNDO);
    EXPECT_EQ(Labels(t.frame), (std::vector<wxString>{"#1  0.00sec", "#2  0.10sec", "#3  0.20sec"}));
}

TEST(FrameTiming, ScalingEveryDelayIsOneStepAndTheSelectionGetsDelaysOfItsOwn)
{
    ThreeFrames t;
    Probe(t.frame).Strip()->Select(2);
    wxTEST_DIALOG(t.fixture.Command(ID_SET_DELAY), AnswerSetDelay(40));
    wxTEST_DIALOG(t.fixture.Command(ID_SCALE_DELAYS), AnswerScale(50, true));
    EXPECT_EQ(Probe(t.frame).DelayControl()->GetValue(), 5);
    EXPECT_EQ(Probe(t.frame).Document().EffectiveDelay(2), 20);
    t.fixture.Command(wxID_UNDO);
    EXPECT_EQ(Probe(t.frame).DelayControl()->GetValue(), 10);
    EXPECT_EQ(Probe(t.frame).Document().EffectiveDelay(2), 40);

    Probe(t.frame).Strip()->Select(0);
    wxTEST_DIALOG(t.fixture.Command(ID_SCALE_DELAYS), AnswerScale(300, false));
    EXPECT_EQ(Probe(t.frame).Document().Frame(0)->delay, 30);
    EXPECT_EQ(Probe(t.frame).Document().Frame(1)->delay, kCommonDelay);
    EXPECT_EQ(Probe(t.frame).Document().EffectiveDelay(2), 120);
}

TEST(FrameTiming, ThePreviewShowsEachFrameForItsOwnDelay)
{
    ThreeFrames t;
    Probe(t.frame).Strip()->Select(1);
    wxTEST_DIALOG(t.fixture.Command(ID_SET_DELAY), AnswerSetDelay(1));
    t.fixture.Edit(Probe(t.frame).DelayControl(), 25);
    t.fixture.Command(ID_RUN_ANIMATION);
    wxTimerEvent tick;
    Probe(t.frame).Player().Start(Probe(t.frame).Document(), 1);
    Probe(t.frame).OnTimer(tick);
    EXPECT_EQ(Probe(t.frame).ShownIndex(), 1);
    // A delay of 1 plays as 10, as in browsers.
    EXPECT_EQ(Probe(t.frame).PreviewTimer().GetInterval(), 100);
    Probe(t.frame).OnTimer(tick);
    EXPECT_EQ(Probe(t.frame).ShownIndex(), 2);
    EXPECT_EQ(Probe(t.frame).PreviewTimer().GetInterval(), 250);
    t.fixture.Command(ID_RUN_ANIMATION);
}
