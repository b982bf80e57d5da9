#include "core/record/recorder.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "core/jobs/task_pipe.h"
#include "core/picture/small_copy.h"
#include "core/record/capture_timing.h"

namespace {

using Clock = std::chrono::steady_clock;
using Pixels = std::shared_ptr<std::vector<uint8_t>>;

// Pictures waiting for compression while the next one is taken: enough to ride out a slow
// moment of the compressing thread without holding many uncompressed screens.
constexpr size_t kWaitingPictures = 3;

// Buffers of a screen's size, used again: a fresh one would be mapped and zeroed by the system
// for every picture, which costs as much as converting it.
class BufferPool : public std::enable_shared_from_this<BufferPool> {
public:
    // An empty buffer (of some capacity once used), given back here when its last holder
    // lets it go.
    Pixels Take()
    {
        std::vector<uint8_t> buffer;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (!m_free.empty()) {
                buffer = std::move(m_free.back());
                m_free.pop_back();
            }
        }
        std::weak_ptr<BufferPool> pool = weak_from_this();
        return Pixels(new std::vector<uint8_t>(std::move(buffer)), [pool](std::vector<uint8_t>* b) {
            if (const std::shared_ptr<BufferPool> home = pool.lock())
                home->Give(std::move(*b));
            delete b;
        });
    }

private:
    void Give(std::vector<uint8_t>&& buffer)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_free.size() < kWaitingPictures + 3)  // waiting, compressing, the last, the next
            m_free.push_back(std::move(buffer));
    }

    std::mutex m_mutex;
    std::vector<std::vector<uint8_t>> m_free;
};

int64_t Micros(Clock::duration d)
{
    return std::chrono::duration_cast<std::chrono::microseconds>(d).count();
}


// The strip's small copy of a picture of region's size, or null (no side, or a sliver).
std::shared_ptr<const wxImage> MakeSmallCopy(const std::vector<uint8_t>& rgb,
                                             const CaptureRect& region, int side)
{
    if (side <= 0)
        return nullptr;
    const wxSize to = SmallSize(region.width, region.height, side);
    if (to.x <= 0 || to.y <= 0)
        return nullptr;
    wxImage small(to.x, to.y, false);
    AverageDown(rgb.data(), nullptr, region.width, region.height, to, small.GetData(), nullptr);
    return std::make_shared<const wxImage>(std::move(small));
}

} // namespace

struct Recorder::State {
    std::unique_ptr<ScreenSource> source;
    CaptureRect region;
    RecordOptions options;
    std::shared_ptr<PictureStore> store;

    mutable std::mutex mutex;
    std::condition_variable changed;
    bool stopping = false;
    bool finished = false;
    bool paused = false;
    bool ended = false;            // the worker took its last picture
    Clock::time_point started;
    Clock::time_point pausedAt;
    Clock::duration pausedFor{};
    std::string problem;
    std::vector<int64_t> moments;  // of the pictures kept, in recorded microseconds
    int64_t end = 0;               // the recording's length, set when it ends

    // A place for each picture kept, filled by the compressing thread; read after it is joined.
    std::mutex picturesMutex;
    std::vector<PictureRef> pictures;
    std::vector<std::shared_ptr<const wxImage>> smallCopies;
    std::atomic<uint64_t> memoryBytes{0};

    // Recorded time at now: the wall time since the start less the time paused. Holds mutex.
    Clock::duration RecordedAt(Clock::time_point now) const
    {
        const Clock::duration pausing = paused ? now - pausedAt : Clock::duration{};
        return now - started - pausedFor - pausing;
    }
};

Recorder::Recorder(std::unique_ptr<ScreenSource> source, const CaptureRect& region,
                   const RecordOptions& options, std::shared_ptr<PictureStore> store)
    : m_state(std::make_unique<State>())
{
    m_state->source = std::move(source);
    m_state->region = region;
    m_state->options = options;
    m_state->options.fps = std::clamp(options.fps, kMinRecordFps, kMaxRecordFps);
    m_state->store = std::move(store);
    m_state->started = Clock::now();
    m_thread = std::thread([this] { Run(); });
}

Recorder::~Recorder()
{
    Stop();
}

void Recorder::Pause()
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    if (m_state->paused || m_state->stopping)
        return;
    m_state->paused = true;
    m_state->pausedAt = Clock::now();
}

void Recorder::Resume()
{
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        if (!m_state->paused)
            return;
        m_state->pausedFor += Clock::now() - m_state->pausedAt;
        m_state->paused = false;
    }
    m_state->changed.notify_all();
}

void Recorder::Stop()
{
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        m_state->stopping = true;
    }
    m_state->changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

RecordStatus Recorder::Status() const
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    RecordStatus status;
    status.seconds = m_state->ended ? m_state->end / 1e6
                           : std::chrono::duration<double>(m_state->RecordedAt(Clock::now())).count();
    status.frames = static_cast<int>(m_state->moments.size());
    status.memoryBytes = m_state->memoryBytes;
    status.paused = m_state->paused;
    status.finished = m_state->finished;
    return status;
}

Recording Recorder::Take()
{
    Stop();
    Recording recording;
    recording.problem = m_state->problem;
    for (const TimedFrame& frame : TimeRecordedFrames(m_state->moments, m_state->end)) {
        const PictureRef& picture = m_state->pictures[frame.picture];
        if (!picture)
            continue;  // memory ran out while it was compressed
        recording.pictures.push_back(picture);
        recording.delays.push_back(frame.delay);
        if (m_state->options.smallCopySide > 0)
            recording.smallCopies.push_back(m_state->smallCopies[frame.picture]);
    }
    m_state->moments.clear();
    m_state->pictures.clear();
    m_state->smallCopies.clear();
    return recording;
}

void Recorder::Run()
{
    State& s = *m_state;
    const Clock::duration period =
        std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(1)) / s.options.fps;
    const int64_t limit = static_cast<int64_t>(s.options.limitSeconds * 1e6);
    const auto buffers = std::make_shared<BufferPool>();
    Pixels previous;
    // Declared after the buffers: its pictures finish before the pool goes.
    TaskPipe compressor(kWaitingPictures);
    Clock::time_point next = Clock::now();
    std::unique_lock<std::mutex> lock(s.mutex);
    for (;;) {
        s.changed.wait_until(lock, next, [&] { return s.stopping; });
        if (s.stopping)
            break;
        if (s.paused) {
            s.changed.wait(lock, [&] { return s.stopping || !s.paused; });
            next = Clock::now();
            continue;
        }
        const int64_t moment = Micros(s.RecordedAt(Clock::now()));
        if (limit > 0 && moment >= limit) {
            s.finished = true;
            s.end = limit;
            break;
        }
        lock.unlock();
        Pixels pixels = buffers->Take();
        std::string error;
        const bool grabbed = s.source->Grab(s.region, s.options.pointer, *pixels, error);
        const bool same = grabbed && s.options.mergeUnchanged && previous && *previous == *pixels;
        if (grabbed && !same) {
            size_t index;
            {
                std::lock_guard<std::mutex> places(s.picturesMutex);
                index = s.pictures.size();
                s.pictures.emplace_back();
                s.smallCopies.emplace_back();
            }
            previous = pixels;
            compressor.Push([&s, index, pixels] {
                PictureRef picture;
                std::shared_ptr<const wxImage> small;
                try {
                    picture = Picture::FromPlanes(s.store, s.region.width, s.region.height,
                                                  pixels->data(), nullptr);
                    small = MakeSmallCopy(*pixels, s.region, s.options.smallCopySide);
                } catch (const std::bad_alloc&) {
                }
                if (picture)
                    s.memoryBytes += picture->CompressedBytes();
                std::lock_guard<std::mutex> places(s.picturesMutex);
                s.pictures[index] = std::move(picture);
                s.smallCopies[index] = std::move(small);
            });
        }
        lock.lock();
        if (!grabbed) {
            s.problem = error;
            s.finished = true;
            s.end = Micros(s.RecordedAt(Clock::now()));
            break;
        }
        if (!same)
            s.moments.push_back(moment);
        // A late picture moves the ones after it, instead of a burst that catches up.
        next = std::max(next + period, Clock::now() - period);
    }
    if (!s.finished)
        s.end = Micros(s.RecordedAt(Clock::now()));
    s.ended = true;
    lock.unlock();
    // The compressor finishes its pictures here, before the recording can be taken.
}
