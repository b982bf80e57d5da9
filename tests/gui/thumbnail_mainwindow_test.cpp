// The strip inside the real main window: frames appended to it go through the paint handler
// into its buffer (the other strip tests call the drawing directly).
#include <gtest/gtest.h>
#include <wx/file.h>

#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"
#include "support/gui_helpers.h"
#include "support/temp_dir.h"
#include "support/test_images.h"

namespace {

// The buffer holds the client area as the last paint drew it.
wxColour PaintedPixel(const FrameStrip* strip, const wxPoint& client)
{
    const wxImage img = strip->GetBufferBitmap().ConvertToImage();
    return wxColour(img.GetRed(client.x, client.y), img.GetGreen(client.x, client.y),
                    img.GetBlue(client.x, client.y));
}

}  // namespace

TEST(ThumbnailStripInMainWindow, AppendedFramesArePaintedAsTiles)
{
    MainWindowFixture fixture;
    FrameStrip* strip = Probe(fixture.Frame()).Strip();
    ASSERT_NE(nullptr, strip);
    TempDir dir;
    wxFile(dir.File("red.png"), wxFile::write).Write("x", 1);
    for (int i = 0; i < 3; ++i) {
        auto* item = new FrameTile(
            nullptr, std::make_shared<const wxImage>(SolidImage(60, 40, 255, 0, 0)),
            dir.File("red.png"));
        ASSERT_EQ(i, strip->Append(item, 10));
    }
    wxRect box;
    ASSERT_TRUE(strip->GetItemRectImage(2, box));
    ASSERT_GT(strip->GetClientSize().y, box.GetBottom()) << "the strip is too small for a tile";
    const wxPoint centre(box.x + box.width / 2, box.y + box.height / 2);
    WaitFor("the third tile painted",
            [&] { return PaintedPixel(strip, centre) == wxColour(255, 0, 0); }, 3000);
    EXPECT_EQ(strip->GetPalette().background, PaintedPixel(strip, wxPoint(1, 1)));
}
