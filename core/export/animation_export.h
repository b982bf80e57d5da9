// The export of an animation to a file of a type other than GIF: the frames are composed on
// the canvas exactly as for a GIF, timed by the same delays, and handed to that type's
// encoder, whose bytes reach the file through the atomic writer.
#pragma once

#include <wx/stream.h>
#include <wx/string.h>

#include "core/export/frame_source.h"
#include "core/export/gif_export.h"
#include "core/formats/animation_encoder.h"

struct AnimationExportOptions {
    // The canvas, its edit, the delays, the loop count, the quality and the trace, meaning
    // what they mean for a GIF; the palette reducer, threads and optimize play no part.
    GifExportOptions frames;
    bool lossless = false;  // see AnimationEncoding
    int effort = -1;
};

// What the encoder is told for count frames under options.
AnimationEncoding EncodingOf(const AnimationExportOptions& options, int count);

// Writes the animation to stream, which is not closed; after a failure it holds a part.
GifExportResult WriteAnimation(FrameSource& frames, wxOutputStream& stream,
                               const AnimationExportOptions& options, AnimationEncoder& encoder,
                               ExportProgressSink* sink = nullptr);

// Writes the animation to outputPath as ExportGif writes a GIF: the file is replaced only when
// every byte is written; after a failure the old file is untouched and no temporary one is
// left, and every failure but an input's names outputPath.
GifExportResult ExportAnimation(FrameSource& frames, const wxString& outputPath,
                                const AnimationExportOptions& options,
                                AnimationEncoder& encoder, ExportProgressSink* sink = nullptr);
