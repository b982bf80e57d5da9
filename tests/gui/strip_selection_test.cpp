// The strip under real input drives the preview: keys and Ctrl+A show the focused frame, a
// right-click acts on the clicked frame, the Delete key deletes the selection.
#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/panel.h>
#include <wx/statusbr.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"

namespace {
class StripSelection : public testing::Test {
protected:
    void SetUp() override
    {
        wxArrayString paths;
        for (int i = 0; i < 4; ++i)
            paths.Add(WritePicture(dir, wxString::Format("f%d.png", i).c_str(), 20 + i, 10,
                                   wxColour(40 * i, 90, 200)));
        fixture.AddImages(paths);
    }
    MainWindow& Frame() { return fixture.Frame(); }
    FrameStrip& Strip() { return *Probe(Frame()).Strip(); }
    wxPoint TileCentre(int index)
    {
        wxRect rect;
        Strip().GetItemRect(index, rect);
        return Strip().ClientToScreen(rect.GetPosition() + wxPoint(rect.width / 2, rect.height / 2));
    }

    TempDir dir;
    MainWindowFixture fixture;
};
}

TEST_F(StripSelection, KeysAndSelectAllShowTheFocusedFrame)
{
    wxUIActionSimulator sim;
    sim.MouseMove(TileCentre(0));
    sim.MouseClick();
    WaitFor("the click", [&] { return Probe(Frame()).ShownIndex() == 0 && Strip().IsSelected(0); });
    sim.Char(WXK_RIGHT);
    WaitFor("the right arrow", [&] { return Probe(Frame()).ShownIndex() == 1; }, 3000);
    EXPECT_TRUE(Frame().GetStatusBar()->GetStatusText(1).StartsWith("f1.png")) << "status follows";
    sim.Char(WXK_END);
    WaitFor("End", [&] { return Probe(Frame()).ShownIndex() == 3; }, 3000);
    sim.Char(WXK_HOME);
    WaitFor("Home", [&] { return Probe(Frame()).ShownIndex() == 0; }, 3000);
    sim.Char(WXK_RIGHT, wxMOD_SHIFT);
    WaitFor("Shift+Right", [&] { return Probe(Frame()).ShownIndex() == 1; }, 3000);
    sim.Char('A', wxMOD_CONTROL);
    WaitFor("Ctrl+A", [&] { return Probe(Frame()).ShownIndex() == 3; }, 3000);
    EXPECT_EQ(Strip().m_selections.size(), 4u);
}

TEST_F(StripSelection, RightClickSelectsTheClickedFrameAndDeleteRemovesIt)
{
    Strip().Select(0);
    wxUIActionSimulator sim;
    // The pop-up runs its own loop; a timer closes it as the user would, with Escape.
    wxTimer closer;
    closer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { wxUIActionSimulator().Char(WXK_ESCAPE); });
    closer.StartOnce(400);
    sim.MouseMove(TileCentre(2));
    sim.MouseClick(wxMOUSE_BTN_RIGHT);
    WaitFor("the pop-up to close", [&] { return !closer.IsRunning(); }, 5000);
    YieldFor(200);
    EXPECT_EQ(Strip().m_selections.size(), 1u);
    EXPECT_TRUE(Strip().IsSelected(2)) << "the clicked frame alone is selected";

    Strip().SetFocus();
    YieldFor(50);
    wxTEST_DIALOG(
        {
            sim.Char(WXK_DELETE);
            WaitFor("the deletion", [&] { return Frame().FrameCount() == 3; }, 5000);
        },
        wxExpectModal<wxMessageDialog>(wxID_YES).Describe("the Delete question"));
    EXPECT_EQ(FrameNames(Frame(), true), Paths({"f0.png", "f1.png", "f3.png"}));
}

TEST(PreviewPanel, AnEmptyWindowShowsHowToAddImagesOnGrey)
{
    MainWindowFixture fixture;
    const wxSize size = Probe(fixture.Frame()).PreviewPanel()->GetClientSize();
    ASSERT_GT(size.GetWidth(), 100);
    wxBitmap picture(size);
    {
        wxMemoryDC dc(picture);
        Probe(fixture.Frame()).DrawPreview(dc, -1);
    }
    const wxImage image = picture.ConvertToImage();
    int light = 0;
    const int middle = image.GetHeight() / 2;
    for (int y = middle - 20; y < middle + 20; ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            light += image.GetRed(x, y) > 200 ? 1 : 0;
    EXPECT_EQ(image.GetRed(1, 1), 128) << "a neutral grey, whatever the theme";
    EXPECT_GT(light, 20) << "the hint's text stands in the middle of the panel";
}
