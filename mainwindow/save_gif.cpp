// Save and Save As: writing the frames as an animated GIF on the export thread.
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/progdlg.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>

#include "app/product.h"
#include "app/trace.h"
#include "include/window/thumbnailctrl.h"
#include "mainwindow/gif_frame.h"
#include "mainwindow/save_rules.h"
#include "mainwindow/worker_handles.h"
#include "src/window/frame_feed.h"
#include "src/window/save_gif_thread.h"
#include "src/window/thread_update_event.h"

namespace {
// GTK's save dialog takes the default name literally, so none is offered; the filter keeps
// to GIF files.
wxString AskGifPath(GifFrame& frame, const wxString& title)
{
    return frame.GetPathChooser().ChooseFileToSave(&frame, title,
                                                   _("Image files") + " (*.gif)|*.gif", wxString());
}

wxString GifCanvasText(const GifFrame& frame)
{
    return wxString::Format("%s (%d * %d)px", frame.m_gifName, frame.m_spinctrl_width->GetValue(),
                            frame.m_spinctrl_height->GetValue());
}
}

void GifFrame::OnSaveAnimator(wxCommandEvent&)
{
    Trace("OnSaveAnimator");
    StopPreview();
    if (FrameCount() == 0) {
        if (!m_gifPath.empty())
            return;
        const wxString chosen = AskGifPath(*this, _("Save GIF Files"));
        if (!chosen.empty()) {
            m_gifPath = chosen;
            m_gifName = wxFileNameFromPath(m_gifPath);
        }
        return;
    }
    if (m_gifPath.empty()) {
        m_gifPath = AskGifPath(*this, _("Save GIF Files"));
        if (m_gifPath.empty())
            return;
        m_gifName = wxFileNameFromPath(m_gifPath);
        m_gifPath = EnsureGifExtension(m_gifPath);
        StartGifExport(m_gifPath, m_spinctrl_width->GetValue(), m_spinctrl_height->GetValue(),
                       _("Save GIF Progress Dialog"));
    } else {
        const GifSaveSnapshot last{m_gifSavedCount, m_gifSavedDelay, m_gifSavedWidth,
                                   m_gifSavedHeight};
        const GifSaveSnapshot now{FrameCount(), m_spinctrl_delay->GetValue(),
                                  m_spinctrl_width->GetValue(), m_spinctrl_height->GetValue()};
        if (SaveCanBeSkipped(wxFileExists(m_gifPath), last, now,
                             m_gifSavedVersion != m_frameListVersion))
            return;
        StartGifExport(m_gifPath, m_spinctrl_width->GetValue(), m_spinctrl_height->GetValue(),
                       "Save GIF Progress Dialog");
    }
    m_statusBar1->SetStatusText(GifCanvasText(*this), 0);
}

void GifFrame::OnSaveAsAnimator(wxCommandEvent&)
{
    StopPreview();
    if (FrameCount() == 0)
        return;
    // A cancelled Save As forgets the previous path, so the next Save asks again.
    m_gifPath = AskGifPath(*this, _("Save As GIF Files"));
    if (m_gifPath.empty())
        return;
    m_gifPath = EnsureGifExtension(m_gifPath);
    StartGifExport(m_gifPath, m_canvasWidth, m_canvasHeight, _("Save As GIF Progress Dialog"));
    m_gifName = wxFileNameFromPath(m_gifPath);
    m_statusBar1->SetStatusText(GifCanvasText(*this), 0);
}

void GifFrame::StartGifExport(const wxString& path, int width, int height, const wxString& title)
{
    m_gifSavedCount = FrameCount();
    m_gifSavedDelay = m_spinctrl_delay->GetValue();
    m_gifSavedWidth = m_spinctrl_width->GetValue();
    m_gifSavedHeight = m_spinctrl_height->GetValue();
    m_gifSavedVersion = m_frameListVersion;

    // The thread asks for each frame as it needs it; OnGifFrameWanted converts that one bitmap
    // here, on the GUI thread, so the animation is never held twice.
    m_frameFeed = std::make_shared<FrameFeed>(FrameCount(), [this](int index) {
        auto* wanted = new wxThreadEvent(wxEVT_THREAD_UPDATE, ID_GIF_FRAME_WANTED);
        wanted->SetInt(index);
        wxQueueEvent(this, wanted);
    });

    // The dialog exists before the thread can report.
    m_saveProgressDialog = new wxProgressDialog(
        title, _(" Saving images...."), 100, this,
        wxPD_ELAPSED_TIME | wxPD_ESTIMATED_TIME | wxPD_REMAINING_TIME);
    m_saver = std::make_unique<WorkSaveAsGifThread>(wxSize(width, height), this, m_frameFeed, path,
                                                    m_gifSavedDelay);
    if (m_saver->Run() != wxTHREAD_NO_ERROR) {
        m_saver.reset();
        m_frameFeed.reset();
        CloseProgress(m_saveProgressDialog);
        m_gifSavedVersion = 0;
        wxMessageBox(wxString::Format(_("The GIF file %s was not saved: the system could not "
                                        "start the saving thread."),
                                      path),
                     GetProductName(), wxOK | wxICON_ERROR, this);
    }
}

void GifFrame::OnGifFrameWanted(wxThreadEvent& event)
{
    if (!m_frameFeed)
        return;
    const int index = event.GetInt();
    const wxImageThumbnailItem* item = FrameItem(index);
    // A new image that shares nothing: the worker may keep it after this returns.
    wxImage frame = item && item->m_bitmap.IsOk() ? item->m_bitmap.ConvertToImage() : wxImage();
    m_frameFeed->Deliver(index, std::move(frame));
}

void GifFrame::WorkSaveAsGifThreadUpdate(wxThreadEvent& event)
{
    Trace("WorkSaveAsGifThreadUpdate:");
    const int percent = event.GetInt();
    if (percent != 100) {
        if (m_saveProgressDialog)
            m_saveProgressDialog->Update(percent, wxEmptyString);
        return;
    }
    JoinWorker(m_saver);
    m_frameFeed.reset();
    CloseProgress(m_saveProgressDialog);
    wxWakeUpIdle();
    const GifSaveOutcome outcome = GifSaveOutcomeOf(event);
    if (!outcome.ok) {
        // Nothing was written, so the next Save must not think the file is current.
        m_gifSavedVersion = 0;
        wxMessageBox(outcome.error, GetProductName(), wxOK | wxICON_ERROR, this);
    }
}
