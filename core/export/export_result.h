// What every export reports while it runs and when it ends, whatever type it writes.
#pragma once

#include <wx/string.h>

#include "core/export/export_failure.h"

// Receives the progress of an export, on the thread that runs it.
class ExportProgressSink {
public:
    virtual ~ExportProgressSink() = default;
    // After frame i (0-based) of n has been written: percent = floor(100 * (i + 1) / n), so the
    // last report is exactly 100. Not called after a failure.
    virtual void Progress(int percent) = 0;
    // Asked before each frame; true ends the export as a failure and keeps nothing.
    virtual bool StopRequested() { return false; }
};

struct GifExportResult {
    bool ok = false;
    // Why the export failed; kind None on success.
    ExportFailure failure;
    // The failure in English (ExportFailureText(failure, false)); empty on success.
    wxString error;
};
