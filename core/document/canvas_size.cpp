#include "core/document/canvas_size.h"

wxSize NextCanvasSize(const wxSize& running, const wxSize& frame)
{
    if (frame.x > running.x || frame.y > running.y)
        return frame;
    return running;
}

wxSize CanvasFromFrameSizes(const std::vector<wxSize>& frames)
{
    wxSize running(0, 0);
    for (const wxSize& frame : frames)
        running = NextCanvasSize(running, frame);
    return running;
}
