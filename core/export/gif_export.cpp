#include "core/export/gif_export.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>


#include "core/base/buffered_output.h"
#include "core/export/export_steps.h"
#include "core/gif/clear_pixels.h"
#include "core/gif/gif_graphic_control.h"
#include "core/gif/gif_image_indices.h"
#include "core/gif/gif_limits.h"
#include "core/gif/gif_optimised_writer.h"
#include "core/gif/gif_quality.h"
#include "core/colour/indexed_frame.h"
#include "core/input/load_estimate.h"
#include "core/colour/palette_quant.h"

namespace {

using Kind = ExportFailure::Kind;

// A frame ready to be written, or the reason it is not.
struct PreparedFrame {
    std::unique_ptr<wxImage> reduced;
    // The default reducer's frame as indices, written without looking the pixels up again;
    // reduced stays empty then.
    std::unique_ptr<IndexedFrame> indexed;
    // The frame before reduction, kept only for the optimised writer.
    std::unique_ptr<wxImage> composed;
    // Which pixels show nothing (a transparent background); empty when every pixel shows.
    std::vector<uint8_t> clear;
    ExportFailure failure;
};

ExportFailure OutputFailure(int systemError)
{
    return FailureOf(Kind::OutputWrite, wxString::FromUTF8(std::strerror(systemError)));
}

// Whether the optimised writer writes the frames: it keeps what is on screen between frames,
// which frames with clear pixels must not do.
bool WritesOptimised(const GifExportOptions& options)
{
    return options.optimize && !options.edit.background.transparent;
}

void Reduce(PreparedFrame& out, wxImage& composed, const GifExportOptions& options, int index,
            int count)
{
    const GifQualitySettings quality = QualitySettings(options.quality);
    const QuantSettings settings{quality.colours, quality.dithering};
    out.clear = TakeClearPixels(composed);
    // The default reducer hands its indices straight to the writer; the optimised writer
    // compares colours, so it takes the image.
    if (options.reducer == PaletteReducer::Quant && !WritesOptimised(options)) {
        auto indexed = std::make_unique<IndexedFrame>();
        const bool ok = ReduceToIndexedQuant(composed, *indexed, settings);
        composed = wxImage();
        if (!ok) {
            out.failure = FrameFailure(Kind::FrameReduce, index, count);
            return;
        }
        out.indexed = std::move(indexed);
        return;
    }
    wxImage reduced = ReduceWith(options.reducer, composed, settings);
    if (WritesOptimised(options))
        out.composed = std::make_unique<wxImage>(composed);
    composed = wxImage();
    if (!reduced.IsOk()) {
        out.failure = FrameFailure(Kind::FrameReduce, index, count);
        return;
    }
    out.reduced = std::make_unique<wxImage>(reduced);
}

// Prepares frames on worker threads, at most a few ahead of the writer, and hands them over
// in order. Images cross threads only inside unique_ptr moves under the lock, so no wxImage
// reference count is touched by two threads.
class FramePipeline {
public:
    FramePipeline(FrameSource& source, const GifExportOptions& options, int workers)
        : m_source(source), m_options(options), m_count(source.Count()),
          m_window(workers + 1), m_slots(static_cast<size_t>(m_count))
    {
        // When the system refuses a thread, the ones started still carry the export.
        try {
            for (int i = 0; i < workers; ++i)
                m_threads.emplace_back([this] { Work(); });
        } catch (const std::system_error&) {
        }
    }

    bool Running() const { return !m_threads.empty(); }

    ~FramePipeline()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        for (std::thread& t : m_threads)
            t.join();
    }

    PreparedFrame Take(int index)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_ready.wait(lock, [&] { return m_slots[index].done; });
        Slot& slot = m_slots[index];
        PreparedFrame frame = std::move(slot.frame);
        slot.frame = PreparedFrame();
        m_taken = index + 1;
        lock.unlock();
        m_wake.notify_all();
        return frame;
    }

private:
    struct Slot {
        PreparedFrame frame;
        bool done = false;
    };

    void Work()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [&] {
                return m_stop || m_next >= m_count || m_next < m_taken + m_window;
            });
            if (m_stop || m_next >= m_count)
                return;
            const int index = m_next++;
            PreparedFrame prepared;
            wxImage composed;
            const bool ok =
                TakeComposed(m_source, index, m_options.canvas, m_options.edit,
                             m_options.traceComposition, composed, prepared.failure);
            lock.unlock();
            if (ok)
                Reduce(prepared, composed, m_options, index, m_count);
            lock.lock();
            m_slots[index].frame = std::move(prepared);
            m_slots[index].done = true;
            m_ready.notify_all();
        }
    }

    FrameSource& m_source;
    const GifExportOptions& m_options;
    const int m_count;
    const int m_window;
    std::vector<Slot> m_slots;
    std::vector<std::thread> m_threads;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_ready;
    int m_next = 0;
    int m_taken = 0;
    bool m_stop = false;
};

// Writes a frame reduced by itself, not by the optimised writer; the first begins the file.
// With clear pixels possible (clears), every frame clears the screen behind it when the next
// comes, so no frame shows through another.
bool WriteReduced(GifWriter& writer, PreparedFrame& frame, bool first, int delayMs,
                  int loopCount, bool clears)
{
    GifImageIndices looked;
    if (!frame.indexed && !IndexGifImage(*frame.reduced, looked))
        return false;
    IndexedFrame& indexed = frame.indexed ? *frame.indexed : looked.frame;
    const int clearEntry = MarkClearPixels(indexed, frame.clear);
    GifIndexedImage image = frame.indexed ? ImageView(*frame.indexed) : ImageView(looked);
    if (clearEntry >= 0)
        image.transparentIndex = clearEntry;
    if (clears)
        image.disposal = static_cast<int>(GifDisposal::Background);
    return (!first || writer.Begin(image, loopCount)) && writer.Image(image, delayMs);
}

int WorkerCount(const GifExportOptions& options, int frames)
{
    int n = options.threads;
    if (n <= 0) {
        n = static_cast<int>(std::thread::hardware_concurrency());
        n = std::clamp(n, 1, 8);
    }
    return std::min(n, frames);
}

ExportFailure WriteFrames(FrameSource& source, wxOutputStream& stream,
                          const GifExportOptions& options, ExportProgressSink* sink)
{
    const int count = source.Count();
    const int workers = WorkerCount(options, count);
    std::unique_ptr<FramePipeline> pipeline;
    if (workers > 1) {
        pipeline = std::make_unique<FramePipeline>(source, options, workers);
        if (!pipeline->Running())
            pipeline.reset();
    }

    GifWriter writer(stream);
    const GifQualitySettings quality = QualitySettings(options.quality);
    OptimisedGifWriter optimised(writer, options.loopCount, true, quality.reusePerPixel,
                                 quality.stillTolerance);
    for (int i = 0; i < count; ++i) {
        if (sink && sink->StopRequested())
            return FailureOf(Kind::Stopped);
        PreparedFrame frame;
        if (pipeline) {
            frame = pipeline->Take(i);
        } else {
            wxImage composed;
            if (TakeComposed(source, i, options.canvas, options.edit, options.traceComposition,
                             composed, frame.failure))
                Reduce(frame, composed, options, i, count);
        }
        if (frame.failure.kind != Kind::None)
            return frame.failure;

        const int delayMs = GifFrameDelay(options, i) * 10;
        bool saved = WritesOptimised(options)
                         ? optimised.Write(*frame.composed, *frame.reduced, delayMs)
                         : WriteReduced(writer, frame, i == 0, delayMs, options.loopCount,
                                        options.edit.background.transparent);
        // The trailer goes with the last frame, so its length counts in that frame's report.
        if (saved && i + 1 == count)
            saved = writer.Finish();
        if (!saved) {
            // A plain stream keeps no system error; a file's is filled in by WriteFile.
            if (!stream.IsOk())
                return OutputFailure(EIO);
            return FrameFailure(Kind::FrameEncode, i, count);
        }
        if (sink)
            sink->Progress(static_cast<int>(100LL * (i + 1) / count));
    }
    return ExportFailure();
}

// The frames into stream through a buffer, which the last frame leaves flushed.
ExportFailure WriteBuffered(FrameSource& frames, wxOutputStream& stream,
                            const GifExportOptions& options, ExportProgressSink* sink)
{
    BufferedOutput buffered(stream, 256 * 1024);
    ExportFailure failure = WriteFrames(frames, buffered, options, sink);
    if (failure.kind == Kind::None && !buffered.Flush())
        failure = OutputFailure(EIO);
    return failure;
}

} // namespace

int GifFrameDelay(const GifExportOptions& options, int index)
{
    const bool own = index >= 0 && static_cast<size_t>(index) < options.delays.size() &&
                     options.delays[static_cast<size_t>(index)] >= 0;
    return std::clamp(own ? options.delays[static_cast<size_t>(index)] : options.delay, 0,
                      kGifMaxDelay);
}

GifExportResult WriteGifAnimation(FrameSource& frames, wxOutputStream& stream,
                                  const GifExportOptions& options, ExportProgressSink* sink)
{
    ExportFailure failure = CheckFramesAndCanvas(frames, options.canvas);
    if (failure.kind == Kind::None)
        failure = WriteFrames(frames, stream, options, sink);
    return ResultOf(failure);
}

GifExportResult ExportGif(FrameSource& frames, const wxString& outputPath,
                          const GifExportOptions& options, ExportProgressSink* sink)
{
    return ExportToPath(outputPath, CheckFramesAndCanvas(frames, options.canvas), sink,
                        [&](wxOutputStream& out) {
                            return WriteBuffered(frames, out, options, sink);
                        });
}

GifExportResult ExportGif(std::vector<wxImage> frames, const wxString& outputPath,
                          const GifExportOptions& options, ExportProgressSink* sink)
{
    ImageListFrameSource source(std::move(frames));
    return ExportGif(source, outputPath, options, sink);
}
