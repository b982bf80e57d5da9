// The Loop Count command: how many loops the preview plays before it stops.
#include "mainwindow/gif_frame.h"
#include "mainwindow/loop_count_dialog.h"

void GifFrame::OnLoopCount(wxCommandEvent&)
{
    if (FrameCount() == 0)
        return;
    LoopCountDialog dialog(this);
    if (dialog.ShowModal() == wxID_OK) {
        m_loopCount = dialog.m_loopValue;
        m_loopsPlayed = 0;
    }
    StopPreview();
}
