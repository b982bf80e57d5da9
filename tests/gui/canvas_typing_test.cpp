// The canvas controls under real typing: sizes a GIF can't have are never taken.
#include <gtest/gtest.h>
#include <wx/spinctrl.h>
#include <wx/uiaction.h>

#include "ui/window/main_window.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"

TEST(CanvasTyping, TypedSizesStayWithinWhatAGifCanHold)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.AddImages(Paths({WritePicture(dir, "tall.png", 10, 1000)}));

    // 1000 wide would make the height 100,000: the width is lowered until the height fits.
    TypeInto(Probe(frame).WidthControl(), "1000");
    EXPECT_EQ(Probe(frame).Document().Canvas().y, 65500);
    EXPECT_EQ(Probe(frame).Document().Canvas().x, 655);
    EXPECT_EQ(Probe(frame).WidthControl()->GetValue(), 655);
    EXPECT_EQ(Probe(frame).HeightControl()->GetValue(), 65500);

    // A side of 0 can't be entered while frames exist.
    TypeInto(Probe(frame).HeightControl(), "0");
    Probe(frame).DelayControl()->SetFocus();
    YieldFor(100);
    EXPECT_GE(Probe(frame).HeightControl()->GetValue(), 1);
    EXPECT_GE(Probe(frame).Document().Canvas().y, 1);
    EXPECT_GE(Probe(frame).Document().Canvas().x, 1);
    EXPECT_EQ(Probe(frame).Document().Canvas().y, Probe(frame).HeightControl()->GetValue());
}
