// Crash recovery: the window's document copied to the recovery folder after each change, and
// the copies of windows that ended without closing offered at start-up.
#include <wx/msgdlg.h>

#include "core/settings/product.h"
#include "ui/dialogs/message_boxes.h"
#include "core/picture/picture_store.h"
#include "core/project/recovery_frames.h"
#include "core/project/recovery_store.h"
#include "ui/window/main_window.h"
#include "core/project/project_file.h"

void MainWindow::ScheduleRecoveryCopy()
{
    // A burst of changes (a load of many frames) makes one copy, a moment after the last.
    if (m_recovery && !m_recoveryTimer.IsRunning())
        m_recoveryTimer.StartOnce(1000);
}

void MainWindow::OnRecoveryTimer(wxTimerEvent&)
{
    // A load in progress is copied once it has ended.
    if (IsLoading()) {
        ScheduleRecoveryCopy();
        return;
    }
    if (FrameCount() == 0) {
        m_recoveryFrames->Stop();
        m_recovery->Clear();
        return;
    }
    wxString reason;
    switch (m_recoveryFrames->Prepare(m_document.Frames(), &reason)) {
    case RecoveryFrames::State::Writing:
        // Asked again in a moment; the copy follows once the files are there.
        m_recoveryTimer.StartOnce(250);
        return;
    case RecoveryFrames::State::Ready: {
        ProjectData data = CurrentProjectData();
        data.frames = m_recoveryFrames->Entries();
        if (m_recovery->Write(data, &reason)) {
            m_recoveryFrames->Tidy();
            return;
        }
        break;
    }
    case RecoveryFrames::State::Failed:
        break;
    }
    if (m_recoveryTroubleTold)
        return;
    // Once per window: the work goes on, and the next changes try again quietly.
    m_recoveryTroubleTold = true;
    ShowMessage(wxString::Format(_("Copies for restoring your work after a crash can't be kept "
                                   "in %s: %s.\nYou can go on working, but if the program ends "
                                   "unexpectedly, the changes since your last save are lost."),
                                 m_recovery->Folder(), reason),
                GetProductName(), wxOK | wxICON_WARNING, this);
}

void MainWindow::TellPictureTrouble()
{
    // The store words each kind of trouble once; the work goes on in memory.
    if (const std::optional<wxString> trouble = m_document.Store()->TakeTrouble())
        ShowMessage(*trouble, GetProductName(), wxOK | wxICON_WARNING, this);
}

void MainWindow::OfferRecovery()
{
    SweepStrayRecoveryFrames(RecoveryFolder());
    for (const wxString& copy : OrphanedRecoveryCopies(RecoveryFolder())) {
        const ProjectReading reading = ReadProjectFile(copy);
        if (!reading.Usable()) {
            DiscardRecoveryCopy(copy);
            continue;
        }
        MessageDialog question(
            this,
            wxString::Format(wxPLURAL("The program ended unexpectedly while %d frame was open.\n"
                                      "Restore it?",
                                      "The program ended unexpectedly while %d frames were open.\n"
                                      "Restore them?",
                                      static_cast<int>(reading.frames.size())),
                             static_cast<int>(reading.frames.size())),
            GetProductName(), wxYES_NO | wxICON_QUESTION);
        question.SetYesNoLabels(_("Restore"), _("Discard"));
        if (question.ShowModal() != wxID_YES) {
            DiscardRecoveryCopy(copy);
            continue;
        }
        // One document per window: the other copies wait for the next start. The copy goes
        // once its frames are in.
        OpenProjectFile(copy, true);
        return;
    }
}
