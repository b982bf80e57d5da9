#include "core/export/animation_export.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "core/export/export_steps.h"

namespace {

using Kind = ExportFailure::Kind;

// The encoder's refusal, or the stream's when that is what failed.
ExportFailure EncoderFailure(wxOutputStream& stream, const std::string& error)
{
    if (!stream.IsOk())
        return FailureOf(Kind::OutputWrite, wxString::FromUTF8(std::strerror(EIO)));
    return FailureOf(Kind::Encoder, wxString::FromUTF8(error));
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
            return FailureOf(Kind::Stopped);
        wxImage composed;
        ExportFailure failure;
        if (!TakeComposed(source, i, options.frames.canvas, options.frames.edit,
                          options.frames.traceComposition, composed, failure))
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
    ExportFailure failure = CheckFramesAndCanvas(frames, options.frames.canvas);
    if (failure.kind == Kind::None)
        failure = WriteFrames(frames, stream, options, encoder, sink);
    return ResultOf(failure);
}

GifExportResult ExportAnimation(FrameSource& frames, const wxString& outputPath,
                                const AnimationExportOptions& options,
                                AnimationEncoder& encoder, ExportProgressSink* sink)
{
    return ExportToPath(outputPath, CheckFramesAndCanvas(frames, options.frames.canvas), sink,
                        [&](wxOutputStream& out) {
                            return WriteFrames(frames, out, options, encoder, sink);
                        });
}
