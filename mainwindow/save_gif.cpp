// Save and Save As: writing the frames as an animated GIF.
#include "mainwindow/gif_frame.h"

void GifFrame::OnSaveAnimator(wxCommandEvent&) {}
void GifFrame::OnSaveAsAnimator(wxCommandEvent&) {}
void GifFrame::StartGifExport(const wxString&, int, int, const wxString&) {}
void GifFrame::WorkSaveAsGifThreadUpdate(wxThreadEvent&) {}
