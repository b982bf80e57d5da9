// Adding, inserting, deleting and clearing frames.
#include "mainwindow/gif_frame.h"

void GifFrame::OnAddImage(wxCommandEvent&) {}
void GifFrame::OnInsertImage(wxCommandEvent&) {}
void GifFrame::OnDelete(wxCommandEvent&) {}
void GifFrame::OnClearAll(wxCommandEvent&) {}
void GifFrame::OnThumbnailLeftClick(wxThumbnailEvent&) {}
void GifFrame::OnThumbnailRightClick(wxThumbnailEvent&) {}
void GifFrame::OnChangeSplitterWindow(wxSplitterEvent&) {}
void GifFrame::OnImageLoaded(wxThreadEvent&) {}
