// Writing the animation to a GIF file off the GUI thread. The thread takes its frames as image
// data, never from the strip: the window's are the document's pictures, which the thread
// decodes itself (bitmaps, drawing contexts and windows must not be touched off the GUI
// thread).
//
// Reports are wxEVT_THREAD_UPDATE events with id ID_GIF_FRAME_SAVED: after frame i of n the
// int is floor(100 * (i + 1) / n), below 100; then exactly one final event with int 100
// whose payload (GifSaveOutcome) says whether the file is complete and in place, or why not.
#pragma once

#include <atomic>
#include <vector>

#include <wx/gdicmn.h>
#include <wx/image.h>
#include <wx/string.h>
#include <wx/thread.h>

#include "core/export/export_failure.h"
#include "core/export/gif_save_options.h"
#include "core/export/size_limit.h"

class wxEvtHandler;
class wxThreadEvent;

struct GifSaveOutcome {
    bool ok = false;
    // A sentence naming the file and the reason, in English; empty on success.
    wxString error;
    // The same failure for ExportFailureText(failure, true), which the GUI thread words in
    // the interface language; kind None on success.
    ExportFailure failure;
    // What a size-limited save did (attempts 0 when the save had no limit).
    SizeLimitReport limit;
};

// The outcome carried by the final report; a failure for any other event.
GifSaveOutcome GifSaveOutcomeOf(const wxThreadEvent& event);

class ExportThread : public wxThread {
public:
    // frames must share no data with images used elsewhere (see ImageListFrameSource).
    ExportThread(const wxSize& canvasSize, wxEvtHandler* dest, std::vector<wxImage> frames,
                        const wxString& outputPath, int delay);
    // A fresh pass over the frames for every try (the window's: its pictures, see
    // PictureFrameSource).
    ExportThread(const wxSize& canvasSize, wxEvtHandler* dest, FrameSourceFactory frames,
                        const wxString& outputPath, int delay);

    // Each frame's delay (one per frame, hundredths) and how many times the file plays
    // (GifExportOptions' meanings); set before Run.
    void SetTiming(std::vector<int> delays, int loopCount)
    {
        m_delays = std::move(delays);
        m_loopCount = loopCount;
    }

    // How the frames become the file's pictures (GifExportOptions' edit); set before Run.
    void SetEdit(const CanvasEdit& edit) { m_edit = edit; }

    // The encoding and the size limit the save asked for; set before Run.
    void SetSaveOptions(const GifSaveOptions& options) { m_options = options; }

    // Ends the export before the next frame; the target file is left as it was.
    void RequestStop() { m_stop = true; }

protected:
    ExitCode Entry() override;

private:
    wxEvtHandler* m_dest;
    FrameSourceFactory m_frames;
    GifSaveOptions m_options;
    wxSize m_canvasSize;
    wxString m_outputPath;
    int m_delay;
    std::vector<int> m_delays;
    int m_loopCount = 0;
    CanvasEdit m_edit;
    std::atomic<bool> m_stop{false};
};
