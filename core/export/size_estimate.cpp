#include "core/export/size_estimate.h"

#include <vector>

#include <wx/stream.h>

#include "core/export/frame_source.h"
#include "core/export/sample_runs.h"

namespace {

// Counts the bytes written and keeps none of them.
class CountingOutput : public wxOutputStream {
public:
    uint64_t Count() const { return m_count; }

protected:
    size_t OnSysWrite(const void*, size_t size) override
    {
        m_count += size;
        return size;
    }

private:
    uint64_t m_count = 0;
};

// Notes the file's length after every frame, and stops the encoding on cancel.
class CountingSink : public ExportProgressSink {
public:
    CountingSink(const std::atomic<bool>& cancel, const CountingOutput& out)
        : m_cancel(cancel), m_out(out)
    {
    }
    void Progress(int) override { m_ends.push_back(m_out.Count()); }
    bool StopRequested() override { return m_cancel.load(); }
    // The length of frame i as written (the first includes the header).
    uint64_t FrameBytes(size_t i) const { return m_ends[i] - (i == 0 ? 0 : m_ends[i - 1]); }
    size_t Frames() const { return m_ends.size(); }

private:
    const std::atomic<bool>& m_cancel;
    const CountingOutput& m_out;
    std::vector<uint64_t> m_ends;
};

// The frames of a source read in order, of which only some are wanted: the ones between are
// read and dropped, since sources such as GIF files can only be read in order.
class SkippingReader {
public:
    SkippingReader(FrameSource& source, const std::atomic<bool>& cancel)
        : m_source(source), m_cancel(cancel)
    {
    }

    bool Read(int index, wxImage& frame, FrameError& error)
    {
        for (; m_next <= index; ++m_next) {
            if (m_cancel.load()) {
                error.stopped = true;
                return false;
            }
            if (!m_source.Frame(m_next, frame, error))
                return false;
        }
        return true;
    }

private:
    FrameSource& m_source;
    const std::atomic<bool>& m_cancel;
    int m_next = 0;
};

// Runs of frames, one after the other, as a source of their own.
class RunSource : public FrameSource {
public:
    RunSource(SkippingReader& reader, std::vector<FrameRun> runs)
        : m_reader(reader), m_runs(std::move(runs))
    {
        for (const FrameRun& run : m_runs)
            m_count += run.length;
    }
    int Count() const override { return m_count; }
    bool Frame(int index, wxImage& frame, FrameError& error) override
    {
        for (const FrameRun& run : m_runs) {
            if (index < run.length)
                return m_reader.Read(run.start + index, frame, error);
            index -= run.length;
        }
        return false;
    }

private:
    SkippingReader& m_reader;
    const std::vector<FrameRun> m_runs;
    int m_count = 0;
};

std::optional<uint64_t> Exact(FrameSource& frames, const GifExportOptions& options,
                              const std::atomic<bool>& cancel)
{
    CountingOutput counter;
    CountingSink sink(cancel, counter);
    const GifExportResult result = WriteGifAnimation(frames, counter, options, &sink);
    if (!result.ok || cancel.load())
        return std::nullopt;
    return counter.Count();
}

} // namespace

std::optional<uint64_t> EstimateGifSize(FrameSource& frames, const GifExportOptions& asked,
                                        const std::atomic<bool>& cancel)
{
    // No file is written: the trace of a save stays the trace of saves only.
    GifExportOptions options = asked;
    options.traceComposition = false;
    const std::vector<FrameRun> runs = SampleRuns(frames.Count(), options.optimize);
    if (runs.empty())
        return Exact(frames, options, cancel);
    // All runs in one pass: an optimised writer then carries its palette from run to run as
    // it does along the whole animation, where a fresh start for each run would make every
    // run's frames fit their palette better, and shorter, than they do in the file.
    SkippingReader reader(frames, cancel);
    RunSource source(reader, runs);
    CountingOutput counter;
    CountingSink sink(cancel, counter);
    const GifExportResult result = WriteGifAnimation(source, counter, options, &sink);
    if (!result.ok || cancel.load())
        return std::nullopt;
    // A run's first frame sets the scene: after a gap the picture jumps, which the file
    // doesn't. The first of all is the file's own first frame, header included.
    uint64_t sampled = 0;
    int sampledFrames = 0;
    size_t at = 0;
    for (const FrameRun& run : runs) {
        for (int i = 1; i < run.length; ++i, ++sampledFrames)
            sampled += sink.FrameBytes(at + i);
        at += run.length;
    }
    if (!options.optimize) {
        // Plain frames don't depend on each other: every one after the first is a sample.
        sampled = counter.Count() - sink.FrameBytes(0);
        sampledFrames = static_cast<int>(sink.Frames()) - 1;
    }
    return ExtrapolateGifLength(sink.FrameBytes(0), sampled, sampledFrames, frames.Count());
}
