// The window's long jobs (a load, an export): their progress dialogs with Cancel, the window's
// contents held still while one runs, and closing the window during one.
#include <wx/menu.h>
#include <wx/progdlg.h>
#include <wx/statusbr.h>

#include "ui/window/main_window.h"
#include "ui/dialogs/message_boxes.h"
#include "core/jobs/export_session.h"
#include "core/jobs/load_session.h"

namespace {
// Closes a progress dialog (it goes at the next idle time) and forgets it.
void CloseProgress(wxProgressDialog*& dialog)
{
    if (!dialog)
        return;
    dialog->Destroy();
    dialog = nullptr;
}
}

wxProgressDialog* MainWindow::OpenJobProgress(const wxString& title, const wxString& message)
{
    auto* dialog = new wxProgressDialog(title, message, 100, this,
                                        wxPD_CAN_ABORT | wxPD_ELAPSED_TIME |
                                            wxPD_ESTIMATED_TIME | wxPD_REMAINING_TIME);
    LabelStockButtons(dialog);
    // The click stops the worker at once; the timer below only catches what the button
    // could not tell (the dialog's own Escape key).
    dialog->Bind(wxEVT_BUTTON, [this](wxCommandEvent& event) {
        event.Skip();
        StopJob();
    }, wxID_CANCEL);
    // The dialog disables its parent, and a disabled window ignores the window manager's close
    // button. The window stays enabled and holds its contents still instead, so that closing
    // it can offer to stop the job.
    Enable();
    HoldContents(true);
    m_jobTimer.Start(150);
    return dialog;
}

void MainWindow::CloseJobProgress(wxProgressDialog*& dialog)
{
    CloseProgress(dialog);
    if (m_loadProgress || m_saveProgressDialog)
        return;
    m_jobTimer.Stop();
    HoldContents(false);
    if (m_closeAfterJob) {
        m_closeAfterJob = false;
        CallAfter([this] { Close(); });
    }
}

void MainWindow::HoldContents(bool hold)
{
    if (hold == m_holding)
        return;
    m_holding = hold;
    if (!hold) {
        for (int id : m_heldItems)
            if (wxMenuItem* item = m_menubar->FindItem(id))
                item->Enable(true);
        for (wxWindow* window : m_heldWindows)
            window->Enable(true);
        m_heldItems.clear();
        m_heldWindows.clear();
        return;
    }
    // Every command but Exit, which asks to stop the job.
    for (size_t m = 0; m < m_menubar->GetMenuCount(); ++m)
        for (wxMenuItem* item : m_menubar->GetMenu(m)->GetMenuItems())
            if (item->GetId() != ID_EXIT_PROGRAM && !item->IsSeparator() && item->IsEnabled()) {
                item->Enable(false);
                m_heldItems.push_back(item->GetId());
            }
    for (wxWindow* child : GetChildren())
        if (!child->IsTopLevel() && child != m_statusBar && child != m_menubar &&
            child->IsEnabled()) {
            child->Enable(false);
            m_heldWindows.push_back(child);
        }
}

void MainWindow::OnJobTimer(wxTimerEvent&)
{
    // The Cancel button only marks its dialog; the worker stops before its next step and ends
    // the job through its usual final report.
    if (m_loadProgress && m_loadProgress->WasCancelled())
        StopJob();
    if (m_saveProgressDialog && m_saveProgressDialog->WasCancelled())
        StopJob();
}

void MainWindow::StopJob()
{
    m_load->Cancel();
    m_export->Cancel();
}

bool MainWindow::MayCloseDuringJob(wxCloseEvent& event)
{
    if (!m_load->Running() && !m_export->Running())
        return true;
    if (!event.CanVeto()) {
        StopWorkers();
        return true;
    }
    event.Veto();
    if (m_closeAfterJob)
        return false;
    const wxString question = m_export->Running()
        ? _("The GIF is still being saved. Stop saving (the file stays as it was) and close?")
        : _("Images are still being loaded. Stop loading and close?");
    if (AskYesNo(question)) {
        m_closeAfterJob = true;
        StopJob();
    }
    return false;
}

void MainWindow::StopWorkers()
{
    m_jobTimer.Stop();
    // An unfinished export leaves the previous file as it was.
    if (m_export)
        m_export->Stop();
    CloseProgress(m_saveProgressDialog);
    if (m_load)
        m_load->Stop();
    CloseProgress(m_loadProgress);
}
