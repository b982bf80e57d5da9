#include "core/export/size_limit.h"

#include <algorithm>
#include <limits>

#include <wx/log.h>

#include "core/files/atomic_file.h"
#include "core/base/buffered_output.h"
#include "core/export/frame_source.h"
#include "core/export/scaled_frame_source.h"
#include "core/export/size_steps.h"

namespace {

using Kind = ExportFailure::Kind;

// Tries beyond these are not worth the wait: the steps are picked from measured ratios, so a
// file that can fit usually does by the third or fourth.
constexpr int kMostAttempts = 10;

// One try's view of the progress: its frames fill the band [from, to] of the whole export, so
// the user's bar only moves forward across tries. It also ends the try as soon as the file
// has passed the limit, and remembers how many frames it took to get there.
class TrySink : public ExportProgressSink {
public:
    TrySink(ExportProgressSink* outer, int from, int to, const BufferedOutput& out,
            uint64_t limit)
        : m_outer(outer), m_from(from), m_to(to), m_out(out), m_limit(limit)
    {
    }

    void Progress(int percent) override
    {
        if (++m_frames == 1)
            m_first = m_out.Written();
        const int shown = m_from + (m_to - m_from) * percent / 100;
        if (m_outer && shown > m_shown) {
            m_shown = shown;
            m_outer->Progress(shown);
        }
    }

    bool StopRequested() override
    {
        if (m_outer && m_outer->StopRequested())
            return true;
        m_overflowed = m_out.Written() > m_limit;
        return m_overflowed;
    }

    bool Overflowed() const { return m_overflowed; }
    int Frames() const { return m_frames; }
    // The header and first frame's length; 0 before the first frame was written.
    uint64_t First() const { return m_first; }
    int Shown() const { return std::max(m_shown, m_from); }

private:
    ExportProgressSink* m_outer;
    const int m_from;
    const int m_to;
    const BufferedOutput& m_out;
    const uint64_t m_limit;
    int m_frames = 0;
    uint64_t m_first = 0;
    int m_shown = -1;
    bool m_overflowed = false;
};

struct TryOutcome {
    ExportFailure failure;  // kind None both when the file fitted and when it was too long
    bool fitted = false;
    uint64_t bytes = 0;     // the length, or for a try cut short its projection
    int progress = 0;       // where the user's bar stands after the try
};

// Writes one try to the temporary file beside path and puts it in place only when it fits.
TryOutcome Try(FrameSource& source, const wxString& path, const GifExportOptions& options,
               uint64_t limit, ExportProgressSink* sink, int from, int to)
{
    TryOutcome outcome;
    outcome.progress = from;
    const wxLogNull noLog;
    AtomicFileWriter file(path);
    if (!file.Open()) {
        outcome.failure = FileWriteFailure(file);
        return outcome;
    }
    BufferedOutput out(file.Stream(), 256 * 1024);
    TrySink trySink(sink, from, to, out, limit);
    const GifExportResult written = WriteGifAnimation(source, out, options, &trySink);
    outcome.progress = trySink.Shown();
    if (trySink.Overflowed() || (written.ok && out.Written() > limit)) {
        file.Discard();
        outcome.bytes =
            ProjectedLength(trySink.First(), out.Written(), trySink.Frames(), source.Count());
        return outcome;
    }
    outcome.failure = written.failure;
    if (written.ok && !out.Flush())
        outcome.failure.kind = Kind::OutputWrite;
    if (outcome.failure.kind == Kind::OutputWrite && !file.CheckWritten())
        outcome.failure = FileWriteFailure(file);
    // A stop that came while the last frame was written still leaves the old file.
    if (outcome.failure.kind == Kind::None && sink && sink->StopRequested())
        outcome.failure.kind = Kind::Stopped;
    if (outcome.failure.kind == Kind::None && !file.Commit())
        outcome.failure = FileWriteFailure(file);
    if (outcome.failure.kind != Kind::None) {
        file.Discard();
        return outcome;
    }
    outcome.fitted = true;
    outcome.bytes = out.Written();
    return outcome;
}

ExportFailure FailureOf(Kind kind)
{
    ExportFailure failure;
    failure.kind = kind;
    return failure;
}

GifExportResult ResultOf(ExportFailure failure, const wxString& path)
{
    GifExportResult result;
    result.ok = failure.kind == Kind::None;
    if (!result.ok && failure.kind != Kind::InputRead)
        failure.file = path;
    result.failure = failure;
    result.error = ExportFailureText(failure, false);
    return result;
}

// The next try's band of the bar: the first may fill it (a file that fits at once is the
// usual case), later ones take half of what is left, so there is always room for another.
int BandEnd(int attempt, int from)
{
    return attempt == 0 ? 99 : from + (99 - from) / 2;
}

} // namespace

GifExportResult ExportGifWithinSize(const FrameSourceFactory& frames, const wxString& outputPath,
                                    const GifExportOptions& options, uint64_t maxBytes,
                                    ExportProgressSink* sink, SizeLimitReport* report)
{
    SizeLimitReport done;
    done.canvas = options.canvas;
    done.quality = options.quality;
    const auto finish = [&](const ExportFailure& failure) {
        if (report)
            *report = done;
        return ResultOf(failure, outputPath);
    };
    SizeStep step{options.quality, options.canvas};
    uint64_t smallest = std::numeric_limits<uint64_t>::max();
    int progress = 0;
    for (int attempt = 0; attempt < kMostAttempts; ++attempt) {
        std::unique_ptr<FrameSource> source = frames();
        if (!source)
            return finish(FailureOf(Kind::InputRead));
        GifExportOptions tryOptions = options;
        tryOptions.quality = step.quality;
        tryOptions.canvas = step.canvas;
        std::unique_ptr<FrameSource> scaled;
        if (step.canvas != options.canvas) {
            scaled = std::make_unique<ScaledFrameSource>(*source, options.canvas, step.canvas,
                                                         options.edit);
            tryOptions.edit = ScaledEdit(options.edit);
        }
        FrameSource& input = scaled ? *scaled : *source;
        if (maxBytes == 0) {
            const GifExportResult plain = ExportGif(input, outputPath, tryOptions, sink);
            done.attempts = 1;
            done.fitted = plain.ok;
            if (report)
                *report = done;
            return plain;
        }
        const TryOutcome outcome =
            Try(input, outputPath, tryOptions, maxBytes, sink, progress, BandEnd(attempt, progress));
        ++done.attempts;
        done.quality = step.quality;
        done.canvas = step.canvas;
        done.bytes = outcome.bytes;
        progress = outcome.progress;
        if (outcome.failure.kind != Kind::None)
            return finish(outcome.failure);
        if (outcome.fitted) {
            done.fitted = true;
            if (sink)
                sink->Progress(100);
            return finish(ExportFailure());
        }
        smallest = std::min(smallest, outcome.bytes);
        const std::optional<SizeStep> next =
            NextSizeStep(step, outcome.bytes, maxBytes, options.canvas);
        if (!next)
            break;
        step = *next;
    }
    ExportFailure tooLarge = FailureOf(Kind::TooLarge);
    tooLarge.limit = maxBytes;
    tooLarge.smallest = smallest;
    return finish(tooLarge);
}
