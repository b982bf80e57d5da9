// The expected length of the GIF file the current frames and options would make, worked out in
// the background while the user edits.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

#include "core/export/gif_export.h"

class FrameSource;

// The expected file length in bytes for frames under options, within about 15 % of what
// ExportGif writes. May encode only a sample of the frames. Returns nothing when cancel
// becomes true (checked between frames) or a frame can't be read. Writes no trace lines.
std::optional<uint64_t> EstimateGifSize(FrameSource& frames, const GifExportOptions& options,
                                        const std::atomic<bool>& cancel);
