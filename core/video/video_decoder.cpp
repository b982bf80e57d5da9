#include "core/video/video_decoder.h"

#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libavutil/error.h>
#include <libswscale/swscale.h>
}

#include "core/video/ffmpeg_handles.h"
#include "core/video/ffmpeg_messages.h"
#include "core/video/video_extent.h"
#include "core/video/video_geometry.h"
#include "core/base/available_memory.h"
#include "core/picture/picture_limit.h"

namespace {

using Clock = std::chrono::steady_clock;

struct FormatCloser {
    void operator()(AVFormatContext* p) const { avformat_close_input(&p); }
};
using FormatPtr = std::unique_ptr<AVFormatContext, FormatCloser>;

wxString LibraryWords(int error)
{
    return wxString::FromUTF8(FfmpegErrorWords(error));
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

// Each stream's picture size as the file's headers state it.
std::vector<wxSize> StatedSizes(const AVFormatContext* format)
{
    std::vector<wxSize> sizes;
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVCodecParameters* par = format->streams[i]->codecpar;
        sizes.emplace_back(par->width, par->height);
    }
    return sizes;
}

// The length the file states, in seconds; 0 when it states none. A length the library guessed
// from the bit rate is no statement.
double StatedLength(const AVFormatContext* format, const AVStream* stream)
{
    if (format->duration != AV_NOPTS_VALUE && format->duration > 0 &&
        format->duration_estimation_method != AVFMT_DURATION_FROM_BITRATE)
        return format->duration / static_cast<double>(AV_TIME_BASE);
    if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0)
        return stream->duration * av_q2d(stream->time_base);
    return 0;
}

// The row length the scaler writes in: a multiple of its widest vector.
constexpr size_t kScaledAlign = 64;

// Packets before the stated end that are read to check the file reaches it, in seconds.
constexpr double kTailSpan = 2.0;

} // namespace

struct VideoDecoder::State {
    FormatPtr format;
    CodecPtr codec;
    AVStream* stream = nullptr;
    int streamIndex = -1;
    int quarterTurns = 0;
    VideoInfo info;
    ScalerPtr scaler;
    // The cursor: held is the picture on screen at the last moment asked for, pending the
    // next one when it has been decoded already (it shows that held's time on screen ends).
    AvFramePtr held{av_frame_alloc()};
    AvFramePtr pending{av_frame_alloc()};
    double heldTime = 0, pendingTime = 0;
    bool haveHeld = false, havePending = false;
    bool ended = false;       // the decoder has given its last picture
    bool positioned = false;  // the file has been read from a seek on
    bool restarted = false;   // the last seek went to the file's first byte
    int checkedWidth = 0;     // the last width whose frame size was found fit
    std::vector<uint8_t> scaled;  // the scaler's output, its rows padded
    wxString damage;
};

namespace {

// FFmpeg's blocking reads call this; non-zero ends them.
int Interrupt(void* opaque)
{
    const auto* decoder = static_cast<const VideoDecoder*>(opaque);
    return decoder->Interrupted() ? 1 : 0;
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

const wxString& VideoDecoder::Damage() const
{
    return m_state->damage;
}

void VideoDecoder::MeasureLength()
{
    State& s = *m_state;
    const double stated = StatedLength(s.format.get(), s.stream);
    const auto progressed = [this] { Progressed(); };
    PacketEnds ends;
    if (stated > 0)
        ends = ReadPacketEnds(s.format.get(), s.streamIndex, stated - kTailSpan, progressed);
    if (!ReachesStatedEnd(stated, ends, s.info.frameRate))
        ends = ReadPacketEnds(s.format.get(), s.streamIndex, 0, progressed);
    const VideoLength judged = JudgeVideoLength(stated, ends, s.info.frameRate);
    s.info.length = judged.length;
    s.damage = judged.damage;
    s.positioned = false;
}

std::unique_ptr<VideoDecoder> VideoDecoder::Open(const wxString& path, wxString& reason,
                                                 VideoProbe probe)
{
    QuietFfmpeg();
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
    const std::vector<wxSize> stated = StatedSizes(raw);
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
    // A decoder that refuses a picture too large for it leaves the size unknown; the
    // headers said it before.
    const wxSize coded = par->width > 0 && par->height > 0 ? wxSize(par->width, par->height)
                                                           : stated[s.streamIndex];
    if (coded.x <= 0 || coded.y <= 0) {
        reason = "the video's picture size is unknown";
        return nullptr;
    }
    if (!WithinPictureLimit(coded)) {
        reason = TooLargeReason(coded);
        return nullptr;
    }
    s.quarterTurns = StreamQuarterTurns(s.stream);
    const AVRational aspect = av_guess_sample_aspect_ratio(raw, s.stream, nullptr);
    s.info.display =
        VideoDisplaySize(par->width, par->height, aspect.num, aspect.den, s.quarterTurns * 90);
    AVRational rate = s.stream->avg_frame_rate;
    if (rate.num <= 0 || rate.den <= 0)
        rate = s.stream->r_frame_rate;
    if (rate.num > 0 && rate.den > 0)
        s.info.frameRate = av_q2d(rate);
    if (probe == VideoProbe::Everything)
        decoder->MeasureLength();
    return decoder;
}


namespace {

// A moment belongs to a picture that starts up to half a millisecond after it: moments are
// kept in whole milliseconds (project files hold them so), and a picture's time is a multiple
// of the stream's time base, so the moment a picture starts may be rounded down to just
// before it.
constexpr double kMomentSlack = 0.0005;

// Further ahead than this, a seek to the moment's key picture is faster than decoding every
// picture on the way.
constexpr double kSeekAhead = 3.0;

// The picture's time in seconds from the stream's beginning; after for a picture without one.
double PictureTime(const AVStream* stream, const AVFrame* frame, double after, double rate)
{
    if (frame->best_effort_timestamp == AV_NOPTS_VALUE)
        return after + 1.0 / (rate > 0 ? rate : 25);
    const int64_t origin = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
    return (frame->best_effort_timestamp - origin) * av_q2d(stream->time_base);
}

} // namespace

void VideoDecoder::NoteUndecodable()
{
    if (m_state->damage.empty())
        m_state->damage = "pictures that don't decode were left out";
}

void VideoDecoder::Seek(double seconds, bool firstByte)
{
    State& s = *m_state;
    const int64_t origin = s.stream->start_time != AV_NOPTS_VALUE ? s.stream->start_time : 0;
    const int64_t target =
        origin + static_cast<int64_t>(std::floor(seconds / av_q2d(s.stream->time_base)));
    // A stream that can't seek is decoded from where it stands: slower, the same pictures
    // for moments ahead of it.
    const bool moved =
        (firstByte && av_seek_frame(s.format.get(), -1, 0, AVSEEK_FLAG_BYTE) >= 0) ||
        av_seek_frame(s.format.get(), s.streamIndex, target, AVSEEK_FLAG_BACKWARD) >= 0;
    if (moved) {
        avcodec_flush_buffers(s.codec.get());
        s.haveHeld = s.havePending = s.ended = false;
    }
    s.restarted = firstByte;
    s.positioned = true;
}

VideoFrameResult VideoDecoder::NextPicture(wxString& reason)
{
    State& s = *m_state;
    PacketPtr packet(av_packet_alloc());
    if (!packet) {
        reason = "out of memory";
        return VideoFrameResult::Failed;
    }
    Progressed();
    const Clock::time_point start = Clock::now();
    int failures = 0;
    for (;;) {
        if (m_cancelled)
            return VideoFrameResult::Stopped;
        const int got = avcodec_receive_frame(s.codec.get(), s.pending.get());
        if (got == 0) {
            const double after = s.haveHeld ? s.heldTime : 0;
            s.pendingTime = PictureTime(s.stream, s.pending.get(), after, s.info.frameRate);
            s.havePending = true;
            return VideoFrameResult::Ok;
        }
        if (got == AVERROR_EOF) {
            s.ended = true;
            return VideoFrameResult::PastEnd;
        }
        // A picture that doesn't decode is passed over, as players do; the next one comes.
        if (got != AVERROR(EAGAIN))
            NoteUndecodable();
        if (std::chrono::duration<double>(Clock::now() - start).count() > m_stallLimit) {
            reason = wxString::Format("no picture came for %g seconds", m_stallLimit);
            return VideoFrameResult::Failed;
        }
        const int read = av_read_frame(s.format.get(), packet.get());
        if (m_cancelled)
            return VideoFrameResult::Stopped;
        // A damaged stretch fails a few reads before the packets after it come again.
        if (read < 0 && read != AVERROR_EOF && !avio_feof(s.format->pb) && ++failures < 32)
            continue;
        if (read < 0) {
            // The end of the file: what the decoder holds is still to come. Sending the end
            // twice is harmless.
            avcodec_send_packet(s.codec.get(), nullptr);
            continue;
        }
        failures = 0;
        // A damaged packet is passed over; the pictures after the next key picture still come.
        if (packet->stream_index == s.streamIndex) {
            const int sent = avcodec_send_packet(s.codec.get(), packet.get());
            if (sent < 0 && sent != AVERROR(EAGAIN) && sent != AVERROR_EOF)
                NoteUndecodable();
        }
        av_packet_unref(packet.get());
    }
}

VideoFrameResult VideoDecoder::Advance(double moment, wxString& reason)
{
    State& s = *m_state;
    if (!s.positioned || (s.haveHeld && (moment + kMomentSlack < s.heldTime ||
                                         moment > s.heldTime + kSeekAhead)))
        Seek(moment);
    for (;;) {
        if (!s.havePending && !s.ended) {
            const VideoFrameResult next = NextPicture(reason);
            if (next == VideoFrameResult::Failed || next == VideoFrameResult::Stopped)
                return next;
        }
        // Moments before the first picture show it, as players do.
        if (!s.havePending || (s.haveHeld && s.pendingTime > moment + kMomentSlack))
            break;
        s.held.swap(s.pending);
        av_frame_unref(s.pending.get());
        s.heldTime = s.pendingTime;
        s.haveHeld = true;
        s.havePending = false;
    }
    if (!s.haveHeld && !s.restarted) {
        // A seek that missed every key picture (a damaged index, MPEG-TS with one key
        // picture, which a seek by time puts after it): the pictures come when the file is
        // decoded from its first byte.
        Seek(0, true);
        return Advance(moment, reason);
    }
    if (!s.haveHeld) {
        reason = "no picture could be decoded";
        return VideoFrameResult::Failed;
    }
    if (s.ended && !s.havePending) {
        // The last picture stands until the video's length, which its packets were found to
        // reach (pictures at the end that don't decode leave it standing longer).
        const double own = 1.0 / (s.info.frameRate > 0 ? s.info.frameRate : 25);
        const double end = std::max(s.heldTime + own, s.info.length);
        if (moment + kMomentSlack >= end) {
            reason = wxString::Format("the video's pictures end at %.3f seconds", end);
            return VideoFrameResult::PastEnd;
        }
    }
    return VideoFrameResult::Ok;
}

bool VideoDecoder::Convert(int width, wxImage& image)
{
    State& s = *m_state;
    const AVFrame* frame = s.held.get();
    const wxSize out = VideoFrameSize(s.info.display, width);
    const wxSize scaled = s.quarterTurns % 2 ? wxSize(out.y, out.x) : out;
    SwsContext* scaler = sws_getCachedContext(
        s.scaler.release(), frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
        scaled.x, scaled.y, AV_PIX_FMT_RGB24, SWS_BICUBIC, nullptr, nullptr, nullptr);
    s.scaler.reset(scaler);
    wxImage rgb(scaled.x, scaled.y, false);
    if (!scaler || !rgb.IsOk())
        return false;
    // The scaler's vector code writes whole blocks, past the end of a row whose bytes are no
    // multiple of them: it writes into rows padded to kScaledAlign, copied out tight.
    const size_t row = static_cast<size_t>(scaled.x) * 3;
    const size_t stride = (row + kScaledAlign - 1) / kScaledAlign * kScaledAlign;
    s.scaled.resize(stride * (static_cast<size_t>(scaled.y) + 1));
    uint8_t* planes[4] = {s.scaled.data(), nullptr, nullptr, nullptr};
    int strides[4] = {static_cast<int>(stride), 0, 0, 0};
    if (sws_scale(scaler, frame->data, frame->linesize, 0, frame->height, planes, strides) <= 0)
        return false;
    for (int y = 0; y < scaled.y; ++y)
        std::memcpy(rgb.GetData() + y * row, s.scaled.data() + y * stride, row);
    if (s.quarterTurns == 1)
        image = rgb.Rotate90(true);
    else if (s.quarterTurns == 2)
        image = rgb.Rotate180();
    else if (s.quarterTurns == 3)
        image = rgb.Rotate90(false);
    else
        image = rgb;
    return image.IsOk();
}

VideoFrameResult VideoDecoder::FrameAt(double moment, int width, wxImage& frame,
                                       wxString& reason)
{
    const VideoFrameResult result = Advance(moment, reason);
    if (result != VideoFrameResult::Ok)
        return result;
    // The frame's size is held to the limits of any picture, checked when the width changes.
    if (width != m_state->checkedWidth) {
        const wxString problem =
            PictureSizeProblem(VideoFrameSize(m_state->info.display, width), AvailableMemory());
        if (!problem.empty()) {
            reason = problem;
            return VideoFrameResult::Failed;
        }
        m_state->checkedWidth = width;
    }
    if (!Convert(width, frame)) {
        reason = "a picture could not be converted";
        return VideoFrameResult::Failed;
    }
    return VideoFrameResult::Ok;
}

wxString EmptyStretchReason(const VideoSampling& sampling, double length)
{
    if (sampling.start >= length)
        return wxString::Format("the video is %.3f seconds long, shorter than the start", length);
    return "there is no frame between the start and the end";
}

bool VideoDecoder::Decode(const VideoSampling& sampling, int width, const Deliver& deliver,
                          int& delivered, wxString& reason)
{
    delivered = 0;
    const VideoInfo& info = m_state->info;
    const double length = info.length > 0 ? info.length : std::numeric_limits<double>::infinity();
    const int count = VideoFrameCount(sampling, length);
    if (count == 0) {
        reason = EmptyStretchReason(sampling, length);
        return false;
    }
    for (int k = 0; k < count; ++k) {
        wxImage frame;
        const VideoFrameResult result =
            FrameAt(VideoFrameMillis(sampling, k) / 1000.0, width, frame, reason);
        if (result == VideoFrameResult::Stopped)
            return true;
        // A clip cut short gives the frames up to its last picture.
        if (result == VideoFrameResult::PastEnd && delivered > 0)
            return true;
        if (result != VideoFrameResult::Ok)
            return false;
        if (!deliver(k, std::move(frame)))
            return true;
        ++delivered;
    }
    return true;
}
