// Moving frames within the list: the strip asks (a drop or a move key), MoveFrames does it.
#include <algorithm>
#include <vector>

#include "include/window/frame_move.h"
#include "include/window/thumbnailctrl.h"
#include "mainwindow/gif_frame.h"

void GifFrame::OnThumbnailMove(wxThumbnailEvent& event)
{
    const wxArrayInt& selection = m_thumbnails->m_selections;
    MoveFrames(std::vector<int>(selection.begin(), selection.end()), event.GetIndex());
}

void GifFrame::MoveFrames(const std::vector<int>& indices, int to)
{
    const int count = FrameCount();
    // A running job reads the frames by their indices.
    if (m_holding || to < 0 || to > count || MoveChangesNothing(count, indices, to))
        return;
    StopPreview();
    const std::vector<int> order = OrderAfterMove(count, indices, to);
    const std::vector<int> moved = MovedPositions(count, indices, to);
    m_thumbnails->BeginUpdate();
    m_thumbnails->Move(indices, to);
    m_thumbnails->SetSelection(moved);
    m_thumbnails->EndUpdate();
    m_thumbnails->ScrollToItem(moved.front());
    // The preview keeps its frame, wherever that went.
    const auto shown = std::find(order.begin(), order.end(), m_shownIndex);
    if (shown != order.end())
        m_shownIndex = static_cast<int>(shown - order.begin());
    FramesChanged();
    // The canvas derived from the frames depends on their order.
    UpdateCanvasFromFrames();
}
