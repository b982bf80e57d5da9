// Texts that fit where they are shown, in every language: the dialogs' buttons, measured on the
// screen as the user sees them, and the status bar of a narrow window.
#include <functional>
#include <memory>

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/statusbr.h>

#include "ui/strip/frame_strip.h"
#include "ui/dialogs/delay_dialogs.h"
#include "ui/dialogs/fitting_status_bar.h"
#include "ui/window/main_window.h"
#include "ui/dialogs/loop_count_dialog.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"

namespace {
// The pixels of area of the screen, as a screenshot shows them.
wxImage ScreenPixels(const wxRect& area)
{
    wxScreenDC screen;
    wxBitmap bitmap(area.GetSize(), 24);
    wxMemoryDC memory(bitmap);
    memory.Blit(0, 0, area.width, area.height, &screen, area.x, area.y);
    memory.SelectObject(wxNullBitmap);
    return bitmap.ConvertToImage();
}

// The first and last column of image that hold a dark (text) pixel, between its top and
// bottom few rows, which hold the button's frame; {-1, -1} when there is none.
std::pair<int, int> InkColumns(const wxImage& image)
{
    const int inset = 4;
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.GetWidth(); ++x)
        for (int y = inset; y < image.GetHeight() - inset; ++y) {
            const int light = (image.GetRed(x, y) + image.GetGreen(x, y) + image.GetBlue(x, y)) / 3;
            if (light < 110) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    return {first, last};
}

// Every button of dialog shows its whole label inside its own edges, on the screen.
void ExpectButtonLabelsWhole(wxDialog& dialog)
{
    dialog.Show();
    dialog.Raise();
    YieldFor(150);
    dialog.Refresh();
    YieldFor(600);
    // One shot of the whole dialog, as the user sees it; each button is cut out of it.
    const wxPoint origin = dialog.ClientToScreen(wxPoint(0, 0));
    const wxImage shot = ScreenPixels(wxRect(origin, dialog.GetClientSize()));
    int buttons = 0;
    for (wxWindow* child : dialog.GetChildren()) {
        auto* button = dynamic_cast<wxButton*>(child);
        if (!button)
            continue;
        ++buttons;
        const wxString label = button->GetLabelText();
        SCOPED_TRACE(label.utf8_string());
        const wxRect rect(button->GetScreenPosition() - origin, button->GetSize());
        ASSERT_TRUE(wxRect(shot.GetSize()).Contains(rect)) << "the button lies outside the dialog";
        const wxImage pixels = shot.GetSubImage(rect);
        const auto [first, last] = InkColumns(pixels);
        ASSERT_GE(first, 0) << "no label drawn";
        EXPECT_GE(last - first + 1, button->GetTextExtent(label).x - 2) << "the label is cut";
        EXPECT_GE(first, 3) << "the label touches the left edge";
        EXPECT_LE(last, rect.width - 4) << "the label touches the right edge";
    }
    EXPECT_GE(buttons, 2);
}
}

// The loop dialog in German, the language with the longest labels ("Abbrechen"), measured on
// the screen: its buttons show their whole labels. (A screen shot shows a dialog only when
// it is the first one drawn after the main window; the other languages and dialogs are held
// to the sizes their labels ask for below.)
TEST(TextFit, LoopDialogButtonsShowTheirWholeLabelsInGerman)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.AddImages(Paths({WritePicture(dir, "a.png", 10, 10)}));
    fixture.Command(89);
    LoopCountDialog dialog(&frame);
    EXPECT_EQ(dialog.m_buttonCancel->GetLabelText(), "Abbrechen");
    ExpectButtonLabelsWhole(dialog);
    dialog.Hide();
    fixture.Command(58);
}

// Every dialog of the window, in every language the menu offers: no button is narrower than
// its label needs, and none lies outside the dialog.
TEST(TextFit, DialogButtonsGetTheWidthTheirLabelsNeedInEveryLanguage)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.AddImages(Paths({WritePicture(dir, "a.png", 10, 10)}));
    const std::function<wxDialog*()> dialogs[] = {
        [&] { return new LoopCountDialog(&frame); },
        [&] { return new SetDelayDialog(&frame, 10, false); },
        [&] { return new ScaleDelaysDialog(&frame, true); },
    };
    for (int language : {89, 80, 110, 46, 47, 112, 58}) {
        SCOPED_TRACE(language);
        fixture.Command(language);
        for (const auto& make : dialogs) {
            std::unique_ptr<wxDialog> dialog(make());
            SCOPED_TRACE(dialog->GetTitle().utf8_string());
            const wxRect client(dialog->GetClientSize());
            for (wxWindow* child : dialog->GetChildren())
                if (auto* button = dynamic_cast<wxButton*>(child)) {
                    SCOPED_TRACE(button->GetLabelText().utf8_string());
                    EXPECT_GE(button->GetSize().x, button->GetBestSize().x);
                    EXPECT_GE(button->GetSize().x,
                              button->GetTextExtent(button->GetLabelText()).x + 6);
                    EXPECT_TRUE(client.Contains(button->GetRect()));
                }
        }
    }
    fixture.Command(58);
}

// At 800 x 600 the other fields give way before the animation's length does; on a wide
// window every field shows its whole text.
TEST(TextFit, NarrowWindowKeepsTheLengthWholeInTheStatusBar)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    auto* bar = wxDynamicCast(frame.GetStatusBar(), FittingStatusBar);
    ASSERT_NE(bar, nullptr);
    frame.SetSize(800, 600);
    fixture.AddImages(Paths({WritePicture(dir, "holiday_by_the_sea_with_the_whole_family_2026_0001.png", 640, 480),
                             WritePicture(dir, "b.png", 640, 480)}));
    ASSERT_TRUE(WaitFor("an estimate",
                        [&] { return frame.GetStatusBar()->GetStatusText(2).Contains("about "); }));
    const auto fieldWidth = [&](int field) {
        wxRect rect;
        bar->GetFieldRect(field, rect);
        return rect.width + 2 * bar->GetBorderX();
    };
    const auto expectWidths = [&](bool allWhole) {
        YieldFor(100);
        EXPECT_EQ(fieldWidth(0) + fieldWidth(1) + fieldWidth(2), bar->GetClientSize().x);
        EXPECT_GE(fieldWidth(2), bar->WantedWidth(2)) << bar->GetStatusText(2);
        for (int field : {0, 1}) {
            if (allWhole)
                EXPECT_GE(fieldWidth(field), bar->WantedWidth(field)) << field;
            else
                EXPECT_GT(fieldWidth(field), 0) << field;
        }
    };
    ASSERT_GT(bar->WantedWidth(0) + bar->WantedWidth(1) + bar->WantedWidth(2),
              bar->GetClientSize().x)
        << "the texts must not fit 800 pixels for this test";
    expectWidths(false);
    frame.SetSize(1270, 600);
    expectWidths(true);
    // A shorter text gives its room back at once.
    fixture.Command(ID_CLEAR_ALL);
    frame.SetSize(800, 600);
    expectWidths(true);
}
