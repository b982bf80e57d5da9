// The Loop Count command.
#include "mainwindow/gif_frame.h"

void GifFrame::OnLoopCount(wxCommandEvent&) {}
