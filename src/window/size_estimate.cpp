#include "src/window/size_estimate.h"

#include <vector>

#include <wx/stream.h>

#include "src/window/frame_source.h"
#include "src/window/sample_runs.h"

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

// One run of frames as a source of its own.
class RunSource : public FrameSource {
public:
    RunSource(SkippingReader& reader, const FrameRun& run) : m_reader(reader), m_run(run) {}
    int Count() const override { return m_run.length; }
    bool Frame(int index, wxImage& frame, FrameError& error) override
    {
        return m_reader.Read(m_run.start + index, frame, error);
    }

private:
    SkippingReader& m_reader;
    const FrameRun m_run;
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

std::optional<uint64_t> EstimateGifSize(FrameSource& frames, const GifExportOptions& options,
                                        const std::atomic<bool>& cancel)
{
    const std::vector<FrameRun> runs = SampleRuns(frames.Count());
    if (runs.empty())
        return Exact(frames, options, cancel);
    SkippingReader reader(frames, cancel);
    uint64_t first = 0;
    uint64_t sampled = 0;
    int sampledFrames = 0;
    for (const FrameRun& run : runs) {
        RunSource source(reader, run);
        CountingOutput counter;
        CountingSink sink(cancel, counter);
        const GifExportResult result = WriteGifAnimation(source, counter, options, &sink);
        if (!result.ok || cancel.load())
            return std::nullopt;
        // A run's first frame carries the header and, optimised, is written whole: it counts
        // only where it is the file's own first frame.
        if (run.start == 0)
            first = sink.FrameBytes(0);
        for (size_t i = 1; i < sink.Frames(); ++i)
            sampled += sink.FrameBytes(i);
        sampledFrames += static_cast<int>(sink.Frames()) - 1;
    }
    return ExtrapolateGifLength(first, sampled, sampledFrames, frames.Count());
}
