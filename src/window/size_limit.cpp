#include "src/window/size_limit.h"

#include "src/window/frame_source.h"
#include "src/window/size_estimate.h"

GifExportResult ExportGifWithinSize(const FrameSourceFactory& frames, const wxString& outputPath,
                                    const GifExportOptions& options, uint64_t maxBytes,
                                    ExportProgressSink* sink, SizeLimitReport* report)
{
    SizeLimitReport done;
    done.canvas = options.canvas;
    done.quality = options.quality;
    GifExportResult result;
    std::unique_ptr<FrameSource> source = frames();
    if (!source) {
        result.failure.kind = ExportFailure::Kind::InputRead;
        result.error = ExportFailureText(result.failure, false);
        return result;
    }
    if (maxBytes > 0) {
        const std::atomic<bool> never{false};
        const std::optional<uint64_t> length = EstimateGifSize(*source, options, never);
        ++done.attempts;
        done.bytes = length.value_or(0);
        if (length && *length > maxBytes) {
            result.failure.kind = ExportFailure::Kind::TooLarge;
            result.failure.file = outputPath;
            result.failure.limit = maxBytes;
            result.failure.smallest = *length;
            result.error = ExportFailureText(result.failure, false);
            if (report)
                *report = done;
            return result;
        }
        source = frames();
    }
    result = ExportGif(*source, outputPath, options, sink);
    ++done.attempts;
    done.fitted = result.ok;
    if (report)
        *report = done;
    return result;
}
