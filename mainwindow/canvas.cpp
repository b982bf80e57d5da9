// The canvas size derived from the frames, its proportion edits, and the frame delay.
#include "mainwindow/gif_frame.h"

void GifFrame::UpdateCanvasFromFrames() {}
void GifFrame::OnSetDelay(wxCommandEvent&) {}
void GifFrame::OnSetWidth(wxCommandEvent&) {}
void GifFrame::OnSetHeight(wxCommandEvent&) {}
