#include "src/window/video_decoder.h"

#include <chrono>
#include <cmath>
#include <limits>
#include <mutex>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libavutil/error.h>
#include <libswscale/swscale.h>
}

#include "src/window/video_geometry.h"

namespace {

using Clock = std::chrono::steady_clock;

struct FormatCloser {
    void operator()(AVFormatContext* p) const { avformat_close_input(&p); }
};
struct CodecFreer {
    void operator()(AVCodecContext* p) const { avcodec_free_context(&p); }
};
struct FrameFreer {
    void operator()(AVFrame* p) const { av_frame_free(&p); }
};
struct PacketFreer {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct ScalerFreer {
    void operator()(SwsContext* p) const { sws_freeContext(p); }
};
using FormatPtr = std::unique_ptr<AVFormatContext, FormatCloser>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecFreer>;
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFreer>;
using ScalerPtr = std::unique_ptr<SwsContext, ScalerFreer>;

wxString LibraryWords(int error)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return wxString::FromUTF8(text);
}

// The display matrix's turn of the stream's pictures, as clockwise quarter turns.
int StreamQuarterTurns(const AVStream* stream)
{
    size_t size = 0;
    const uint8_t* matrix = av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, &size);
    if (!matrix || size < 9 * sizeof(int32_t))
        return 0;
    return ClockwiseQuarterTurns(av_display_rotation_get(reinterpret_cast<const int32_t*>(matrix)));
}

} // namespace

struct VideoDecoder::State {
    FormatPtr format;
    CodecPtr codec;
    AVStream* stream = nullptr;
    int streamIndex = -1;
    int quarterTurns = 0;
    VideoInfo info;
    // The stall watchdog: the moment the last picture (or the opening) came.
    Clock::time_point lastProgress = Clock::now();
    ScalerPtr scaler;
};

namespace {

// FFmpeg's blocking reads call this; non-zero ends them.
int Interrupt(void* opaque)
{
    const auto* decoder = static_cast<const VideoDecoder*>(opaque);
    return decoder->Interrupted() ? 1 : 0;
}

// The libraries log their complaints about damaged files on standard error; the reason a
// file can't be used reaches the user through the caller instead.
void QuietLibraries()
{
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

} // namespace

VideoDecoder::VideoDecoder() : m_state(std::make_unique<State>()) {}
VideoDecoder::~VideoDecoder() = default;

bool VideoDecoder::Interrupted() const
{
    return m_cancelled || Clock::now().time_since_epoch().count() > m_deadline.load();
}

void VideoDecoder::Progressed()
{
    const auto limit = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(m_stallLimit));
    m_deadline = (Clock::now() + limit).time_since_epoch().count();
}

const VideoInfo& VideoDecoder::Info() const
{
    return m_state->info;
}

std::unique_ptr<VideoDecoder> VideoDecoder::Open(const wxString& path, wxString& reason)
{
    QuietLibraries();
    std::unique_ptr<VideoDecoder> decoder(new VideoDecoder());
    State& s = *decoder->m_state;
    AVFormatContext* raw = avformat_alloc_context();
    if (!raw) {
        reason = "out of memory";
        return nullptr;
    }
    decoder->Progressed();
    raw->interrupt_callback.callback = Interrupt;
    raw->interrupt_callback.opaque = decoder.get();
    // On failure avformat_open_input frees the context itself.
    const wxCharBuffer name = path.fn_str();
    int error = avformat_open_input(&raw, name.data() ? name.data() : "", nullptr, nullptr);
    if (error < 0) {
        reason = error == AVERROR_INVALIDDATA ? wxString("not a video file that can be read")
                                              : LibraryWords(error);
        return nullptr;
    }
    s.format.reset(raw);
    error = avformat_find_stream_info(raw, nullptr);
    if (error < 0) {
        reason = LibraryWords(error);
        return nullptr;
    }
    const AVCodec* codec = nullptr;
    s.streamIndex = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (s.streamIndex < 0 || !codec) {
        reason = s.streamIndex == AVERROR_DECODER_NOT_FOUND
                     ? wxString("its video is in a format that can't be decoded")
                     : wxString("the file holds no video pictures");
        return nullptr;
    }
    s.stream = raw->streams[s.streamIndex];
    // A song's cover picture is a video stream of one picture; it is no clip.
    if (s.stream->disposition & AV_DISPOSITION_ATTACHED_PIC) {
        reason = "the file holds no video pictures";
        return nullptr;
    }
    s.codec.reset(avcodec_alloc_context3(codec));
    if (!s.codec || avcodec_parameters_to_context(s.codec.get(), s.stream->codecpar) < 0) {
        reason = "out of memory";
        return nullptr;
    }
    // The library picks the thread count from the processors; pictures come out in order.
    s.codec->thread_count = 0;
    error = avcodec_open2(s.codec.get(), codec, nullptr);
    if (error < 0) {
        reason = LibraryWords(error);
        return nullptr;
    }
    const AVCodecParameters* par = s.stream->codecpar;
    if (par->width <= 0 || par->height <= 0) {
        reason = "the video's picture size is unknown";
        return nullptr;
    }
    s.quarterTurns = StreamQuarterTurns(s.stream);
    const AVRational aspect = av_guess_sample_aspect_ratio(raw, s.stream, nullptr);
    s.info.display =
        VideoDisplaySize(par->width, par->height, aspect.num, aspect.den, s.quarterTurns * 90);
    if (raw->duration != AV_NOPTS_VALUE && raw->duration > 0)
        s.info.length = raw->duration / static_cast<double>(AV_TIME_BASE);
    else if (s.stream->duration != AV_NOPTS_VALUE && s.stream->duration > 0)
        s.info.length = s.stream->duration * av_q2d(s.stream->time_base);
    AVRational rate = s.stream->avg_frame_rate;
    if (rate.num <= 0 || rate.den <= 0)
        rate = s.stream->r_frame_rate;
    if (rate.num > 0 && rate.den > 0)
        s.info.frameRate = av_q2d(rate);
    return decoder;
}

namespace {

// Moments this close to a picture's own time belong to that picture: the moments are sums of
// 1 / fps, the pictures' times multiples of the stream's time base.
constexpr double kMomentSlack = 1e-6;

// One pass over the stream from the key picture before the start: each decoded picture is
// held until the next one shows that the moments before it were the held picture's.
class SampledPass {
public:
    SampledPass(AVFormatContext* format, AVCodecContext* codec, AVStream* stream,
                SwsContext*& scaler, int quarterTurns, std::function<void()> progressed)
        : m_format(format), m_codec(codec), m_stream(stream), m_scaler(scaler),
          m_quarterTurns(quarterTurns), m_progressed(std::move(progressed))
    {
    }

    // The picture size before turning, the moments, and where delivery goes.
    wxSize scaled;
    const VideoSampling* sampling = nullptr;
    int count = 0;
    const VideoDecoder::Deliver* deliver = nullptr;
    double length = 0;
    double frameRate = 0;

    int delivered = 0;
    bool stopped = false;

    void Seek(double seconds);
    // Reads and decodes until every moment is delivered or the stream ends; false with reason
    // on a failure of the file, the decoder or the stall watchdog.
    bool Run(const std::atomic<bool>& cancelled, double stallLimit, wxString& reason);

private:
    double TimeOf(const AVFrame* frame) const;
    bool TakePicture(FramePtr& picture);
    bool DeliverHeldUntil(double before);
    bool Convert(const AVFrame* frame, wxImage& image);
    void DeliverTail();

    AVFormatContext* m_format;
    AVCodecContext* m_codec;
    AVStream* m_stream;
    SwsContext*& m_scaler;
    int m_quarterTurns;
    std::function<void()> m_progressed;
    FramePtr m_held{av_frame_alloc()};
    bool m_haveHeld = false;
    double m_heldTime = 0;
};

double SampledPass::TimeOf(const AVFrame* frame) const
{
    const int64_t origin = m_stream->start_time != AV_NOPTS_VALUE ? m_stream->start_time : 0;
    if (frame->best_effort_timestamp == AV_NOPTS_VALUE)
        return m_haveHeld ? m_heldTime + 1.0 / (frameRate > 0 ? frameRate : 25) : 0;
    return (frame->best_effort_timestamp - origin) * av_q2d(m_stream->time_base);
}

void SampledPass::Seek(double seconds)
{
    const int64_t origin = m_stream->start_time != AV_NOPTS_VALUE ? m_stream->start_time : 0;
    const int64_t target =
        origin + static_cast<int64_t>(std::floor(seconds / av_q2d(m_stream->time_base)));
    // A stream that can't seek is decoded from where it stands: slower, the same frames.
    if (av_seek_frame(m_format, m_stream->index, target, AVSEEK_FLAG_BACKWARD) >= 0)
        avcodec_flush_buffers(m_codec);
}

bool SampledPass::Convert(const AVFrame* frame, wxImage& image)
{
    m_scaler = sws_getCachedContext(m_scaler, frame->width, frame->height,
                                    static_cast<AVPixelFormat>(frame->format), scaled.x,
                                    scaled.y, AV_PIX_FMT_RGB24, SWS_BICUBIC, nullptr, nullptr,
                                    nullptr);
    wxImage rgb(scaled.x, scaled.y, false);
    if (!m_scaler || !rgb.IsOk())
        return false;
    uint8_t* planes[4] = {rgb.GetData(), nullptr, nullptr, nullptr};
    int strides[4] = {scaled.x * 3, 0, 0, 0};
    if (sws_scale(m_scaler, frame->data, frame->linesize, 0, frame->height, planes, strides) <= 0)
        return false;
    if (m_quarterTurns == 1)
        image = rgb.Rotate90(true);
    else if (m_quarterTurns == 2)
        image = rgb.Rotate180();
    else if (m_quarterTurns == 3)
        image = rgb.Rotate90(false);
    else
        image = rgb;
    return image.IsOk();
}

// Delivers the held picture for every moment before the time given.
bool SampledPass::DeliverHeldUntil(double before)
{
    while (!stopped && delivered < count &&
           VideoFrameTime(*sampling, delivered) + kMomentSlack < before) {
        wxImage image;
        if (!Convert(m_held.get(), image))
            return false;
        if (!(*deliver)(delivered, std::move(image)))
            stopped = true;
        else
            ++delivered;
    }
    return true;
}

// A new picture: the held one stands for the moments before it.
bool SampledPass::TakePicture(FramePtr& picture)
{
    const double time = TimeOf(picture.get());
    if (m_haveHeld && !DeliverHeldUntil(time))
        return false;
    m_held.swap(picture);
    av_frame_unref(picture.get());
    m_haveHeld = true;
    m_heldTime = time;
    return true;
}

// At the end of the stream the last picture stands until the video's stated end, when the
// stream reached it; a stream cut short ends with its last picture's own time on screen.
void SampledPass::DeliverTail()
{
    if (!m_haveHeld)
        return;
    const double own = 1.0 / (frameRate > 0 ? frameRate : 25);
    double end = m_heldTime + own;
    if (length > 0 && length - end < 2 * own)
        end = std::max(end, length);
    DeliverHeldUntil(end);
}

bool SampledPass::Run(const std::atomic<bool>& cancelled, double stallLimit, wxString& reason)
{
    PacketPtr packet(av_packet_alloc());
    FramePtr picture(av_frame_alloc());
    if (!packet || !picture || !m_held) {
        reason = "out of memory";
        return false;
    }
    Clock::time_point progress = Clock::now();
    bool ended = false;
    while (!stopped && delivered < count) {
        if (cancelled) {
            stopped = true;
            break;
        }
        const int got = avcodec_receive_frame(m_codec, picture.get());
        if (got == 0) {
            progress = Clock::now();
            m_progressed();
            if (!TakePicture(picture)) {
                reason = "a picture could not be converted";
                return false;
            }
            continue;
        }
        if (got == AVERROR_EOF)
            break;
        if (got != AVERROR(EAGAIN)) {
            reason = LibraryWords(got);
            return false;
        }
        if (std::chrono::duration<double>(Clock::now() - progress).count() > stallLimit) {
            reason = wxString::Format("no picture came for %g seconds", stallLimit);
            return false;
        }
        if (ended)
            break;
        const int read = av_read_frame(m_format, packet.get());
        if (read < 0) {
            if (cancelled) {
                stopped = true;
                break;
            }
            if (std::chrono::duration<double>(Clock::now() - progress).count() > stallLimit) {
                reason = wxString::Format("no picture came for %g seconds", stallLimit);
                return false;
            }
            // The end of the file, or a read that fails in a damaged one: what the decoder
            // holds is still to come.
            avcodec_send_packet(m_codec, nullptr);
            ended = true;
            continue;
        }
        // A damaged packet is passed over; the pictures after the next key picture still come.
        if (packet->stream_index == m_stream->index)
            avcodec_send_packet(m_codec, packet.get());
        av_packet_unref(packet.get());
    }
    if (!stopped && delivered < count)
        DeliverTail();
    return true;
}

} // namespace

bool VideoDecoder::Decode(const VideoSampling& sampling, int width, const Deliver& deliver,
                          int& delivered, wxString& reason)
{
    delivered = 0;
    State& s = *m_state;
    const double length =
        s.info.length > 0 ? s.info.length : std::numeric_limits<double>::infinity();
    const int count = VideoFrameCount(sampling, length);
    if (count == 0) {
        reason = sampling.start >= length
                     ? wxString::Format("the video is %.3f seconds long, shorter than the start",
                                        length)
                     : wxString("there is no frame between the start and the end");
        return false;
    }
    const wxSize out = VideoFrameSize(s.info.display, width);
    SwsContext* scaler = s.scaler.release();
    Progressed();
    SampledPass pass(s.format.get(), s.codec.get(), s.stream, scaler, s.quarterTurns,
                     [this] { Progressed(); });
    pass.scaled = s.quarterTurns % 2 ? wxSize(out.y, out.x) : out;
    pass.sampling = &sampling;
    pass.count = count;
    pass.deliver = &deliver;
    pass.length = s.info.length;
    pass.frameRate = s.info.frameRate;
    pass.Seek(sampling.start);
    const bool ok = pass.Run(m_cancelled, m_stallLimit, reason);
    s.scaler.reset(scaler);
    delivered = pass.delivered;
    if (ok && delivered == 0 && !pass.stopped) {
        reason = "no picture could be decoded";
        return false;
    }
    return ok;
}
