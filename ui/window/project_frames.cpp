// The frames a project save writes beside the project: the files of the plan made on worker
// threads, while the window waits with its commands held and its pictures drawn.
#include <algorithm>
#include <memory>
#include <unistd.h>

#include <wx/app.h>
#include <wx/progdlg.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include "core/project/frame_file_job.h"
#include "core/project/frame_file_plan.h"
#include "core/project/frame_folder.h"
#include "core/settings/product.h"
#include "ui/dialogs/message_boxes.h"
#include "ui/window/main_window.h"

namespace {
void TellFrameFileFailure(const wxString& project, const wxString& file, const wxString& reason,
                          wxWindow* parent)
{
    ShowMessage(wxString::Format(_("The project could not be saved to %s:\n%s"), project,
                                 wxString::Format(_("can't write \"%s\": %s"), file, reason)),
                GetProductName(), wxOK | wxICON_ERROR, parent);
}

// A save shorter than this shows no dialog: it would only flash.
constexpr long kQuietMillis = 400;

// Runs job to its end, drawing the window meanwhile; a progress dialog with Cancel appears
// once it lasts.
void WaitForFrameFiles(FrameFileJob& job, wxWindow* parent)
{
    // Nothing but the dialog takes input: the document must stay as planned.
    wxWindowDisabler held;
    std::unique_ptr<wxProgressDialog> dialog;
    wxStopWatch watch;
    while (!job.Done()) {
        if (!dialog && watch.Time() > kQuietMillis) {
            dialog = std::make_unique<wxProgressDialog>(
                GetProductName(), _(" Saving images...."), job.Count(), parent,
                wxPD_CAN_ABORT | wxPD_APP_MODAL | wxPD_ELAPSED_TIME | wxPD_REMAINING_TIME);
            LabelStockButtons(dialog.get());
        }
        if (dialog) {
            if (!dialog->Update(std::min(job.Written(), job.Count() - 1)))
                job.Cancel();
        } else {
            wxTheApp->Yield(true);
        }
        wxMilliSleep(20);
    }
}
}

bool MainWindow::WriteProjectFrames(const FrameFilePlan& plan, const wxString& path)
{
    if (plan.tasks.empty())
        return true;
    wxString reason;
    if (!MakeFramesFolder(plan.folder, &reason)) {
        TellFrameFileFailure(path, plan.folder, reason, this);
        return false;
    }
    FrameFileJob job(plan.tasks);
    WaitForFrameFiles(job, this);
    const FrameFileOutcome& outcome = job.Wait();
    if (outcome.ok)
        return true;
    // The job took its files away again; a folder it made is left empty, and goes too.
    ::rmdir(plan.folder.fn_str());
    // Stopped on request: the previous project is as it was, which the user knows.
    if (outcome.cancelled)
        return false;
    TellFrameFileFailure(path, outcome.file, outcome.reason, this);
    return false;
}
