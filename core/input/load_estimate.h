// What a load will cost in memory, known from the files' headers before anything is decoded.
#pragma once

#include <cstdint>

#include <wx/arrstr.h>
#include <wx/gdicmn.h>

// The most bytes the window holds for one frame of size: its picture uncompressed (4 bytes a
// pixel; kept compressed it takes from nearly that for noisy photographs to a fiftieth for
// screen content) and its thumbnail.
uint64_t FrameMemoryCost(const wxSize& size);

struct LoadEstimate {
    uint64_t frames = 0;
    uint64_t bytes = 0;
};

// Adds up the frames and their cost for entries as the loader reads them (every frame of a
// GIF, one frame of a frame reference name or of a video frame name, one picture otherwise). Entries whose headers
// can't be read count nothing: the load will report them.
LoadEstimate EstimateLoad(const wxArrayString& entries);
