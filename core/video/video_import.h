// What importing a stretch of a video makes: the frames' names for the loader, their delays,
// and what they will cost; on plain values, for the window's dialog and its tests.
#pragma once

#include <cstdint>
#include <vector>

#include <wx/arrstr.h>
#include <wx/gdicmn.h>

#include "core/video/video_decoder.h"
#include "core/video/video_timing.h"

struct VideoImportPlan {
    int frames = 0;
    wxSize frameSize;
    uint64_t bytes = 0;  // the frames' pictures in memory, 4 bytes a pixel as the window keeps
};

// The frames sampling takes from a video of info, width pixels wide.
VideoImportPlan PlanVideoImport(const VideoInfo& info, const VideoSampling& sampling, int width);

// The highest rate that may be asked of a video: its own rounded (at most 60), 30 when the
// file doesn't say; the default rate is 10, or that highest one when lower.
int HighestVideoRate(const VideoInfo& info);
int DefaultVideoRate(const VideoInfo& info);

// The loader's entries for the frames (one video frame name each, see video_reference.h)
// and their delays in hundredths of a second, in order.
struct VideoImportFrames {
    wxArrayString entries;
    std::vector<int> delays;
};
VideoImportFrames VideoImportEntries(const wxString& video, const VideoInfo& info,
                                     const VideoSampling& sampling, int width);
