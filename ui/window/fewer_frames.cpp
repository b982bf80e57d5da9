// Fewer frames: Remove Duplicate Frames and Lower Frame Rate, which keep the animation's
// length, and Delete Frames Before and After the selection; each one undoable step.
#include <wx/menu.h>

#include "core/document/frame_thinning.h"
#include "ui/dialogs/fewer_frames_dialogs.h"
#include "ui/window/main_window.h"

void MainWindow::AppendFewerFramesCommands(wxMenu& menu)
{
    menu.Append(ID_REMOVE_DUPLICATES, _("Rem&ove Duplicate Frames..."));
    menu.Append(ID_LOWER_FRAME_RATE, _("Lo&wer Frame Rate..."));
    AppendTrimCommands(menu);
}

void MainWindow::AppendTrimCommands(wxMenu& menu)
{
    menu.Append(ID_DELETE_BEFORE, _("Delete Frames &Before"));
    menu.Append(ID_DELETE_AFTER, _("Delete Frames A&fter"));
}

void MainWindow::BindFewerFramesCommands()
{
    Bind(wxEVT_MENU, &MainWindow::OnRemoveDuplicates, this, ID_REMOVE_DUPLICATES);
    Bind(wxEVT_MENU, &MainWindow::OnLowerFrameRate, this, ID_LOWER_FRAME_RATE);
    Bind(wxEVT_MENU, &MainWindow::OnDeleteBefore, this, ID_DELETE_BEFORE);
    Bind(wxEVT_MENU, &MainWindow::OnDeleteAfter, this, ID_DELETE_AFTER);
    Bind(wxEVT_UPDATE_UI, &MainWindow::OnUpdateFewerFrames, this, ID_REMOVE_DUPLICATES,
         ID_DELETE_AFTER);
}

void MainWindow::OnUpdateFewerFrames(wxUpdateUIEvent& event)
{
    const std::vector<int> selected = SelectedFrames();
    bool on = !m_holding && FrameCount() > 1;
    if (event.GetId() == ID_DELETE_BEFORE)
        on = on && !selected.empty() && selected.front() > 0;
    else if (event.GetId() == ID_DELETE_AFTER)
        on = on && !selected.empty() && selected.back() < FrameCount() - 1;
    event.Enable(on);
}

std::vector<int> MainWindow::WrittenDelays() const
{
    std::vector<int> delays;
    for (int i = 0; i < FrameCount(); ++i)
        delays.push_back(m_document.EffectiveDelay(i));
    return delays;
}

void MainWindow::KeepFrames(const ThinnedFrames& thinned, const StepName& name)
{
    if (DocumentCommand* step = ThinningStep(m_document, name, thinned))
        SubmitEdit(step);
}

void MainWindow::OnRemoveDuplicates(wxCommandEvent&)
{
    StopPreview();
    if (FrameCount() < 2)
        return;
    std::vector<PictureRef> pictures;
    for (const FramePtr& frame : m_document.Frames())
        pictures.push_back(frame->picture);
    const std::vector<int> delays = WrittenDelays();
    RemoveDuplicatesDialog dialog(this, std::move(pictures), delays);
    if (dialog.ShowModal() != wxID_OK || dialog.Shares().empty())
        return;
    const ThinnedFrames thinned = MergeRuns(delays, DuplicateJoins(dialog.Shares(), dialog.Tolerance()));
    const int n = thinned.Gone(FrameCount());
    KeepFrames(thinned, [n] {
        return wxString::Format(
            wxPLURAL("Remove %d Duplicate Frame", "Remove %d Duplicate Frames", n), n);
    });
}

void MainWindow::OnLowerFrameRate(wxCommandEvent&)
{
    StopPreview();
    if (FrameCount() < 2)
        return;
    const std::vector<int> delays = WrittenDelays();
    LowerFrameRateDialog dialog(this, delays);
    if (dialog.ShowModal() != wxID_OK)
        return;
    const FrameJoins joins = dialog.Every() > 0 ? EveryNthJoins(FrameCount(), dialog.Every())
                                                : FrameRateJoins(delays, dialog.MaxFps());
    KeepFrames(MergeRuns(delays, joins), [] { return _("Lower Frame Rate"); });
}

void MainWindow::DeleteFramesOutside(int first, int last, const StepName& name)
{
    std::vector<int> doomed;
    for (int i = 0; i < FrameCount(); ++i)
        if (i < first || i > last)
            doomed.push_back(i);
    if (doomed.empty())
        return;
    SubmitEdit(RemovalStep(m_document, name, doomed));
}

void MainWindow::OnDeleteBefore(wxCommandEvent&)
{
    const std::vector<int> selected = SelectedFrames();
    if (!selected.empty())
        DeleteFramesOutside(selected.front(), FrameCount() - 1,
                            [] { return _("Delete Frames Before"); });
}

void MainWindow::OnDeleteAfter(wxCommandEvent&)
{
    const std::vector<int> selected = SelectedFrames();
    if (!selected.empty())
        DeleteFramesOutside(0, selected.back(), [] { return _("Delete Frames After"); });
}
