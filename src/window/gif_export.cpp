#include "src/window/gif_export.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include <wx/log.h>

#include "app/atomic_file.h"
#include "src/window/compose_frame.h"
#include "src/window/gif_blocks.h"
#include "src/window/gif_gifhandler.h"

namespace {

// Collects the writer's small writes into large ones: without it every LZW sub-block is a
// system call. A failed write of the target is reported by the write that triggered it (or by
// Flush), with the system's error number kept for the message.
class BufferedOutput : public wxOutputStream {
public:
    BufferedOutput(wxOutputStream& target, size_t capacity)
        : m_target(target), m_buffer(new char[capacity]), m_capacity(capacity)
    {
    }

    bool Flush()
    {
        if (m_errno != 0)
            return false;
        if (m_used > 0 && !Pass(m_buffer.get(), m_used))
            return false;
        m_used = 0;
        return m_lasterror == wxSTREAM_NO_ERROR;
    }

    int SystemError() const { return m_errno; }

protected:
    size_t OnSysWrite(const void* data, size_t size) override
    {
        // A failure is final: nothing after a lost block could make a valid file.
        if (m_errno != 0) {
            m_lasterror = wxSTREAM_WRITE_ERROR;
            return 0;
        }
        if (m_used + size > m_capacity) {
            if (!Flush())
                return 0;
        }
        if (size >= m_capacity)
            return Pass(data, size) ? size : 0;
        std::memcpy(m_buffer.get() + m_used, data, size);
        m_used += size;
        m_lasterror = wxSTREAM_NO_ERROR;
        return size;
    }

private:
    bool Pass(const void* data, size_t size)
    {
        errno = 0;
        if (m_target.Write(data, size).LastWrite() != size) {
            m_errno = errno ? errno : EIO;
            m_lasterror = wxSTREAM_WRITE_ERROR;
            return false;
        }
        return true;
    }

    wxOutputStream& m_target;
    std::unique_ptr<char[]> m_buffer;
    size_t m_capacity;
    size_t m_used = 0;
    int m_errno = 0;
};

struct FrameFailure {
    enum Kind { None, Input, Write, Encode, Stopped } kind = None;
    wxString text;
};

// A frame ready to be written, or the reason it is not.
struct PreparedFrame {
    std::unique_ptr<wxImage> reduced;
    FrameFailure failure;
};

wxString FrameLabel(int index, int count)
{
    return wxString::Format("frame %d of %d", index + 1, count);
}

// Decoding and composing: called for one frame at a time, in order, so the source is read
// sequentially and the composition's trace lines come out in frame order.
bool TakeComposed(FrameSource& source, int index, const wxSize& canvas, wxImage& composed,
                  FrameFailure& failure)
{
    wxImage frame;
    wxString error;
    if (!source.Frame(index, frame, error)) {
        failure = {FrameFailure::Input, error};
        return false;
    }
    composed = ComposeFrame(frame, canvas);
    if (!composed.IsOk()) {
        failure = {FrameFailure::Encode,
                   FrameLabel(index, source.Count()) + " could not be fitted into the canvas"};
        return false;
    }
    return true;
}

void Reduce(PreparedFrame& out, wxImage& composed, PaletteReducer reducer, int index,
            int count)
{
    wxImage reduced = ReduceWith(reducer, composed);
    composed = wxImage();
    if (!reduced.IsOk()) {
        out.failure = {FrameFailure::Encode,
                       FrameLabel(index, count) + " could not be reduced to 256 colours"};
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
                TakeComposed(m_source, index, m_options.canvas, composed, prepared.failure);
            lock.unlock();
            if (ok)
                Reduce(prepared, composed, m_options.reducer, index, m_count);
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

int WorkerCount(const GifExportOptions& options, int frames)
{
    int n = options.threads;
    if (n <= 0) {
        n = static_cast<int>(std::thread::hardware_concurrency());
        n = std::clamp(n, 1, 8);
    }
    return std::min(n, frames);
}

FrameFailure WriteFrames(FrameSource& source, wxOutputStream& stream,
                         const GifExportOptions& options, ExportProgressSink* sink)
{
    const int count = source.Count();
    const int delayMs = std::clamp(options.delay, 0, 0xFFFF) * 10;
    const int workers = WorkerCount(options, count);
    std::unique_ptr<FramePipeline> pipeline;
    if (workers > 1) {
        pipeline = std::make_unique<FramePipeline>(source, options, workers);
        if (!pipeline->Running())
            pipeline.reset();
    }

    const ScopedGifOutput target(stream);
    for (int i = 0; i < count; ++i) {
        if (sink && sink->StopRequested())
            return {FrameFailure::Stopped, "the export was stopped"};
        PreparedFrame frame;
        if (pipeline) {
            frame = pipeline->Take(i);
        } else {
            wxImage composed;
            if (TakeComposed(source, i, options.canvas, composed, frame.failure))
                Reduce(frame, composed, options.reducer, i, count);
        }
        if (frame.failure.kind != FrameFailure::None)
            return frame.failure;

        MyGifHandler handler;
        if (!SaveGifFrame(*frame.reduced, handler, delayMs, count, i)) {
            if (!stream.IsOk())
                return {FrameFailure::Write, FrameLabel(i, count) + " could not be written"};
            return {FrameFailure::Encode, FrameLabel(i, count) + " could not be encoded"};
        }
        if (sink)
            sink->Progress(static_cast<int>(100LL * (i + 1) / count));
    }
    return {};
}

wxString CheckOptions(FrameSource& source, const GifExportOptions& options)
{
    if (source.Count() <= 0)
        return "there are no frames to write";
    const wxSize& c = options.canvas;
    if (c.x <= 0 || c.y <= 0 || c.x > kGifMaxDimension || c.y > kGifMaxDimension)
        return wxString::Format("the canvas size %d x %d is not between 1 and %d pixels", c.x,
                                c.y, kGifMaxDimension);
    return wxString();
}

} // namespace

GifExportResult WriteGifAnimation(FrameSource& frames, wxOutputStream& stream,
                                  const GifExportOptions& options, ExportProgressSink* sink)
{
    GifExportResult result;
    result.error = CheckOptions(frames, options);
    if (!result.error.empty())
        return result;
    const FrameFailure failure = WriteFrames(frames, stream, options, sink);
    result.ok = failure.kind == FrameFailure::None;
    result.error = failure.text;
    return result;
}

GifExportResult ExportGif(FrameSource& frames, const wxString& outputPath,
                          const GifExportOptions& options, ExportProgressSink* sink)
{
    GifExportResult result;
    const auto outputError = [&](const wxString& reason) {
        return wxString::Format("can't write \"%s\": %s", outputPath, reason);
    };
    const wxString invalid = CheckOptions(frames, options);
    if (!invalid.empty()) {
        result.error = outputError(invalid);
        return result;
    }

    // The system's own messages are part of the error text; the toolkit's log would only
    // repeat them (and from a worker thread they would surface much later).
    wxLogNull noLog;
    AtomicFileWriter file(outputPath);
    if (!file.Open()) {
        result.error = outputError(file.Error());
        return result;
    }
    BufferedOutput buffered(file.Stream(), 256 * 1024);
    FrameFailure failure = WriteFrames(frames, buffered, options, sink);
    if (failure.kind == FrameFailure::None && !buffered.Flush())
        failure = {FrameFailure::Write, "writing failed"};
    if (failure.kind == FrameFailure::Write && buffered.SystemError() != 0)
        failure.text += wxString(": ") + wxString::FromUTF8(std::strerror(buffered.SystemError()));
    if (failure.kind == FrameFailure::None && !file.Commit())
        failure = {FrameFailure::Write, file.Error()};

    switch (failure.kind) {
    case FrameFailure::None:
        result.ok = true;
        break;
    case FrameFailure::Input:
        file.Discard();
        result.error = failure.text;
        break;
    default:
        file.Discard();
        result.error = outputError(failure.text);
        break;
    }
    return result;
}

GifExportResult ExportGif(std::vector<wxImage> frames, const wxString& outputPath,
                          const GifExportOptions& options, ExportProgressSink* sink)
{
    ImageListFrameSource source(std::move(frames));
    return ExportGif(source, outputPath, options, sink);
}
