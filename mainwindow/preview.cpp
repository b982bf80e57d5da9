// The animation preview in the lower panel.
#include "mainwindow/gif_frame.h"

void GifFrame::StopPreview() {}
void GifFrame::ShowFrame(int) {}
void GifFrame::SetRunLook() {}
void GifFrame::SetStopLook() {}
void GifFrame::OnPlayStop(wxCommandEvent&) {}
void GifFrame::OnTimer(wxTimerEvent&) {}
