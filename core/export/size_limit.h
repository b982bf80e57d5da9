// Writing a GIF that must stay under a size: the export is repeated at lower settings until the
// file fits, and only a file that fits replaces the target.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include <wx/gdicmn.h>

#include "core/export/gif_export.h"

class FrameSource;

// A fresh pass over the same frames, from the first; nullptr when the frames can't be read
// again (the export then fails with the reason the source gives).
using FrameSourceFactory = std::function<std::unique_ptr<FrameSource>()>;

// What the size-limited export did, for the user.
struct SizeLimitReport {
    bool fitted = false;     // a file at most maxBytes long was written
    int quality = kGifBestQuality;  // the quality of the file written (or of the last try)
    wxSize canvas;           // its canvas: options.canvas, or smaller when scaled down
    uint64_t bytes = 0;      // its length (or the last try's)
    int attempts = 0;        // exports run
};

// Exports frames to outputPath as ExportGif does, trying options first and, while the file is
// longer than maxBytes, lower quality in steps and then a smaller canvas. A file that fits
// replaces the target; when none fits nothing is written and the result is a failure of kind
// TooLarge. maxBytes 0 means no limit (one plain export).
GifExportResult ExportGifWithinSize(const FrameSourceFactory& frames, const wxString& outputPath,
                                    const GifExportOptions& options, uint64_t maxBytes,
                                    ExportProgressSink* sink = nullptr,
                                    SizeLimitReport* report = nullptr);
