// A log target that counts what reaches the toolkit's log, which the window would show as
// error boxes of its own: a test installs it to check that a failure is told in our words only.
#pragma once

#include <wx/log.h>

class CountingLog : public wxLog {
public:
    int records = 0;

protected:
    void DoLogRecord(wxLogLevel, const wxString&, const wxLogRecordInfo&) override { ++records; }
};
