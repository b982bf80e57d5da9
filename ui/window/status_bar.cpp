// The status bar: the GIF's name and canvas, the frame shown, the animation's length.
#include <algorithm>

#include <wx/dcclient.h>
#include <wx/numformatter.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>
#include <wx/xrc/xmlres.h>

#include "ui/dialogs/fitting_status_bar.h"
#include "ui/window/main_window.h"

namespace {
// The toolkit sizes the bar for the font's own metrics; the fallback fonts that draw Chinese
// and Japanese glyphs reach higher and lower, and the bar would cut them off.
int StatusBarHeightFor(wxStatusBar* bar)
{
    wxClientDC dc(bar);
    dc.SetFont(bar->GetFont());
    int text = 0;
    for (const char* sample : {"Wgjy(", "\u5bbd\u5ea6\u50cf\u7d20", "\u5e45\u9ad8\u3055",
                               "\u5bec\u5ea6"})
        text = std::max(text, dc.GetTextExtent(wxString::FromUTF8(sample)).y);
    return text + 2 * bar->GetBorderY() + 4;
}
}

void MainWindow::SetUpStatusBar()
{
    // The layout makes it a FittingStatusBar: its fields share the width by their texts.
    auto* bar = XRCCTRL(*this, "m_statusBar", FittingStatusBar);
    m_statusBar = bar;
    m_statusBar->SetFieldsCount(3);
    // The animation's length (and the file's) is what a narrow window must still show.
    bar->SetKeptField(2);
    m_statusBar->SetMinHeight(StatusBarHeightFor(m_statusBar));
    // A long file name keeps its start and its end (its extension); the whole shows on hover.
    m_statusBar->SetWindowStyleFlag(m_statusBar->GetWindowStyleFlag() | wxSTB_ELLIPSIZE_MIDDLE |
                                     wxSTB_SHOW_TIPS);
    // Tool and menu help would blank field 0 (the GIF's name and canvas) under the pointer.
    SetStatusBarPane(-1);
}

void MainWindow::LengthChanged()
{
    // A load changes the frames once per frame; the length is counted once they have settled.
    if (m_lengthPending)
        return;
    m_lengthPending = true;
    CallAfter([this] {
        m_lengthPending = false;
        ShowLength();
    });
}

void MainWindow::ShowLength()
{
    // The saved GIF holds the frames with a picture, each shown for its played delay.
    std::vector<int> delays;
    for (int index : PresentFrames())
        delays.push_back(m_document.EffectiveDelay(index));
    const double seconds = PlayedLength(delays) / 100.0;
    wxString text;
    if (!delays.empty())
        text = wxString::Format(_("Length: %s s"), wxNumberFormatter::ToString(seconds, 2));
    const wxString estimate = EstimateText();
    if (!delays.empty() && !estimate.empty())
        text += wxString::FromUTF8(" \u00b7 ") + estimate;
    m_statusBar->SetStatusText(text, 2);
}
