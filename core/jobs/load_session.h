// A load of frames into the document: the worker that decodes the entries off the GUI thread,
// the frames put into the document as they arrive, and what the load gathers for the word to
// the user at its end. Results come back as thread events, which a progress dialog's Update
// does not dispatch, so no result is taken inside the handling of the one before it.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include <wx/arrstr.h>
#include <wx/event.h>

#include "core/document/animation_document.h"
#include "core/jobs/load_report.h"

class ImageLoadThread;

// What a load decodes and how its frames go into the document.
struct LoadRequest {
    // Paths or frame reference names, in order.
    wxArrayString entries;
    // Where the first frame goes; -1 appends each after the last frame.
    int insertAt = -1;
    // A GIF frame keeps its own delay; otherwise it follows the common one.
    bool keepGifTiming = true;
    // The delays of video frames, by their entries.
    std::map<wxString, int> videoDelays;
    // Frames that were stored (a project's): each entry's name and own delay, in order. Every
    // entry then becomes a frame, one that gives no picture a placeholder.
    struct Stored {
        wxArrayString names;
        std::vector<int> delays;
    };
    std::optional<Stored> stored;
    // The box the strip's largest tile fits a picture into, in pixels: the worker makes each
    // frame's thumbnail that size (0: none, the strip makes its own).
    int thumbnailSide = 0;
};

// What a load has gathered.
struct LoadOutcome {
    int insertAt = -1;
    // The frames put into the document, in order, and where the first of them went.
    FrameList frames;
    int first = 0;
    // "entry: reason" for each entry that gave no picture (none for stored frames).
    wxArrayString skipped;
    // "path: damage" for each damaged file that still gave frames (none for stored frames).
    wxArrayString damaged;
    // Each GIF whose frames past the limit were left out.
    wxArrayString leftOut;
    // The names of stored frames that came back as placeholders.
    wxArrayString missing;
    // Cancelled: the frames that came after were dropped.
    bool cancelled = false;
};

class LoadSession : public wxEvtHandler {
public:
    struct Callbacks {
        // Asked before each result is taken: whether the user wants the load stopped.
        std::function<bool()> stopWanted;
        // The share of the load done, below 100, after a result was taken.
        std::function<void(int percent)> progress;
        // The load has ended and its worker is joined. The session may start again from here.
        std::function<void(const LoadOutcome&)> finished;
    };

    LoadSession(AnimationDocument& document, Callbacks callbacks);
    // Stops the load under way and waits for its worker.
    ~LoadSession() override;
    LoadSession(const LoadSession&) = delete;
    LoadSession& operator=(const LoadSession&) = delete;

    // Starts decoding. False when a load runs or the worker could not start.
    bool Start(LoadRequest request);
    // The document takes nothing more; the load ends through finished, keeping what it put in.
    void Cancel();
    // Stops the load and waits for its worker, without finished; its queued results are
    // dropped.
    void Stop();
    bool Running() const { return m_worker != nullptr; }
    // What the running load has gathered so far.
    const LoadOutcome& Gathered() const { return m_gathered; }

private:
    void OnReport(wxThreadEvent& event);
    void Take(const LoadReport& report);
    void Place(PictureRef picture, std::shared_ptr<const wxImage> thumbnail,
               const wxString& name, int delay);
    // The name and delay of the frame arriving next, from name and delay as reported.
    wxString ArrivingName(const wxString& reported) const;
    int ArrivingDelay(const wxString& entry, int own) const;
    void Finish();

    AnimationDocument& m_document;
    Callbacks m_callbacks;
    LoadRequest m_request;
    LoadOutcome m_gathered;
    std::unique_ptr<ImageLoadThread> m_worker;
};
