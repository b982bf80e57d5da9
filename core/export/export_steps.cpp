#include "core/export/export_steps.h"

#include <wx/log.h>

#include "core/base/available_memory.h"
#include "core/export/canvas_check.h"
#include "core/export/compose_frame.h"
#include "core/files/atomic_file.h"

using Kind = ExportFailure::Kind;

ExportFailure FailureOf(Kind kind, const wxString& reason)
{
    ExportFailure failure;
    failure.kind = kind;
    failure.reason = reason;
    return failure;
}

ExportFailure FrameFailure(Kind kind, int index, int count)
{
    ExportFailure failure = FailureOf(kind);
    failure.frame = index;
    failure.count = count;
    return failure;
}

ExportFailure InputFailure(const FrameError& error)
{
    if (error.stopped)
        return FailureOf(Kind::Stopped);
    ExportFailure failure = FailureOf(Kind::InputRead, error.reason);
    failure.file = error.file;
    return failure;
}

bool TakeComposed(FrameSource& source, int index, const wxSize& canvas, const CanvasEdit& edit,
                  bool trace, wxImage& composed, ExportFailure& failure)
{
    wxImage frame;
    FrameError error;
    if (!source.Frame(index, frame, error)) {
        failure = InputFailure(error);
        return false;
    }
    composed = ComposeEdited(frame, canvas, edit, trace);
    if (!composed.IsOk()) {
        failure = FrameFailure(Kind::FrameFit, index, source.Count());
        return false;
    }
    return true;
}

ExportFailure CheckFramesAndCanvas(FrameSource& source, const wxSize& canvas)
{
    if (source.Count() <= 0)
        return FailureOf(Kind::NoFrames);
    return CheckCanvas(canvas, AvailableMemory());
}

ExportFailure WriteThroughFile(AtomicFileWriter& file, ExportProgressSink* sink,
                               const std::function<ExportFailure(wxOutputStream&)>& write)
{
    if (!file.Open())
        return FileWriteFailure(file);
    ExportFailure failure = write(file.Stream());
    // The file knows why its write failed (a full disk); a stream or a buffer only that it did.
    if (failure.kind == Kind::OutputWrite && !file.CheckWritten())
        failure = FileWriteFailure(file);
    // A stop that came while the last frame was written still leaves the old file.
    if (failure.kind == Kind::None && sink && sink->StopRequested())
        failure = FailureOf(Kind::Stopped);
    if (failure.kind == Kind::None && !file.Commit())
        failure = FileWriteFailure(file);
    if (failure.kind != Kind::None)
        file.Discard();
    return failure;
}

GifExportResult ExportToPath(const wxString& outputPath, const ExportFailure& check,
                             ExportProgressSink* sink,
                             const std::function<ExportFailure(wxOutputStream&)>& write)
{
    ExportFailure failure = check;
    if (failure.kind == Kind::None) {
        wxLogNull noLog;
        AtomicFileWriter file(outputPath);
        failure = WriteThroughFile(file, sink, write);
    }
    if (failure.kind != Kind::None && failure.kind != Kind::InputRead)
        failure.file = outputPath;
    return ResultOf(failure);
}

GifExportResult ResultOf(const ExportFailure& failure)
{
    GifExportResult result;
    result.ok = failure.kind == Kind::None;
    result.failure = failure;
    result.error = ExportFailureText(failure, false);
    return result;
}
