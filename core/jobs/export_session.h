// Writing the animation to a GIF file in the background: the worker, which reads the frames'
// pictures itself (a fresh pass over them for every try of a size limit), its progress and its
// end. Reports come back as thread events, which a progress dialog's Update
// does not dispatch, so none is handled inside the handling of the one before it.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <wx/event.h>
#include <wx/gdicmn.h>
#include <wx/image.h>
#include <wx/string.h>

#include "core/export/gif_save_options.h"
#include "core/jobs/export_thread.h"
#include "core/picture/picture.h"

// What an export writes, and how.
struct ExportRequest {
    wxString path;
    wxSize canvas;
    // The common delay, each frame's delay (one per frame, hundredths) and how many times the
    // file plays (GifExportOptions' meanings).
    int delay = 0;
    std::vector<int> delays;
    int loopCount = 0;
    // How the frames become the file's pictures.
    CanvasEdit edit;
    GifSaveOptions options;
    // The pictures in the order written; a null one is written as no picture.
    std::vector<PictureRef> frames;
};

class ExportSession : public wxEvtHandler {
public:
    struct Callbacks {
        // The share written, below 100. newTry is the number of the try this report starts
        // (2, 3, ...) when a size limit began the frames again, else 0.
        std::function<void(int percent, int newTry)> progress;
        // The export has ended and its worker is joined; cancelled when it was asked to stop.
        std::function<void(const GifSaveOutcome& outcome, bool cancelled)> finished;
    };

    explicit ExportSession(Callbacks callbacks);
    // Stops the export under way, leaving the file as it was, and waits for its worker.
    ~ExportSession() override;
    ExportSession(const ExportSession&) = delete;
    ExportSession& operator=(const ExportSession&) = delete;

    // Starts writing. False when an export runs or the worker could not start.
    bool Start(ExportRequest request);
    // Stops before the next frame, leaving the file as it was; ends through finished.
    void Cancel();
    // Stops and waits for the worker, without finished; its queued reports are dropped.
    void Stop();
    bool Running() const { return m_worker != nullptr; }

private:
    void OnReport(wxThreadEvent& event);

    Callbacks m_callbacks;
    std::unique_ptr<ExportThread> m_worker;
    bool m_cancelled = false;
    // The last share reported and the try under way.
    int m_percent = 0;
    int m_try = 1;
};
