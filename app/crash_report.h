// The crash report: a compressed debug report with a timestamp, and a message naming it.
#pragma once

#include <wx/string.h>

// How a finished report reaches the user. The default shows the message in a box and opens
// the folder in the file manager; a test that crashes a child process replaces it, since
// nobody is there to answer the box.
class CrashReportPresenter {
public:
    virtual ~CrashReportPresenter() = default;
    virtual void ShowMessage(const wxString& message) = 0;
    virtual void OpenFolder(const wxString& folder) = 0;
};

// Replaces the presenter (not owned); null restores the default.
void SetCrashReportPresenter(CrashReportPresenter* presenter);

// Writes the report of the exception being handled into a folder of the toolkit's choice,
// with the archive and "timestamp.my" in the same folder, and tells the user where it is.
// Runs on the crashed thread, from the fatal-exception hook.
void GenerateCrashReport();
