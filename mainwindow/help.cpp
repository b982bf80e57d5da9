// The Help menu's web links and update check.
#include "mainwindow/gif_frame.h"

void GifFrame::OnWebLink(wxCommandEvent&) {}
void GifFrame::CheckForUpdate() {}
void GifFrame::OnUpdateCheckResult(wxCommandEvent&) {}
