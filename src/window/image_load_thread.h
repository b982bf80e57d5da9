// Decoding the frames of a batch of files off the GUI thread. Each decoded image travels to
// the main window in a queued wxEVT_THREAD_UPDATE event with id ID_IMAGE_LOADED: the string
// is the source path (frame suffix removed), the int the batch's percentage, the extra long
// the frame number within a GIF, and the payload (LoadedImagePtr) the image. Every batch
// ends with exactly one event whose percentage is 100; when the last entry yields no image,
// that event carries no image. A batch that keeps missing entries reports an entry that gives
// no picture (its file is gone or unreadable) as an event without an image whose string is the
// entry as given and whose extra long is -1 (IsMissingEntryEvent).
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
    virtual void Loaded(const wxString& path, int frame, int percent,
                        std::unique_ptr<wxImage> image) = 0;
    // The batch ended without an image at 100 percent (its last entry gave none).
    virtual void Finished() = 0;
    // An entry that gave no picture, when the batch keeps missing entries.
    virtual void Missing(const wxString& entry, int percent) {}
};

// Decodes entries (paths or frame reference names) in order. A missing file, a picture that
// can't be decoded, and a frame that doesn't convert are skipped silently, unless keepMissing
// asks for an entry that gives nothing at all to be reported to Missing. When stopRequested()
// turns true it stops before the next entry or GIF frame and ends the batch as usual, so the
// receiver learns of the end either way.
void LoadImageBatch(const wxArrayString& entries, LoadSink& sink,
                    const std::function<bool()>& stopRequested, bool keepMissing = false);

// The image of an ID_IMAGE_LOADED event; null for the end-of-batch event without an image.
LoadedImagePtr LoadedImageOf(const wxThreadEvent& event);
// Whether an ID_IMAGE_LOADED event reports a missing entry (GetString names it).
bool IsMissingEntryEvent(const wxThreadEvent& event);

// Runs LoadImageBatch for its owner. Joinable: the owner stops it (RequestStop) and waits
// for it before it goes away, so no event is ever queued to a destroyed window.
class ImageLoadThread : public wxThread {
public:
    ImageLoadThread(wxEvtHandler* owner, const wxArrayString& files, bool keepMissing = false);

    void RequestStop() { m_stop = true; }

protected:
    ExitCode Entry() override;

private:
    wxEvtHandler* m_owner;
    wxArrayString m_files;
    bool m_keepMissing;
    std::atomic<bool> m_stop{false};
};
