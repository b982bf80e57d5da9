#include "app/crash_report.h"

#include <cstdio>

#include <wx/datetime.h>
#include <wx/debugrpt.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

#include "core/settings/crash_message.h"
#include "ui/dialogs/message_boxes.h"
#include "core/settings/paths.h"

namespace {
class DesktopPresenter : public CrashReportPresenter {
public:
    void ShowMessage(const wxString& message) override
    {
        ::ShowMessage(message, wxMessageBoxCaptionStr, wxOK | wxCENTRE);
    }
    void OpenFolder(const wxString& folder) override { OpenFolderInExplorer(folder); }
};

CrashReportPresenter* s_presenter = nullptr;

CrashReportPresenter& Presenter()
{
    static DesktopPresenter desktop;
    return s_presenter ? *s_presenter : desktop;
}

// True when the file was written; the crash report goes on without it otherwise.
bool WriteTimestamp(const wxString& path)
{
    FILE* file = fopen(path.fn_str(), "w");
    if (!file)
        return false;
    const bool written = fputs(CrashTimestamp(wxDateTime::Now()).utf8_str(), file) >= 0;
    return fclose(file) == 0 && written;
}
}

void SetCrashReportPresenter(CrashReportPresenter* presenter)
{
    s_presenter = presenter;
}

void GenerateCrashReport()
{
    wxDebugReportCompress report;
    report.AddAll(wxDebugReport::Context_Exception);

    const wxString folder = report.GetDirectory();
    const bool stamped = WriteTimestamp(wxFileName(folder, "timestamp.my").GetFullPath());
    report.SetCompressedFileDirectory(folder);
    // The archive can't hold a file that isn't there: naming a missing timestamp would make
    // the whole report fail, and the user would hear nothing of the crash.
    if (stamped)
        report.AddFile("timestamp.my", "timestamp of this report");

    const wxString message = CrashMessage(folder);
    if (report.Process()) {
        CrashReportPresenter& presenter = Presenter();
        presenter.ShowMessage(message);
        presenter.OpenFolder(folder);
        // Keeps the folder and the archive on disk when the report object goes.
        report.Reset();
    }
}
