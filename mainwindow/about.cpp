// The about box.
#include "mainwindow/gif_frame.h"

void GifFrame::OnAbout(wxCommandEvent&) {}
