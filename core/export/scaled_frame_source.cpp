#include "core/export/scaled_frame_source.h"

#include "core/export/compose_frame.h"

CanvasEdit ScaledEdit(const CanvasEdit& edit)
{
    CanvasEdit scaled;
    scaled.background = edit.background;
    return scaled;
}

bool ScaledFrameSource::Frame(int index, wxImage& frame, FrameError& error)
{
    wxImage original;
    if (!m_inner.Frame(index, original, error))
        return false;
    // Composed first, so a frame smaller than the canvas shrinks with the rest of the picture
    // rather than keeping its size on a smaller canvas.
    frame = ComposeEdited(original, m_canvas, m_edit)
                .Scale(m_scaled.x, m_scaled.y, wxIMAGE_QUALITY_HIGH);
    return true;
}
