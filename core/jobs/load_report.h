// What the loading worker reports, one value per result, in the order of its batch.
#pragma once

#include <memory>
#include <variant>

#include <wx/image.h>
#include <wx/string.h>

#include "core/picture/picture.h"

// A decoded frame, which the receiver takes over as it is.
struct LoadedPicture {
    // The source file (a GIF frame's suffix removed), or the video frame's entry as given.
    wxString path;
    // Its number within a GIF; 0 for a picture.
    int gifFrame = 0;
    // Its own delay in hundredths of a second as its GIF stores it (0 included); -1 for a
    // picture that is no GIF frame.
    int delay = -1;
    // The picture, compressed on the worker, and its thumbnail for the strip.
    PictureRef picture;
    std::shared_ptr<const wxImage> thumbnail;
};

// An entry that gave no picture at all (its file is gone, unreadable, too large or no image).
struct NoPicture {
    wxString entry;
    wxString reason;
};

// A damaged file that still gives frames: what could be read is loaded.
struct DamagedSource {
    wxString path;
    wxString damage;
};

// A GIF holding more than kGifMaxFrames frames: only those are loaded.
struct FramesLeftOut {
    wxString path;
};

// The end of a batch whose last entry gave no picture.
struct BatchEnd {};

struct LoadReport {
    std::variant<LoadedPicture, NoPicture, DamagedSource, FramesLeftOut, BatchEnd> result;
    // The share of the batch done. Exactly the last report of a batch says 100.
    int percent = 0;
};
