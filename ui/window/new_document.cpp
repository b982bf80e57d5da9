// File > New, and the state every document starts from: no frames, no history, and the
// paths and settings it comes with (a new one the defaults, an opened project its own).
#include <algorithm>

#include <wx/filefn.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>

#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"
#include "ui/dialogs/loop_count_dialog.h"

void MainWindow::OnNew(wxCommandEvent&)
{
    StopPreview();
    if (!MayReplaceDocument())
        return;
    StartDocument(DocumentStart());
}

void MainWindow::StartDocument(const DocumentStart& start)
{
    m_document.Remove(m_document.AllPositions());
    // Nothing of the document before can be undone into this one.
    m_history->ClearCommands();
    DisableFrameTools();
    m_statusBar->SetStatusText(wxEmptyString, 1);
    ClearPreview();

    m_projectPath = start.projectPath;
    m_projectName = start.projectPath.empty() ? wxString() : wxFileNameFromPath(start.projectPath);
    UpdateTitle();
    // The GIF saved before belongs to the document before: the next Save asks for a path.
    m_gifName = start.gifName;
    m_gifPath.clear();
    m_gifSavedVersion = 0;

    // The canvas follows the frames to come; an opened project chooses its own once they are in.
    DocumentSettings settings;
    settings.delay =
        std::clamp(start.delay, m_spinctrl_delay->GetMin(), m_spinctrl_delay->GetMax());
    settings.loopCount = start.loopCount;
    settings.loopInFile = start.loopInGif;
    settings.edit = start.edit;
    m_document.SetSettings(settings);
    ShowCanvas();
    m_player.ResetLoops();
    // The Loop Count dialog offers what the document holds.
    s_lastLoopCount = start.loopCount;
    s_lastLoopForFile = start.loopInGif;
    LengthChanged();
    ScheduleEstimate();
    ScheduleRecoveryCopy();
}
