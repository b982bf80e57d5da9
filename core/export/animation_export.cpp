#include "core/export/animation_export.h"

#include <cerrno>
#include <cstring>
#include <string>

#include <wx/log.h>

#include "core/base/available_memory.h"
#include "core/export/canvas_check.h"
#include "core/export/compose_frame.h"
#include "core/files/atomic_file.h"

namespace {

using Kind = ExportFailure::Kind;

ExportFailure Failure(Kind kind, const wxString& reason = wxString())
{
    ExportFailure failure;
    failure.kind = kind;
    failure.reason = reason;
    return failure;
}

ExportFailure InputFailure(const FrameError& error)
{
    if (error.stopped)
        return Failure(Kind::Stopped);
    ExportFailure failure = Failure(Kind::InputRead, error.reason);
    failure.file = error.file;
    return failure;
}

// The encoder's refusal, or the stream's when that is what failed.
ExportFailure EncoderFailure(wxOutputStream& stream, const std::string& error)
{
    if (!stream.IsOk())
        return Failure(Kind::OutputWrite, wxString::FromUTF8(std::strerror(EIO)));
    return Failure(Kind::Encoder, wxString::FromUTF8(error));
}

bool TakeComposed(FrameSource& source, int index, const GifExportOptions& options,
                  wxImage& composed, ExportFailure& failure)
{
    wxImage frame;
    FrameError error;
    if (!source.Frame(index, frame, error)) {
        failure = InputFailure(error);
        return false;
    }
    composed = ComposeEdited(frame, options.canvas, options.edit, options.traceComposition);
    if (!composed.IsOk()) {
        failure = Failure(Kind::FrameFit);
        failure.frame = index;
        failure.count = source.Count();
        return false;
    }
    return true;
}

ExportFailure WriteFrames(FrameSource& source, wxOutputStream& stream,
                          const AnimationExportOptions& options, AnimationEncoder& encoder,
                          ExportProgressSink* sink)
{
    const int count = source.Count();
    std::string error;
    if (!encoder.Begin(stream, EncodingOf(options, count), error))
        return EncoderFailure(stream, error);
    for (int i = 0; i < count; ++i) {
        if (sink && sink->StopRequested())
            return Failure(Kind::Stopped);
        wxImage composed;
        ExportFailure failure;
        if (!TakeComposed(source, i, options.frames, composed, failure))
            return failure;
        if (!encoder.Add(composed, GifFrameDelay(options.frames, i), error))
            return EncoderFailure(stream, error);
        // The file is made with the last frame, so its making counts in that frame's report.
        if (i + 1 == count && !encoder.Finish(error))
            return EncoderFailure(stream, error);
        if (sink)
            sink->Progress(static_cast<int>(100LL * (i + 1) / count));
    }
    return ExportFailure();
}

ExportFailure CheckOptions(FrameSource& source, const AnimationExportOptions& options)
{
    if (source.Count() <= 0)
        return Failure(Kind::NoFrames);
    return CheckCanvas(options.frames.canvas, AvailableMemory());
}

// Writes the animation through file; the file is in place exactly when nothing failed.
ExportFailure WriteFile(FrameSource& frames, AtomicFileWriter& file,
                        const AnimationExportOptions& options, AnimationEncoder& encoder,
                        ExportProgressSink* sink)
{
    if (!file.Open())
        return FileWriteFailure(file);
    ExportFailure failure = WriteFrames(frames, file.Stream(), options, encoder, sink);
    // The file knows why its write failed (a full disk).
    if (failure.kind == Kind::OutputWrite && !file.CheckWritten())
        failure = FileWriteFailure(file);
    if (failure.kind == Kind::None && sink && sink->StopRequested())
        failure = Failure(Kind::Stopped);
    if (failure.kind == Kind::None && !file.Commit())
        failure = FileWriteFailure(file);
    if (failure.kind != Kind::None)
        file.Discard();
    return failure;
}

GifExportResult ResultOf(const ExportFailure& failure)
{
    GifExportResult result;
    result.ok = failure.kind == Kind::None;
    result.failure = failure;
    result.error = ExportFailureText(failure, false);
    return result;
}

} // namespace

AnimationEncoding EncodingOf(const AnimationExportOptions& options, int count)
{
    AnimationEncoding encoding;
    encoding.width = options.frames.canvas.x;
    encoding.height = options.frames.canvas.y;
    encoding.frameCount = count;
    encoding.loopCount = options.frames.loopCount;
    encoding.quality = options.frames.quality;
    encoding.lossless = options.lossless;
    encoding.effort = options.effort;
    return encoding;
}

GifExportResult WriteAnimation(FrameSource& frames, wxOutputStream& stream,
                               const AnimationExportOptions& options, AnimationEncoder& encoder,
                               ExportProgressSink* sink)
{
    ExportFailure failure = CheckOptions(frames, options);
    if (failure.kind == Kind::None)
        failure = WriteFrames(frames, stream, options, encoder, sink);
    return ResultOf(failure);
}

GifExportResult ExportAnimation(FrameSource& frames, const wxString& outputPath,
                                const AnimationExportOptions& options,
                                AnimationEncoder& encoder, ExportProgressSink* sink)
{
    ExportFailure failure = CheckOptions(frames, options);
    if (failure.kind == Kind::None) {
        // The system's own messages are part of the failure; the toolkit's log would repeat them.
        wxLogNull noLog;
        AtomicFileWriter file(outputPath);
        failure = WriteFile(frames, file, options, encoder, sink);
    }
    if (failure.kind != Kind::None && failure.kind != Kind::InputRead)
        failure.file = outputPath;
    return ResultOf(failure);
}
