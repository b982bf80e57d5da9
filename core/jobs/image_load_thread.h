// Decoding the frames of a batch of files off the GUI thread. Each decoded image travels to
// the main window in a queued wxEVT_THREAD_UPDATE event with id ID_IMAGE_LOADED: the string
// is the source path (frame suffix removed), the int the batch's percentage, the extra long
// the frame number within a GIF, and the payload the image (LoadedImageOf) and the frame's
// own delay (LoadedDelayOf: a GIF frame's, -1 for a picture that is no GIF frame). Every batch
// ends with exactly one event whose percentage is 100; when the last entry yields no image,
// that event carries no image. An entry that gives no picture at all (its file is gone,
// unreadable, too large or no image) is reported as an event without an image whose string
// is the entry as given, whose extra long is -1 (IsNoFrameEvent) and whose payload holds the
// reason (NoFrameReasonOf). A damaged file that still gives frames is reported once, by an
// event without an image whose string is the source path, whose extra long is -2
// (IsDamagedEvent), whose payload holds how it is damaged (DamageOf) and whose percentage is
// below 100: it never ends a batch. A GIF with more frames than are read from one file is
// reported the same way, once before its frames, with the extra long -3
// (IsFramesLeftOutEvent).
#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include <wx/arrstr.h>
#include <wx/image.h>
#include <wx/thread.h>

class wxEvtHandler;
class wxThreadEvent;

using LoadedImagePtr = std::shared_ptr<wxImage>;

// Receives the results of a batch, in order.
class LoadSink {
public:
    virtual ~LoadSink() = default;
    // A decoded frame: frame is its number within a GIF (0 for a picture), delay its own delay
    // in hundredths of a second as the GIF stores it (0 included), -1 for a picture that is
    // no GIF frame.
    virtual void Loaded(const wxString& path, int frame, int delay, int percent,
                        std::unique_ptr<wxImage> image) = 0;
    // The batch ended without an image at 100 percent (its last entry gave none).
    virtual void Finished() = 0;
    // An entry that gave no picture at all, and why.
    virtual void NoFrame(const wxString& entry, const wxString& reason, int percent) {}
    // The file at path is damaged (cut short, a GIF frame that doesn't decode) but gives
    // frames: what could be read is loaded. Comes before the frames when the damage is known
    // from the start, else right after the last frame that decoded; percent is below 100.
    virtual void Damaged(const wxString& path, const wxString& damage, int percent) {}
    // The GIF at path holds more than kGifMaxFrames frames: only those are loaded. Comes
    // before its frames; percent is below 100.
    virtual void FramesLeftOut(const wxString& path, int percent) {}
};

// Decodes entries (paths or frame reference names) in order. A frame that doesn't convert is
// skipped; an entry that gives nothing at all goes to NoFrame. When stopRequested() turns
// true it stops before the next entry or GIF frame and ends the batch as usual, so the
// receiver learns of the end either way.
void LoadImageBatch(const wxArrayString& entries, LoadSink& sink,
                    const std::function<bool()>& stopRequested);

// The image of an ID_IMAGE_LOADED event; null for the end-of-batch event without an image.
LoadedImagePtr LoadedImageOf(const wxThreadEvent& event);
// The own delay of the frame an ID_IMAGE_LOADED event carries, in hundredths of a second as
// its GIF stores it (0 included); -1 for a picture that is no GIF frame and for the events
// without an image.
int LoadedDelayOf(const wxThreadEvent& event);
// Whether an ID_IMAGE_LOADED event reports an entry that gave no picture (GetString names it).
bool IsNoFrameEvent(const wxThreadEvent& event);
// Why that entry gave no picture.
wxString NoFrameReasonOf(const wxThreadEvent& event);
// Whether an ID_IMAGE_LOADED event reports a damaged file that gave frames (GetString names
// it).
bool IsDamagedEvent(const wxThreadEvent& event);
// How that file is damaged.
wxString DamageOf(const wxThreadEvent& event);
// Whether an ID_IMAGE_LOADED event reports a GIF whose frames past the limit were left out
// (GetString names it).
bool IsFramesLeftOutEvent(const wxThreadEvent& event);

// Runs LoadImageBatch for its owner. Joinable: the owner stops it (RequestStop) and waits
// for it before it goes away, so no event is ever queued to a destroyed window.
class ImageLoadThread : public wxThread {
public:
    ImageLoadThread(wxEvtHandler* owner, const wxArrayString& files);

    void RequestStop() { m_stop = true; }

protected:
    ExitCode Entry() override;

private:
    wxEvtHandler* m_owner;
    wxArrayString m_files;
    std::atomic<bool> m_stop{false};
};
