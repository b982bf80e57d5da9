#include "core/video/video_encoder.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include "core/files/scratch_file.h"
#include "core/video/ffmpeg_handles.h"
#include "core/video/ffmpeg_messages.h"

namespace {

struct OutputCloser {
    void operator()(AVFormatContext* p) const
    {
        if (p->pb)
            avio_closep(&p->pb);
        avformat_free_context(p);
    }
};
struct DictionaryFreer {
    AVDictionary* dictionary = nullptr;
    ~DictionaryFreer() { av_dict_free(&dictionary); }
};

// The frame's pixels over black, its last column and row repeated out to width x height:
// RGB rows of 3 * width bytes.
void FillEvenPicture(const wxImage& frame, int width, int height, std::vector<uint8_t>& rgb)
{
    const int w = frame.GetWidth();
    const int h = frame.GetHeight();
    const uint8_t* pixels = frame.GetData();
    const uint8_t* alpha = frame.HasAlpha() ? frame.GetAlpha() : nullptr;
    rgb.resize(size_t(width) * height * 3);
    uint8_t* to = rgb.data();
    for (int y = 0; y < height; ++y) {
        const size_t row = size_t(std::min(y, h - 1)) * w;
        for (int x = 0; x < width; ++x) {
            const size_t at = row + std::min(x, w - 1);
            const unsigned a = alpha ? alpha[at] : 255;
            for (int c = 0; c < 3; ++c)
                *to++ = static_cast<uint8_t>((pixels[at * 3 + c] * a + 127) / 255);
        }
    }
}

} // namespace

struct VideoEncoder::State {
    wxOutputStream* out = nullptr;
    std::unique_ptr<ScratchFile> scratch;
    std::unique_ptr<AVFormatContext, OutputCloser> format;
    CodecPtr codec;
    AvFramePtr frame;
    PacketPtr packet;
    ScalerPtr scaler;
    AVStream* stream = nullptr;
    AnimationEncoding encoding;
    std::vector<uint8_t> rgb;
    int64_t clock = 0;  // where the next frame starts, in hundredths of a second
    int added = 0;
    // Each frame's length by its timestamp: packets leave the encoder in another order and
    // without it, and the muxers take the last frame's length from its packet.
    std::map<int64_t, int64_t> lengths;
};

VideoEncoder::VideoEncoder(VideoContainer container, std::string encoderName)
    : m_container(container),
      m_encoderName(encoderName.empty() ? DefaultVideoEncoder(container) : std::move(encoderName))
{
}

VideoEncoder::~VideoEncoder() = default;

namespace {

// The encoder's settings for the encoding's quality and effort.
void EncoderOptions(VideoContainer container, const AnimationEncoding& encoding,
                    AVDictionary** options)
{
    const int factor = VideoRateFactor(container, encoding.quality);
    av_dict_set_int(options, "crf", factor, 0);
    if (container == VideoContainer::Mp4) {
        av_dict_set(options, "preset", X264Preset(encoding.effort).c_str(), 0);
        // No B-frames: with them, x264 gives frames of uneven delays decode times that run
        // ahead of their own, and browsers then take the wrong length from the file.
        av_dict_set(options, "bf", "0", 0);
        return;
    }
    av_dict_set(options, "deadline", "good", 0);
    av_dict_set_int(options, "cpu-used", Vp9CpuUsed(encoding.effort), 0);
    av_dict_set_int(options, "row-mt", 1, 0);
}

// Pictures in BT.601's matrix at video range, the way swscale converts by default and the
// way players read video that says so; the primaries and curve are sRGB's.
void TagColours(AVCodecContext* codec)
{
    codec->colorspace = AVCOL_SPC_SMPTE170M;
    codec->color_range = AVCOL_RANGE_MPEG;
    codec->color_primaries = AVCOL_PRI_BT709;
    codec->color_trc = AVCOL_TRC_IEC61966_2_1;
}

} // namespace

bool VideoEncoder::Begin(wxOutputStream& out, const AnimationEncoding& encoding,
                         std::string& error)
{
    QuietFfmpeg();
    const std::string codecName = VideoCodecName(m_container);
    const AVCodec* encoder = avcodec_find_encoder_by_name(m_encoderName.c_str());
    if (!encoder) {
        error = "this system's FFmpeg has no " + codecName + " encoder (" + m_encoderName + ")";
        return false;
    }
    if (encoding.width < 1 || encoding.height < 1 || encoding.width > 16384 ||
        encoding.height > 16384) {
        error = "a video's picture must be 1 to 16384 pixels each way";
        return false;
    }
    auto state = std::make_unique<State>();
    state->out = &out;
    state->encoding = encoding;
    state->scratch = std::make_unique<ScratchFile>("video", error);
    const std::string& path = state->scratch->Path();
    if (path.empty())
        return false;

    const char* container = m_container == VideoContainer::Mp4 ? "mp4" : "webm";
    AVFormatContext* format = nullptr;
    int result = avformat_alloc_output_context2(&format, nullptr, container, path.c_str());
    if (result < 0) {
        error = "this system's FFmpeg can't write " + VideoContainerName(m_container) +
                " files: " + FfmpegErrorWords(result);
        return false;
    }
    state->format.reset(format);
    state->stream = avformat_new_stream(format, nullptr);
    state->codec.reset(avcodec_alloc_context3(encoder));
    state->frame.reset(av_frame_alloc());
    state->packet.reset(av_packet_alloc());
    if (!state->stream || !state->codec || !state->frame || !state->packet) {
        error = "there is not enough memory to start the video";
        return false;
    }

    AVCodecContext* codec = state->codec.get();
    codec->width = EvenLength(encoding.width);
    codec->height = EvenLength(encoding.height);
    codec->pix_fmt = AV_PIX_FMT_YUV420P;
    codec->time_base = AVRational{1, 100};
    codec->bit_rate = 0;  // VP9: quality alone decides, as x264's rate factor does
    TagColours(codec);
    if (format->oformat->flags & AVFMT_GLOBALHEADER)
        codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    DictionaryFreer options;
    EncoderOptions(m_container, encoding, &options.dictionary);
    result = avcodec_open2(codec, encoder, &options.dictionary);
    if (result < 0) {
        error = "the " + codecName + " encoder could not start: " + FfmpegErrorWords(result);
        return false;
    }
    result = avcodec_parameters_from_context(state->stream->codecpar, codec);
    if (result >= 0)
        result = avio_open(&format->pb, path.c_str(), AVIO_FLAG_WRITE);
    DictionaryFreer muxing;
    if (m_container == VideoContainer::Mp4)
        av_dict_set(&muxing.dictionary, "movflags", "+faststart", 0);
    state->stream->time_base = codec->time_base;
    if (result >= 0)
        result = avformat_write_header(format, &muxing.dictionary);
    if (result < 0) {
        error = "the " + VideoContainerName(m_container) + " file could not be started: " +
                FfmpegErrorWords(result);
        return false;
    }

    AVFrame* frame = state->frame.get();
    frame->format = codec->pix_fmt;
    frame->width = codec->width;
    frame->height = codec->height;
    result = av_frame_get_buffer(frame, 0);
    state->scaler.reset(sws_getContext(codec->width, codec->height, AV_PIX_FMT_RGB24,
                                       codec->width, codec->height, AV_PIX_FMT_YUV420P,
                                       SWS_BICUBIC | SWS_ACCURATE_RND, nullptr, nullptr,
                                       nullptr));
    if (result < 0 || !state->scaler) {
        error = "there is not enough memory for the video's pictures";
        return false;
    }
    m_state = std::move(state);
    return true;
}

bool VideoEncoder::Add(const wxImage& image, int delay, std::string& error)
{
    if (!m_state) {
        error = "the video was not started";
        return false;
    }
    State& s = *m_state;
    if (image.GetWidth() != s.encoding.width || image.GetHeight() != s.encoding.height) {
        error = "a frame is not of the video's size";
        return false;
    }
    AVFrame* frame = s.frame.get();
    int result = av_frame_make_writable(frame);
    if (result < 0) {
        error = "there is not enough memory for the video's pictures: " + FfmpegErrorWords(result);
        return false;
    }
    FillEvenPicture(image, frame->width, frame->height, s.rgb);
    const uint8_t* planes[1] = {s.rgb.data()};
    const int strides[1] = {frame->width * 3};
    sws_scale(s.scaler.get(), planes, strides, 0, frame->height, frame->data, frame->linesize);
    const int ticks = VideoFrameTicks(delay);
    frame->pts = s.clock;
    s.lengths[s.clock] = ticks;
    s.clock += ticks;
    ++s.added;
    return Encode(false, error);
}

bool VideoEncoder::Encode(bool last, std::string& error)
{
    State& s = *m_state;
    const std::string codecName = VideoCodecName(m_container);
    int result = avcodec_send_frame(s.codec.get(), last ? nullptr : s.frame.get());
    if (result < 0) {
        error = "the " + codecName + " encoder refused a frame: " + FfmpegErrorWords(result);
        return false;
    }
    AVPacket* packet = s.packet.get();
    for (;;) {
        result = avcodec_receive_packet(s.codec.get(), packet);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
            return true;
        if (result < 0) {
            error = "the " + codecName + " encoder failed: " + FfmpegErrorWords(result);
            return false;
        }
        const auto length = s.lengths.find(packet->pts);
        if (length != s.lengths.end()) {
            packet->duration = length->second;
            s.lengths.erase(length);
        }
        av_packet_rescale_ts(packet, s.codec->time_base, s.stream->time_base);
        packet->stream_index = s.stream->index;
        result = av_interleaved_write_frame(s.format.get(), packet);
        if (result < 0) {
            error = "the video could not be written: " + FfmpegErrorWords(result);
            return false;
        }
    }
}

bool VideoEncoder::Finish(std::string& error)
{
    if (!m_state) {
        error = "the video was not started";
        return false;
    }
    State& s = *m_state;
    if (s.added == 0) {
        error = "a video needs at least one frame";
        return false;
    }
    if (!Encode(true, error))
        return false;
    int result = av_write_trailer(s.format.get());
    if (result >= 0)
        result = avio_closep(&s.format->pb);
    if (result < 0) {
        error = "the video could not be completed: " + FfmpegErrorWords(result);
        return false;
    }
    const bool copied = s.scratch->CopyTo(*s.out, error);
    m_state.reset();
    return copied;
}
