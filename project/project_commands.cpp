// Saving and opening projects, and closing the window.
#include "mainwindow/gif_frame.h"

bool GifFrame::SaveProject() { return false; }
void GifFrame::OpenProject() {}
bool GifFrame::ConfirmClose() { return true; }
void GifFrame::OnOpenProject(wxCommandEvent&) {}
void GifFrame::OnSaveProject(wxCommandEvent&) {}

void GifFrame::OnExit(wxCommandEvent&)
{
    Close();
}

void GifFrame::OnClose(wxCloseEvent&)
{
    StopPreview();
    Destroy();
}
