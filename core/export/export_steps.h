// The steps every export shares, whatever it writes: reading and composing a frame, checking
// the frames and the canvas first, the file put in place only when every byte was written, and
// the result told in words.
#pragma once

#include <functional>

#include <wx/image.h>
#include <wx/stream.h>
#include <wx/string.h>

#include "core/export/export_failure.h"
#include "core/export/frame_source.h"
#include "core/export/export_result.h"
#include "core/document/canvas_edit.h"

class AtomicFileWriter;

ExportFailure FailureOf(ExportFailure::Kind kind, const wxString& reason = wxString());
// A failure of frame index of count.
ExportFailure FrameFailure(ExportFailure::Kind kind, int index, int count);
// The source's failure: a stop, or the input that could not be read.
ExportFailure InputFailure(const FrameError& error);

// Frame index of source composed on canvas under edit (ComposeEdited, its trace lines when
// trace); called for one frame at a time, in order, so the source is read sequentially and the
// trace lines come out in order.
bool TakeComposed(FrameSource& source, int index, const wxSize& canvas, const CanvasEdit& edit,
                  bool trace, wxImage& composed, ExportFailure& failure);

// Whether there are frames, and a canvas the memory can hold.
ExportFailure CheckFramesAndCanvas(FrameSource& source, const wxSize& canvas);

// Opens file, runs write into its stream and puts the file in place exactly when nothing
// failed (a stop that came during the last frame included); otherwise drops it, the target
// unchanged. A failed write is told with the system's reason the file keeps.
ExportFailure WriteThroughFile(AtomicFileWriter& file, ExportProgressSink* sink,
                               const std::function<ExportFailure(wxOutputStream&)>& write);

// When check found nothing wrong, writes outputPath through the atomic writer
// (WriteThroughFile) with the toolkit's log quiet, as the system's own messages are part of
// the failure; names outputPath in every failure but an input's.
GifExportResult ExportToPath(const wxString& outputPath, const ExportFailure& check,
                             ExportProgressSink* sink,
                             const std::function<ExportFailure(wxOutputStream&)>& write);

GifExportResult ResultOf(const ExportFailure& failure);
