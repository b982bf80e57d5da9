// Decoding the frames of a batch of files off the GUI thread. The batch's results come in
// order, as calls of a LoadSink or, from the worker thread, as LoadReport values; a batch ends
// with exactly one result at 100 percent.
#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include <wx/arrstr.h>
#include <wx/image.h>
#include <wx/thread.h>

#include "core/jobs/load_report.h"
#include "core/picture/picture_store.h"

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

// What the worker makes of each decoded image: a picture in store, and a thumbnail that fits a
// square box of thumbnailSide pixels (none for 0).
struct PictureMaking {
    std::shared_ptr<PictureStore> store;
    int thumbnailSide = 0;
};

// The image made small to fit a square box of side pixels, never enlarged; null when it
// can't be (an image not ok, a side of 0, a sliver too thin to show).
std::shared_ptr<const wxImage> MakeThumbnail(const wxImage& image, int side);

// Runs LoadImageBatch, handing each result to report on the worker thread, its images made
// into pictures there. Joinable: the owner stops it (RequestStop) and waits for it before
// report's target goes away.
class ImageLoadThread : public wxThread {
public:
    ImageLoadThread(const wxArrayString& entries, PictureMaking making,
                    std::function<void(LoadReport)> report);

    void RequestStop() { m_stop = true; }

protected:
    ExitCode Entry() override;

private:
    wxArrayString m_entries;
    PictureMaking m_making;
    std::function<void(LoadReport)> m_report;
    std::atomic<bool> m_stop{false};
};
