// A delay of their own for frames: Set Delay and Scale Delays, each one undoable step.
#include <algorithm>

#include <wx/menu.h>

#include "core/settings/settings_store.h"
#include "ui/strip/frame_strip.h"
#include "ui/dialogs/delay_dialogs.h"
#include "ui/window/main_window.h"
#include "core/jobs/image_load_thread.h"

void MainWindow::AppendTimingCommands(wxMenu& menu)
{
    menu.Append(ID_SET_DELAY, _("Set Dela&y..."));
    menu.Append(ID_SCALE_DELAYS, _("Scal&e Delays..."));
}

void MainWindow::SetFrameDelays(const std::vector<int>& positions, const std::vector<int>& delays,
                              StepName name)
{
    std::vector<int> changed;
    FrameList frames;
    for (size_t i = 0; i < positions.size(); ++i) {
        const FramePtr& frame = m_document.Frame(positions[i]);
        if (frame->delay != delays[i]) {
            changed.push_back(positions[i]);
            frames.push_back(WithDelay(frame, delays[i]));
        }
    }
    if (!changed.empty())
        SubmitEdit(new ReplaceFramesCommand(m_document, std::move(name), changed, frames));
}

void MainWindow::OnSetFrameDelay(wxCommandEvent&)
{
    StopPreview();
    const std::vector<int> selected = SelectedFrames();
    if (selected.empty())
        return;
    const FramePtr& first = m_document.Frame(selected.front());
    SetDelayDialog dialog(this, m_document.EffectiveDelay(selected.front()),
                          first->delay != kCommonDelay);
    if (dialog.ShowModal() != wxID_OK)
        return;
    SetFrameDelays(selected, std::vector<int>(selected.size(), dialog.Chosen()),
                   [] { return _("Set Delay"); });
}

void MainWindow::OnScaleDelays(wxCommandEvent&)
{
    StopPreview();
    const std::vector<int> selected = SelectedFrames();
    if (FrameCount() == 0)
        return;
    ScaleDelaysDialog dialog(this, !selected.empty());
    if (dialog.ShowModal() != wxID_OK || dialog.Percent() == 100)
        return;
    const int percent = dialog.Percent();
    if (dialog.SelectionOnly()) {
        // The chosen frames get delays of their own; the others keep following the common one.
        std::vector<int> delays;
        for (int index : selected)
            delays.push_back(ScaledDelay(m_document.EffectiveDelay(index), percent));
        SetFrameDelays(selected, delays, [] { return _("Scale Delays"); });
        return;
    }
    // Every frame: the common delay and the frames' own ones, as one step.
    auto* step = new CombinedCommand(m_document, [] { return _("Scale Delays"); });
    DocumentSettings after = m_document.Settings();
    // The delay control takes 1 at the least.
    after.delay = std::max(1, ScaledDelay(after.delay, percent));
    step->Add(new ChangeSettingsCommand(m_document, StepName(), kDelayControl,
                                        m_document.Settings(), after));
    std::vector<int> own;
    FrameList frames;
    for (int i = 0; i < FrameCount(); ++i)
        if (m_document.Frame(i)->delay != kCommonDelay) {
            own.push_back(i);
            frames.push_back(WithDelay(m_document.Frame(i),
                                       ScaledDelay(m_document.Frame(i)->delay, percent)));
        }
    if (!own.empty())
        step->Add(new ReplaceFramesCommand(m_document, StepName(), own, frames));
    SubmitEdit(step);
}

namespace {
const char kKeepGifTimingKey[] = "Frames/KeepGifTiming";
}

bool MainWindow::KeepsGifTiming() const
{
    return Settings().ReadBool(kKeepGifTimingKey, true);
}

void MainWindow::OnKeepGifTiming(wxCommandEvent& event)
{
    // The choice holds for the frames loaded from now on; those in the list keep theirs.
    Settings().Write(kKeepGifTimingKey, event.IsChecked());
}

void MainWindow::AppendKeepGifTiming(wxMenu& menu)
{
    menu.AppendCheckItem(ID_KEEP_GIF_TIMING, _("&Keep the timing of GIF frames"))
        ->Check(Settings().ReadBool(kKeepGifTimingKey, true));
}
