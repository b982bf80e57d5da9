// The strip as the screen shows it, under the desktop theme the test runs with (CTest runs
// these once more with the dark variant): labels at the desktop's small text or larger, every
// text at 4.5:1 or more against its tile, and a thumbnail size the user picks with Ctrl and
// the wheel, which the next window remembers. The figures measured are printed.
#include <cstdlib>
#include <iostream>
#include <map>

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/textfile.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "core/settings/settings_store.h"
#include "core/strip/strip_palette.h"
#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"

namespace {

// What the screen shows of a window's client area.
wxImage ScreenPixels(wxWindow& window)
{
    window.Update();
    YieldFor(100);
    const wxSize size = window.GetClientSize();
    const wxPoint origin = window.ClientToScreen(wxPoint(0, 0));
    wxBitmap bitmap(size);
    {
        wxMemoryDC memory(bitmap);
        wxScreenDC screen;
        memory.Blit(0, 0, size.x, size.y, &screen, origin.x, origin.y);
    }
    return bitmap.ConvertToImage();
}

wxColour Pixel(const wxImage& image, int x, int y)
{
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

// Text in a box of a picture as a reader meets it: the background (the commonest colour),
// the ink (the pixel of most contrast with it) and the height of the rows that carry ink
// (pixels at least half way to the ink's contrast).
struct TextFigures {
    wxColour background;
    double contrast = 1;
    int inkHeight = 0;
};

TextFigures MeasureText(const wxImage& image, const wxRect& box)
{
    std::map<unsigned long, int> counts;
    for (int y = box.y; y <= box.GetBottom(); ++y)
        for (int x = box.x; x <= box.GetRight(); ++x)
            ++counts[Pixel(image, x, y).GetRGB()];
    unsigned long common = 0;
    int most = 0;
    for (const auto& c : counts)
        if (c.second > most) {
            most = c.second;
            common = c.first;
        }
    TextFigures figures;
    figures.background.SetRGB(static_cast<wxUint32>(common));
    for (int y = box.y; y <= box.GetBottom(); ++y)
        for (int x = box.x; x <= box.GetRight(); ++x)
            figures.contrast =
                std::max(figures.contrast, ContrastRatio(Pixel(image, x, y), figures.background));
    int top = -1, bottom = -1;
    for (int y = box.y; y <= box.GetBottom(); ++y)
        for (int x = box.x; x <= box.GetRight(); ++x)
            if (ContrastRatio(Pixel(image, x, y), figures.background) >=
                1 + (figures.contrast - 1) / 2) {
                top = top < 0 ? y : top;
                bottom = y;
            }
    figures.inkHeight = top < 0 ? 0 : bottom - top + 1;
    return figures;
}

// The ink height of text drawn in font, as MeasureText finds it.
int InkHeight(const wxString& text, const wxFont& font)
{
    wxBitmap bitmap(200, 60);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        dc.SetFont(font);
        dc.SetTextForeground(*wxBLACK);
        dc.DrawText(text, 4, 4);
    }
    return MeasureText(bitmap.ConvertToImage(), wxRect(0, 0, 200, 60)).inkHeight;
}

bool DarkThemeAsked()
{
    const char* theme = std::getenv("GTK_THEME");
    return theme && wxString(theme).Lower().Contains(":dark");
}

class StripLook : public testing::Test {
protected:
    MainWindow& Frame() { return fixture.Frame(); }
    FrameStrip& Strip() { return *Probe(Frame()).Strip(); }
    void LoadFrames(int count)
    {
        wxArrayString paths;
        for (int i = 0; i < count; ++i)
            paths.Add(WritePicture(dir, wxString::Format("frame%d.png", i).c_str(), 320, 240,
                                   wxColour(60 * i, 120, 200)));
        fixture.AddImages(paths);
    }
    wxRect Tile(int index)
    {
        wxRect rect;
        Strip().GetItemRect(index, rect);
        return rect;
    }

    TempDir dir;
    MainWindowFixture fixture;
};

}  // namespace

TEST_F(StripLook, LabelsAreSmallTextOrLargerAndEveryTextReadsOnItsTile)
{
    const bool dark = DarkThemeAsked();
    EXPECT_EQ(dark, wxSystemSettings::GetAppearance().IsDark()) << "the theme the run asked for";
    LoadFrames(4);
    // Tile 1 selected with the keyboard in the strip, tile 2 plain.
    Strip().SetFocus();
    Strip().SetSelection({1});
    const wxImage screen = ScreenPixels(Strip());
    const ThumbnailGrid grid = Strip().Grid();
    const LabelLayout& label = Strip().GetLabelLayout();
    const wxFont desktop = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    wxFont small = desktop;
    small.SetFractionalPointSize(SmallTextPoints(desktop));

    EXPECT_EQ(dark, RelativeLuminance(Pixel(screen, 1, 1)) < 0.2) << "the strip's background";
    const char* theme = dark ? "dark" : "light";
    for (int index : {1, 2}) {
        const wxRect tile = Tile(index);
        wxRect firstLine = grid.LabelRect(tile);
        firstLine.height = label.lineHeight;
        const TextFigures text = MeasureText(screen, firstLine);
        const TextFigures caption = MeasureText(screen, grid.CaptionRect(tile));
        const wxString number = wxString::Format("#%d", index + 1);
        SCOPED_TRACE(index);
        EXPECT_GE(text.contrast, kTextContrast);
        EXPECT_GE(caption.contrast, kTextContrast);
        EXPECT_GE(label.font.GetFractionalPointSize(), SmallTextPoints(desktop) - 0.01);
        // The digits on screen are as tall as the desktop's small text draws them, or taller.
        EXPECT_GE(text.inkHeight, InkHeight(number, small));
        std::cout << "[figure] " << theme << " theme, " << (index == 1 ? "selected" : "plain")
                  << " tile: label " << label.font.GetFractionalPointSize() << " pt ("
                  << text.inkHeight << " px of ink; the desktop's small text "
                  << SmallTextPoints(desktop) << " pt, " << InkHeight(number, small)
                  << " px), label contrast " << text.contrast << ":1, caption contrast "
                  << caption.contrast << ":1, tile "
                  << text.background.GetAsString(wxC2S_HTML_SYNTAX) << "\n";
    }
}

TEST_F(StripLook, CtrlWithTheWheelResizesTheThumbnailsAndTheNextWindowRemembers)
{
    LoadFrames(3);
    ASSERT_EQ(ThumbnailSize::Medium, Strip().GetThumbnailSize());
    const wxRect tile = Tile(0);
    // A notch of the wheel up with Ctrl held, as the toolkit reports it over the strip.
    auto wheel = [&](int rotation, bool ctrl) {
        wxMouseEvent event(wxEVT_MOUSEWHEEL);
        event.SetPosition(tile.GetPosition() + wxPoint(20, 20));
        event.m_wheelRotation = rotation;
        event.m_wheelDelta = 120;
        event.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
        event.SetControlDown(ctrl);
        event.SetEventObject(&Strip());
        Strip().GetEventHandler()->ProcessEvent(event);
    };
    wheel(120, true);
    WaitFor("the larger size", [&] { return Strip().GetThumbnailSize() == ThumbnailSize::Large; },
            3000);
    auto* item = dynamic_cast<FrameTile*>(Strip().GetItem(0));
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(wxSize(128, 96), item->m_thumbnail.GetSize()) << "the thumbnails made anew";
    EXPECT_GT(Tile(0).width, tile.width);
    Probe(Frame()).ViewMenu()->UpdateUI();
    EXPECT_TRUE(Probe(Frame()).ViewMenu()->FindItem(ID_THUMBNAILS_LARGE)->IsChecked());
    wxTextFile settings(GetSettingsFilePath());
    ASSERT_TRUE(settings.Open());
    bool stored = false;
    for (size_t i = 0; i < settings.GetLineCount(); ++i)
        stored = stored || settings[i] == "ThumbnailSize=2";
    EXPECT_TRUE(stored) << "the size is in the settings file";

    // The wheel alone scrolls, and leaves the size.
    wheel(-120, false);
    YieldFor(200);
    EXPECT_EQ(ThumbnailSize::Large, Strip().GetThumbnailSize());
    {
        MainWindowFixture next;
        EXPECT_EQ(ThumbnailSize::Large, Probe(next.Frame()).Strip()->GetThumbnailSize());
        next.Command(ID_THUMBNAILS_MEDIUM);
        EXPECT_EQ(ThumbnailSize::Medium, Probe(next.Frame()).Strip()->GetThumbnailSize());
    }
}
