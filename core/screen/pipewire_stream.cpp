#include "core/screen/pipewire_stream.h"

#include <wx/intl.h>

#include <pipewire/pipewire.h>
#include <spa/param/video/format-utils.h>
#include <spa/pod/builder.h>

#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <optional>

#include "core/screen/stream_picture.h"

namespace {

std::optional<StreamPixelOrder> OrderOf(uint32_t format)
{
    switch (format) {
    case SPA_VIDEO_FORMAT_BGRx: return StreamPixelOrder::BGRx;
    case SPA_VIDEO_FORMAT_BGRA: return StreamPixelOrder::BGRA;
    case SPA_VIDEO_FORMAT_RGBx: return StreamPixelOrder::RGBx;
    case SPA_VIDEO_FORMAT_RGBA: return StreamPixelOrder::RGBA;
    case SPA_VIDEO_FORMAT_xRGB: return StreamPixelOrder::xRGB;
    case SPA_VIDEO_FORMAT_xBGR: return StreamPixelOrder::xBGR;
    default: return std::nullopt;
    }
}

// What the stream may take: raw video of four bytes a pixel, any size and rate.
const spa_pod* BuildFormats(spa_pod_builder& builder)
{
    spa_rectangle size{1920, 1080}, minSize{1, 1}, maxSize{16384, 16384};
    spa_fraction rate{30, 1}, minRate{0, 1}, maxRate{1000, 1};
    return static_cast<const spa_pod*>(spa_pod_builder_add_object(
        &builder, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat,
        SPA_FORMAT_mediaType, SPA_POD_Id(SPA_MEDIA_TYPE_video),
        SPA_FORMAT_mediaSubtype, SPA_POD_Id(SPA_MEDIA_SUBTYPE_raw),
        SPA_FORMAT_VIDEO_format,
        SPA_POD_CHOICE_ENUM_Id(7, SPA_VIDEO_FORMAT_BGRx, SPA_VIDEO_FORMAT_BGRx,
                               SPA_VIDEO_FORMAT_BGRA, SPA_VIDEO_FORMAT_RGBx,
                               SPA_VIDEO_FORMAT_RGBA, SPA_VIDEO_FORMAT_xRGB,
                               SPA_VIDEO_FORMAT_xBGR),
        SPA_FORMAT_VIDEO_size, SPA_POD_CHOICE_RANGE_Rectangle(&size, &minSize, &maxSize),
        SPA_FORMAT_VIDEO_framerate, SPA_POD_CHOICE_RANGE_Fraction(&rate, &minRate, &maxRate)));
}

// Buffers in memory we can read directly: no GPU buffers, which would need a graphics API.
const spa_pod* BuildBufferTypes(spa_pod_builder& builder)
{
    return static_cast<const spa_pod*>(spa_pod_builder_add_object(
        &builder, SPA_TYPE_OBJECT_ParamBuffers, SPA_PARAM_Buffers,
        SPA_PARAM_BUFFERS_dataType,
        SPA_POD_CHOICE_FLAGS_Int((1 << SPA_DATA_MemPtr) | (1 << SPA_DATA_MemFd))));
}

// A message that ends with the system's reason for errno code.
std::string WithReason(const wxString& format, int code)
{
    return wxString::Format(format, wxString(std::strerror(code))).utf8_string();
}

int Seconds(std::chrono::milliseconds timeout)
{
    return static_cast<int>(timeout.count() / 1000);
}

std::string StreamEnded()
{
    return _("The screen's video stream ended (the screen is no longer shared).").utf8_string();
}

} // namespace

struct PipeWireStream::Parts {
    pw_thread_loop* loop = nullptr;
    pw_context* context = nullptr;
    pw_core* core = nullptr;
    pw_stream* stream = nullptr;
    pw_registry* registry = nullptr;
    uint32_t node = 0;
    spa_hook coreListener{};
    spa_hook registryListener{};
    spa_hook streamListener{};

    // Only on PipeWire's thread: the format agreed, and the picture being filled.
    StreamPicture incoming;

    // Shared with the callers, under mutex.
    mutable std::mutex mutex;
    std::condition_variable changed;
    int width = 0, height = 0;  // agreed
    bool formatAgreed = false;
    StreamPicture latest;
    bool havePicture = false;   // latest is of the agreed size
    std::string failure;        // set once: the stream is over

    void Fail(const std::string& why)
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (failure.empty())
            failure = why;
        changed.notify_all();
    }

    static void OnCoreError(void* data, uint32_t id, int seq, int res, const char* message)
    {
        if (id == PW_ID_CORE)
            static_cast<Parts*>(data)->Fail(
                wxString::Format(_("The connection to PipeWire failed: %s."),
                                 message ? wxString::FromUTF8(message)
                                         : wxString(std::strerror(-res)))
                    .utf8_string());
    }

    // A stream whose node went away (the portal stopped sharing, or its process ended) is
    // only paused, never ended: the node's removal from the registry tells.
    static void OnGlobalRemoved(void* data, uint32_t id)
    {
        Parts& parts = *static_cast<Parts*>(data);
        if (id == parts.node)
            parts.Fail(StreamEnded());
    }

    static void OnStateChanged(void* data, pw_stream_state, pw_stream_state state,
                               const char* error)
    {
        Parts& parts = *static_cast<Parts*>(data);
        if (state == PW_STREAM_STATE_ERROR)
            parts.Fail(wxString::Format(_("The screen's video stream failed: %s."),
                                        error ? wxString::FromUTF8(error) : _("no reason given"))
                           .utf8_string());
        else if (state == PW_STREAM_STATE_UNCONNECTED)
            parts.Fail(StreamEnded());
    }

    static void OnParamChanged(void* data, uint32_t id, const spa_pod* param)
    {
        if (id == SPA_PARAM_Format && param)
            static_cast<Parts*>(data)->AgreeFormat(*param);
    }

    void AgreeFormat(const spa_pod& param)
    {
        uint32_t mediaType = 0, mediaSubtype = 0;
        spa_video_info_raw info{};
        if (spa_format_parse(&param, &mediaType, &mediaSubtype) < 0 ||
            mediaType != SPA_MEDIA_TYPE_video || mediaSubtype != SPA_MEDIA_SUBTYPE_raw ||
            spa_format_video_raw_parse(&param, &info) < 0)
            return;
        const std::optional<StreamPixelOrder> order = OrderOf(info.format);
        if (!order) {
            Fail(_("The screen's video stream offers no pixel format this program reads.")
                     .utf8_string());
            return;
        }
        const int newWidth = static_cast<int>(info.size.width);
        const int newHeight = static_cast<int>(info.size.height);
        incoming.width = newWidth;
        incoming.height = newHeight;
        incoming.order = *order;
        {
            std::lock_guard<std::mutex> lock(mutex);
            // A picture of the old size would be cut as if it were of the new one.
            if (newWidth != width || newHeight != height)
                havePicture = false;
            width = newWidth;
            height = newHeight;
            formatAgreed = true;
            changed.notify_all();
        }
        uint8_t space[256];
        spa_pod_builder builder = SPA_POD_BUILDER_INIT(space, sizeof space);
        const spa_pod* params[] = {BuildBufferTypes(builder)};
        pw_stream_update_params(stream, params, 1);
    }

    static void OnProcess(void* data) { static_cast<Parts*>(data)->TakeNewest(); }

    // Only the newest of the buffers waiting counts; the others go back at once.
    void TakeNewest()
    {
        pw_buffer* newest = nullptr;
        while (pw_buffer* next = pw_stream_dequeue_buffer(stream)) {
            if (newest)
                pw_stream_queue_buffer(stream, newest);
            newest = next;
        }
        if (!newest)
            return;
        if (Copy(*newest->buffer)) {
            std::lock_guard<std::mutex> lock(mutex);
            std::swap(latest, incoming);
            incoming.width = latest.width;
            incoming.height = latest.height;
            incoming.order = latest.order;
            havePicture = latest.width == width && latest.height == height;
            changed.notify_all();
        }
        pw_stream_queue_buffer(stream, newest);
    }

    // Copies the buffer's picture into incoming; false for a buffer without one (a
    // compositor may send empty or damaged ones, and only the pointer may have moved).
    bool Copy(const spa_buffer& buffer)
    {
        if (buffer.n_datas < 1 || incoming.width <= 0)
            return false;
        const spa_data& plane = buffer.datas[0];
        if (!plane.data || !plane.chunk || (plane.chunk->flags & SPA_CHUNK_FLAG_CORRUPTED))
            return false;
        const uint64_t offset = plane.chunk->offset;
        const uint64_t size = plane.chunk->size;
        if (size == 0 || offset > plane.maxsize || size > plane.maxsize - offset)
            return false;
        const int stride = plane.chunk->stride > 0 ? plane.chunk->stride : incoming.width * 4;
        if (!BufferHoldsPicture(size, stride, incoming.width, incoming.height))
            return false;
        const uint8_t* bytes = static_cast<const uint8_t*>(plane.data) + offset;
        incoming.stride = stride;
        incoming.bytes.assign(bytes, bytes + size);
        return true;
    }

    static const pw_core_events& CoreEvents()
    {
        static const pw_core_events events = [] {
            pw_core_events e{};
            e.version = PW_VERSION_CORE_EVENTS;
            e.error = &OnCoreError;
            return e;
        }();
        return events;
    }

    static const pw_registry_events& RegistryEvents()
    {
        static const pw_registry_events events = [] {
            pw_registry_events e{};
            e.version = PW_VERSION_REGISTRY_EVENTS;
            e.global_remove = &OnGlobalRemoved;
            return e;
        }();
        return events;
    }

    static const pw_stream_events& StreamEvents()
    {
        static const pw_stream_events events = [] {
            pw_stream_events e{};
            e.version = PW_VERSION_STREAM_EVENTS;
            e.state_changed = &OnStateChanged;
            e.param_changed = &OnParamChanged;
            e.process = &OnProcess;
            return e;
        }();
        return events;
    }
};

PipeWireStream::PipeWireStream() : m_parts(std::make_unique<Parts>()) {}

std::unique_ptr<PipeWireStream> PipeWireStream::Open(int fd, uint32_t node, std::string& error)
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { pw_init(nullptr, nullptr); });

    std::unique_ptr<PipeWireStream> stream(new PipeWireStream);
    Parts& parts = *stream->m_parts;
    parts.loop = pw_thread_loop_new("zoruvede-screen", nullptr);
    if (parts.loop)
        parts.context = pw_context_new(pw_thread_loop_get_loop(parts.loop), nullptr, 0);
    if (!parts.context || pw_thread_loop_start(parts.loop) < 0) {
        close(fd);
        error = _("PipeWire could not be started in this program.").utf8_string();
        return nullptr;
    }
    pw_thread_loop_lock(parts.loop);
    const bool connected = stream->Connect(fd, node, error);
    pw_thread_loop_unlock(parts.loop);
    if (!connected)
        return nullptr;
    return stream;
}

// With the thread loop locked.
bool PipeWireStream::Connect(int fd, uint32_t node, std::string& error)
{
    Parts& parts = *m_parts;
    parts.core = pw_context_connect_fd(parts.context, fd, nullptr, 0);
    if (!parts.core) {
        error = WithReason(_("The screen's PipeWire connection could not be opened: %s."), errno);
        return false;
    }
    pw_core_add_listener(parts.core, &parts.coreListener, &Parts::CoreEvents(), &parts);
    parts.node = node;
    parts.registry = pw_core_get_registry(parts.core, PW_VERSION_REGISTRY, 0);
    if (parts.registry)
        pw_registry_add_listener(parts.registry, &parts.registryListener,
                                 &Parts::RegistryEvents(), &parts);
    parts.stream = pw_stream_new(parts.core, "zoruvede-screen",
                                 pw_properties_new(PW_KEY_MEDIA_TYPE, "Video",
                                                   PW_KEY_MEDIA_CATEGORY, "Capture",
                                                   PW_KEY_MEDIA_ROLE, "Screen", nullptr));
    if (!parts.stream) {
        error = WithReason(_("The screen's video stream could not be made: %s."), errno);
        return false;
    }
    pw_stream_add_listener(parts.stream, &parts.streamListener, &Parts::StreamEvents(), &parts);
    uint8_t space[1024];
    spa_pod_builder builder = SPA_POD_BUILDER_INIT(space, sizeof space);
    const spa_pod* params[] = {BuildFormats(builder)};
    const int result = pw_stream_connect(
        parts.stream, PW_DIRECTION_INPUT, node,
        static_cast<pw_stream_flags>(PW_STREAM_FLAG_AUTOCONNECT | PW_STREAM_FLAG_MAP_BUFFERS),
        params, 1);
    if (result < 0) {
        error = WithReason(_("The screen's video stream could not be connected: %s."), -result);
        return false;
    }
    return true;
}

PipeWireStream::~PipeWireStream()
{
    Parts& parts = *m_parts;
    if (!parts.loop)
        return;
    pw_thread_loop_lock(parts.loop);
    if (parts.stream) {
        spa_hook_remove(&parts.streamListener);
        pw_stream_disconnect(parts.stream);
        pw_stream_destroy(parts.stream);
    }
    if (parts.registry) {
        spa_hook_remove(&parts.registryListener);
        pw_proxy_destroy(reinterpret_cast<pw_proxy*>(parts.registry));
    }
    if (parts.core) {
        spa_hook_remove(&parts.coreListener);
        pw_core_disconnect(parts.core);
    }
    pw_thread_loop_unlock(parts.loop);
    pw_thread_loop_stop(parts.loop);
    if (parts.context)
        pw_context_destroy(parts.context);
    pw_thread_loop_destroy(parts.loop);
}

bool PipeWireStream::WaitForFormat(std::chrono::milliseconds timeout,
                                   const std::atomic<bool>& cancel, std::string& error)
{
    Parts& parts = *m_parts;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::unique_lock<std::mutex> lock(parts.mutex);
    // Woken every tenth of a second to see cancel, which nobody signals.
    while (!parts.formatAgreed && parts.failure.empty() && !cancel) {
        if (std::chrono::steady_clock::now() >= deadline) {
            const int seconds = Seconds(timeout);
            error = wxString::Format(
                        wxPLURAL("The screen's video stream sent no picture format in %d second.",
                                 "The screen's video stream sent no picture format in %d seconds.",
                                 seconds),
                        seconds)
                        .utf8_string();
            return false;
        }
        parts.changed.wait_for(lock, std::chrono::milliseconds(100));
    }
    if (!parts.failure.empty()) {
        error = parts.failure;
        return false;
    }
    if (cancel) {
        error = _("The recording was cancelled.").utf8_string();
        return false;
    }
    return true;
}

int PipeWireStream::Width() const
{
    std::lock_guard<std::mutex> lock(m_parts->mutex);
    return m_parts->failure.empty() ? m_parts->width : 0;
}

int PipeWireStream::Height() const
{
    std::lock_guard<std::mutex> lock(m_parts->mutex);
    return m_parts->failure.empty() ? m_parts->height : 0;
}

bool PipeWireStream::Cut(const CaptureRect& region, std::chrono::milliseconds timeout,
                         std::vector<uint8_t>& rgb, std::string& error)
{
    Parts& parts = *m_parts;
    std::unique_lock<std::mutex> lock(parts.mutex);
    const auto outside = [&] {
        return FitRegion(region, parts.width, parts.height) != RegionFit::Inside;
    };
    parts.changed.wait_for(lock, timeout, [&] {
        return !parts.failure.empty() || parts.havePicture || outside();
    });
    if (!parts.failure.empty()) {
        error = parts.failure;
        return false;
    }
    if (outside()) {
        error = wxString::Format(_("The region %s does not lie inside the screen of %d x %d."),
                                 FormatGeometry(region), parts.width, parts.height)
                    .utf8_string();
        return false;
    }
    if (!parts.havePicture) {
        const int seconds = Seconds(timeout);
        error = wxString::Format(
                    wxPLURAL("The screen's video stream sent no picture in %d second.",
                             "The screen's video stream sent no picture in %d seconds.", seconds),
                    seconds)
                    .utf8_string();
        return false;
    }
    if (!CutToRgb(parts.latest, region, rgb)) {
        error = _("The screen's video stream sent a picture of the wrong size.").utf8_string();
        return false;
    }
    return true;
}
