// The preview as a user works it: zoomed with Ctrl and the wheel or the keys, scrolled when
// larger than the panel, and the crop's rectangle dragged over its picture.
#include <gtest/gtest.h>
#include <wx/uiaction.h>

#include "core/view/canvas_math.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"
#include "support/temp_dir.h"

namespace {

class PreviewView : public ::testing::Test {
protected:
    void SetUp() override
    {
        Frame().Raise();
        YieldFor(100);
    }
    MainWindow& Frame() { return fixture.Frame(); }
    wxScrolledWindow& Panel() { return *Probe(Frame()).PreviewPanel(); }
    void Load(int w, int h)
    {
        fixture.AddImages(Paths({WritePicture(dir, "picture.png", w, h)}));
        WaitFor("the picture shown", [&] { return Probe(Frame()).ShownIndex() == 0; }, 3000);
    }
    // A notch of the wheel over the preview at client point at, as the toolkit reports it.
    void Wheel(const wxPoint& at, int rotation, bool ctrl)
    {
        wxMouseEvent event(wxEVT_MOUSEWHEEL);
        event.SetPosition(at);
        event.m_wheelRotation = rotation;
        event.m_wheelDelta = 120;
        event.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
        event.SetControlDown(ctrl);
        event.SetEventObject(&Panel());
        Panel().GetEventHandler()->ProcessEvent(event);
        YieldFor(50);
    }

    TempDir dir;
    MainWindowFixture fixture;
    wxUIActionSimulator sim;
};

}  // namespace

TEST_F(PreviewView, CtrlWheelAndKeysZoomThroughTheLevelsAndScrollALargerPicture)
{
    Probe(Frame()).Zoom() = kZoomFit;
    Load(1000, 800);
    const wxSize view = Panel().GetClientSize();
    ASSERT_LT(view.y, 800) << "the panel is too large for the test";
    // Fit shows the whole picture: nothing to scroll.
    EXPECT_EQ(wxPoint(0, 0), Panel().GetViewStart());
    EXPECT_EQ(view, Panel().GetVirtualSize());

    // Two notches up with Ctrl over the middle of the panel: 50 %, then 100 %, which scrolls
    // so that the middle of the picture stays under the pointer.
    const wxPoint middle(view.x / 2, view.y / 2);
    Wheel(middle, 120, true);
    EXPECT_EQ(50, Probe(Frame()).Zoom());
    Wheel(middle, 120, true);
    EXPECT_EQ(100, Probe(Frame()).Zoom());
    WaitFor("the scrolled size", [&] { return Panel().GetVirtualSize() == wxSize(1000, 800); },
            3000);
    const wxPoint start = Panel().GetViewStart();
    EXPECT_NEAR(500 - view.x / 2, start.x, 2);
    EXPECT_NEAR(400 - view.y / 2, start.y, 2);
    Probe(Frame()).ViewMenu()->UpdateUI();
    EXPECT_TRUE(Probe(Frame()).ViewMenu()->FindItem(ID_ZOOM_100)->IsChecked());

    // The wheel alone scrolls, and leaves the zoom.
    Wheel(middle, -120, false);
    EXPECT_GT(Panel().GetViewStart().y, start.y);
    EXPECT_EQ(100, Probe(Frame()).Zoom());

    // The keys: Ctrl+= zooms in, Ctrl+- out, Ctrl+0 fits.
    Panel().SetFocus();
    YieldFor(50);
    sim.Char('=', wxMOD_CONTROL);
    WaitFor("Ctrl+=", [&] { return Probe(Frame()).Zoom() == 200; }, 3000);
    EXPECT_EQ(wxSize(2000, 1600), Panel().GetVirtualSize());
    sim.Char('-', wxMOD_CONTROL);
    WaitFor("Ctrl+-", [&] { return Probe(Frame()).Zoom() == 100; }, 3000);
    sim.Char('0', wxMOD_CONTROL);
    WaitFor("Ctrl+0", [&] { return Probe(Frame()).Zoom() == kZoomFit; }, 3000);
    WaitFor("nothing to scroll", [&] { return Panel().GetVirtualSize() == Panel().GetClientSize(); },
            3000);
    EXPECT_EQ(wxPoint(0, 0), Panel().GetViewStart());
}

TEST_F(PreviewView, ACropDraggedOnThePreviewAndEnterMakeOneStepToUndo)
{
    Probe(Frame()).Zoom() = kZoomFit;
    Load(200, 150);
    fixture.Command(ID_CROP);
    CropEditor* crop = Probe(Frame()).Crop();
    ASSERT_TRUE(crop->Active());
    EXPECT_TRUE(crop->Bar()->IsShown());
    YieldFor(100);
    // A small picture is shown unscaled, so a picture pixel is a pixel of the panel.
    const wxRect place = PreviewPlacement(Panel().GetClientSize(), wxSize(200, 150));
    ASSERT_EQ(wxSize(200, 150), place.GetSize());
    const wxPoint from = Panel().ClientToScreen(place.GetPosition() + wxPoint(20, 30));
    const wxPoint to = Panel().ClientToScreen(place.GetPosition() + wxPoint(120, 110));
    sim.MouseMove(from);
    YieldFor(30);
    sim.MouseDown();
    YieldFor(30);
    for (int i = 1; i <= 8; ++i) {
        sim.MouseMove(from + (to - from) * i / 8);
        YieldFor(25);
    }
    sim.MouseUp();
    WaitFor("the rectangle drawn", [&] { return crop->Region() == CaptureRect{20, 30, 100, 80}; },
            3000);

    sim.Char(WXK_RETURN);
    WaitFor("the crop applied", [&] { return !crop->Active(); }, 3000);
    EXPECT_FALSE(crop->Bar()->IsShown());
    EXPECT_EQ(wxSize(100, 80), Probe(Frame()).Document().Canvas());

    Panel().SetFocus();
    sim.Char('Z', wxMOD_CONTROL);
    WaitFor("Ctrl+Z", [&] { return Probe(Frame()).Document().Canvas() == wxSize(200, 150); },
            3000);

    // Escape leaves without a step.
    fixture.Command(ID_CROP);
    ASSERT_TRUE(crop->Active());
    YieldFor(50);
    sim.Char(WXK_ESCAPE);
    WaitFor("the crop cancelled", [&] { return !crop->Active(); }, 3000);
    EXPECT_EQ(wxSize(200, 150), Probe(Frame()).Document().Canvas());
}
