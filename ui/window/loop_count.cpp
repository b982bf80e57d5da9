// The Loop Count command: how many loops the preview plays before it stops.
#include "ui/window/main_window.h"
#include "ui/dialogs/loop_count_dialog.h"

void MainWindow::OnLoopCount(wxCommandEvent&)
{
    if (FrameCount() == 0)
        return;
    LoopCountDialog dialog(this);
    if (dialog.ShowModal() == wxID_OK) {
        DocumentSettings after = m_document.Settings();
        after.loopCount = dialog.m_loopValue;
        after.loopInFile = dialog.m_useForFile;
        // One dialog, one step: the next one doesn't merge into it.
        ChangeSettings([] { return _("Loop Count"); }, kLoopControl, after);
        m_history->SealLatest();
        m_player.ResetLoops();
    }
    StopPreview();
}
