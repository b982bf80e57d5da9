// Moving frames within the list: the strip asks (a drop or a move key), MoveFrames does it.
#include <algorithm>
#include <vector>

#include "core/document/frame_order.h"
#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"

void MainWindow::OnThumbnailMove(FrameStripEvent& event)
{
    MoveFrames(SelectedFrames(), event.GetIndex());
}

void MainWindow::MoveFrames(const std::vector<int>& indices, int to)
{
    const int count = FrameCount();
    // A running job reads the frames by their indices.
    if (m_holding || to < 0 || to > count || MoveChangesNothing(count, indices, to))
        return;
    const std::vector<int> moved = MovedPositions(count, indices, to);
    const int n = static_cast<int>(moved.size());
    SubmitEdit(new ReorderFramesCommand(
        m_document,
        [n] { return wxString::Format(wxPLURAL("Move %d Frame", "Move %d Frames", n), n); },
        OrderAfterMove(count, indices, to)));
    m_thumbnails->SetSelection(moved);
    m_thumbnails->ScrollToItem(moved.front());
}
