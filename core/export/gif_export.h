// The whole export of an animation to a GIF file: every frame is fitted into the canvas,
// reduced to a palette and written, in order. The application's Save and the command-line
// exporter both run it, so the same frames, delay and canvas give the same bytes.
#pragma once

#include <vector>

#include <wx/gdicmn.h>
#include <wx/image.h>
#include <wx/stream.h>
#include <wx/string.h>

#include "core/export/export_failure.h"
#include "core/export/export_result.h"
#include "core/export/frame_source.h"
#include "core/colour/palette.h"
#include "core/document/canvas_edit.h"

constexpr int kGifBestQuality = 100;
constexpr int kGifLowestQuality = 1;

struct GifExportOptions {
    wxSize canvas;          // every frame's size in the file; 1..kGifMaxSide each way
    // How each frame becomes a picture of canvas size (see ComposeEdited). With a transparent
    // background every frame is written whole and clears the screen behind it when the next
    // comes (optimize writes them so too), so that no frame shows through another's clear
    // pixels.
    CanvasEdit edit;
    int delay = 10;         // hundredths of a second between frames
    // Each output frame's own delay in hundredths, by frame index, 0..kGifMaxDelay as given
    // (0 and 1 too, though viewers stretch them). An entry below 0, and every frame past the
    // end of the list, uses delay; empty (the default) gives every frame delay.
    std::vector<int> delays;
    // How many times the animation plays: 0 forever (the default: the looping extension with
    // repeat count 0), 1 once (no looping extension), N >= 2 N times (repeat count N - 1);
    // at most kGifMaxLoopCount. See LoopingBlock in gif_blocks.h.
    int loopCount = 0;
    PaletteReducer reducer = PaletteReducer::Quant;
    // Frames prepared (decoded, composed, reduced) at once on worker threads while the
    // current one is written; 0 picks one per processor, 1 works on the calling thread only.
    // The bytes are the same for every value.
    int threads = 0;
    // Writes every frame after the first as only the rectangle that changed, with still
    // pixels transparent where that is shorter, and keeps the previous frame's colours where
    // the picture stays still (see gif_optimised_writer.h). Off: every frame is written whole
    // with its own palette, the bytes of earlier versions.
    bool optimize = false;
    // 1..100: how close the file stays to the frames, traded for size (fewer colours, less
    // dithering, a wider tolerance for keeping the previous frame's colours and, optimised,
    // for leaving a pixel that hardly changed as it is; see gif_quality.h). 100, the default,
    // is the best the reducer reaches: the output of earlier versions, losslessly optimised.
    int quality = kGifBestQuality;
    // Whether fitting the frames into the canvas writes its trace lines (see ComposeFrame):
    // a save does; a trial encoding that writes no file, such as the size estimate, does not.
    bool traceComposition = true;
};

// The delay in hundredths that frame index is written with under options: its own entry in
// options.delays when that is 0 or more, else options.delay; held in 0..kGifMaxDelay.
int GifFrameDelay(const GifExportOptions& options, int index);

// Writes the animation to stream, which is not closed.
// On failure the stream holds a partial file.
GifExportResult WriteGifAnimation(FrameSource& frames, wxOutputStream& stream,
                                  const GifExportOptions& options,
                                  ExportProgressSink* sink = nullptr);

// Writes the animation to outputPath through a temporary file beside it that replaces the
// target only when every frame and the trailer were written; after a failure an existing
// file at outputPath is untouched and no partial file is left. Every failure but an input's
// names outputPath as its file; a folder that can't take the temporary file is
// FolderNotWritable.
GifExportResult ExportGif(FrameSource& frames, const wxString& outputPath,
                          const GifExportOptions& options, ExportProgressSink* sink = nullptr);

// The same for frames held in memory; see ImageListFrameSource for why they must be copies
// that share nothing with the caller's images.
GifExportResult ExportGif(std::vector<wxImage> frames, const wxString& outputPath,
                          const GifExportOptions& options, ExportProgressSink* sink = nullptr);
