// MP4 and WebM written from frames of an odd size with irregular delays, read back through
// FFmpeg's libraries: every frame at its time, an even 4:2:0 picture close to the source.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numeric>

#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/mstream.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include "core/video/video_decoder.h"
#include "core/video/video_encoder.h"
#include "support/temp_dir.h"
#include "support/test_images.h"

namespace {

constexpr int kWidth = 101;
constexpr int kHeight = 75;

// Frame n: a photograph-like picture; frame 0's left half is clear, to be seen over black.
wxImage SourceFrame(int n)
{
    wxImage frame = PhotoLikeImage(kWidth, kHeight, n);
    if (n == 0) {
        frame.InitAlpha();
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth / 2; ++x)
                frame.SetAlpha(x, y, 0);
    }
    return frame;
}

struct Probed {
    std::vector<double> starts;  // each packet's time, in order of time
    double end = 0;              // the last frame's end, as the file states its length
    int width = 0, height = 0, pixelFormat = -1;
    double frameRate = 0;
};

Probed Probe(const wxString& path)
{
    Probed p;
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.utf8_str(), nullptr, nullptr) < 0)
        return p;
    avformat_find_stream_info(format, nullptr);
    const int index = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (index >= 0) {
        const AVStream* stream = format->streams[index];
        p.width = stream->codecpar->width;
        p.height = stream->codecpar->height;
        p.pixelFormat = stream->codecpar->format;
        p.frameRate = av_q2d(stream->r_frame_rate);
        AVPacket* packet = av_packet_alloc();
        while (av_read_frame(format, packet) >= 0) {
            if (packet->stream_index == index) {
                const double start = packet->pts * av_q2d(stream->time_base);
                p.starts.push_back(start);
            }
            av_packet_unref(packet);
        }
        av_packet_free(&packet);
        std::sort(p.starts.begin(), p.starts.end());
        p.end = format->duration / double(AV_TIME_BASE);
    }
    avformat_close_input(&format);
    return p;
}

// The mean absolute difference of the channels, over the source's size; the source's clear
// pixels count as black.
double MeanDifference(const wxImage& source, const wxImage& decoded)
{
    double sum = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double a = source.HasAlpha() ? source.GetAlpha(x, y) / 255.0 : 1.0;
            sum += std::abs(source.GetRed(x, y) * a - decoded.GetRed(x, y)) +
                   std::abs(source.GetGreen(x, y) * a - decoded.GetGreen(x, y)) +
                   std::abs(source.GetBlue(x, y) * a - decoded.GetBlue(x, y));
        }
    return sum / (3.0 * kWidth * kHeight);
}

bool Write(VideoEncoder& encoder, const std::vector<int>& delays, int quality,
           wxMemoryOutputStream& out, std::string& error)
{
    AnimationEncoding encoding;
    encoding.width = kWidth;
    encoding.height = kHeight;
    encoding.frameCount = static_cast<int>(delays.size());
    encoding.quality = quality;
    encoding.loopCount = 3;  // video has none: it must not matter
    if (!encoder.Begin(out, encoding, error))
        return false;
    for (size_t n = 0; n < delays.size(); ++n)
        if (!encoder.Add(SourceFrame(static_cast<int>(n)), delays[n], error))
            return false;
    return encoder.Finish(error);
}

// The system's temporary folder, moved into a folder of the test's while it lives.
class ScratchFolder {
public:
    explicit ScratchFolder(const wxString& path) : m_path(path)
    {
        const char* old = std::getenv("TMPDIR");
        m_had = old != nullptr;
        if (old)
            m_old = old;
        wxMkdir(path);
        setenv("TMPDIR", path.utf8_str(), 1);
    }
    ~ScratchFolder()
    {
        if (m_had)
            setenv("TMPDIR", m_old.c_str(), 1);
        else
            unsetenv("TMPDIR");
    }
    bool Empty() const { return !wxDir(m_path).HasFiles(); }

private:
    wxString m_path;
    std::string m_old;
    bool m_had = false;
};

struct Case {
    VideoContainer container;
    std::vector<int> delays;
    double frameRate;  // expected when the delays are regular; 0: any
};

class VideoEncoderTest : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override
    {
        if (!avcodec_find_encoder_by_name(DefaultVideoEncoder(GetParam().container).c_str()))
            GTEST_SKIP() << "this FFmpeg lacks " << DefaultVideoEncoder(GetParam().container);
    }
    TempDir dir;
};

} // namespace

TEST_P(VideoEncoderTest, EveryFrameAtItsTimeInAnEvenPictureCloseToTheSource)
{
    const Case& c = GetParam();
    ScratchFolder scratch(dir.File("tmp"));
    VideoEncoder encoder(c.container);
    wxMemoryOutputStream out;
    std::string error;
    ASSERT_TRUE(Write(encoder, c.delays, 100, out, error)) << error;
    EXPECT_TRUE(scratch.Empty()) << "the temporary file stays behind";

    const wxString path = dir.File(c.container == VideoContainer::Mp4 ? "a.mp4" : "a.webm");
    {
        wxFFile file(path, "wb");
        std::vector<char> bytes(out.GetSize());
        out.CopyTo(bytes.data(), bytes.size());
        ASSERT_EQ(file.Write(bytes.data(), bytes.size()), bytes.size());
    }
    const Probed probed = Probe(path);
    EXPECT_EQ(probed.width, 102);
    EXPECT_EQ(probed.height, 76);
    EXPECT_EQ(probed.pixelFormat, AV_PIX_FMT_YUV420P);
    ASSERT_EQ(probed.starts.size(), c.delays.size());
    int start = 0;
    for (size_t n = 0; n < c.delays.size(); ++n) {
        EXPECT_NEAR(probed.starts[n] - probed.starts[0], start / 100.0, 0.0015) << "frame " << n;
        start += std::max(c.delays[n], 1);
    }
    EXPECT_NEAR(probed.end - probed.starts[0], start / 100.0, 0.0015);
    if (c.frameRate > 0) {
        EXPECT_NEAR(probed.frameRate, c.frameRate, 0.01);
    }

    wxString reason;
    auto decoder = VideoDecoder::Open(path, reason);
    ASSERT_TRUE(decoder) << reason;
    int moment = 0;
    for (size_t n = 0; n < c.delays.size(); ++n) {
        wxImage decoded;
        ASSERT_EQ(decoder->FrameAt(moment / 100.0 + 0.0005, 102, decoded, reason),
                  VideoFrameResult::Ok)
            << reason;
        EXPECT_LT(MeanDifference(SourceFrame(static_cast<int>(n)), decoded), 6.0)
            << "frame " << n;
        moment += std::max(c.delays[n], 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Containers, VideoEncoderTest,
    ::testing::Values(Case{VideoContainer::Mp4, {3, 7, 10, 0, 25, 4, 13, 50, 6, 9}, 0},
                      Case{VideoContainer::WebM, {3, 7, 10, 0, 25, 4, 13, 50, 6, 9}, 0},
                      Case{VideoContainer::Mp4, std::vector<int>(10, 4), 25},
                      Case{VideoContainer::WebM, std::vector<int>(10, 4), 25}),
    [](const auto& info) {
        return std::string(info.param.container == VideoContainer::Mp4 ? "Mp4" : "WebM") +
               (info.param.frameRate > 0 ? "Regular" : "Irregular");
    });

TEST(VideoEncoderFailure, AMissingEncoderIsNamedAndNothingIsWrittenOrLeft)
{
    TempDir dir;
    ScratchFolder scratch(dir.File("tmp"));
    for (VideoContainer container : {VideoContainer::Mp4, VideoContainer::WebM}) {
        VideoEncoder encoder(container, "absent-encoder");
        wxMemoryOutputStream out;
        std::string error;
        EXPECT_FALSE(Write(encoder, {5, 5}, 100, out, error));
        EXPECT_EQ(error, "this system's FFmpeg has no " + VideoCodecName(container) +
                             " encoder (absent-encoder)");
        EXPECT_EQ(out.GetSize(), 0u);
    }
    // Abandoned part-way, an encoder removes its temporary file as well.
    if (avcodec_find_encoder_by_name("libx264")) {
        wxMemoryOutputStream out;
        std::string error;
        auto encoder = std::make_unique<VideoEncoder>(VideoContainer::Mp4);
        AnimationEncoding encoding;
        encoding.width = kWidth;
        encoding.height = kHeight;
        ASSERT_TRUE(encoder->Begin(out, encoding, error)) << error;
        ASSERT_TRUE(encoder->Add(SourceFrame(1), 5, error)) << error;
        encoder.reset();
        EXPECT_EQ(out.GetSize(), 0u);
    }
    EXPECT_TRUE(scratch.Empty());
}

TEST(VideoEncodingPlan, ScalesMapOntoTheEncodersSettings)
{
    struct Row {
        int value;
        int x264Factor, vp9Factor;
        const char* preset;
        int cpuUsed;
    };
    // value is the quality for the factors and the effort for the speeds.
    for (const Row& r : {Row{-1, 35, 45, "medium", 4}, Row{0, 35, 45, "ultrafast", 5},
                         Row{1, 35, 45, "ultrafast", 5}, Row{50, 27, 35, "fast", 3},
                         Row{100, 18, 24, "veryslow", 0}, Row{300, 18, 24, "veryslow", 0}}) {
        EXPECT_EQ(VideoRateFactor(VideoContainer::Mp4, r.value), r.x264Factor) << r.value;
        EXPECT_EQ(VideoRateFactor(VideoContainer::WebM, r.value), r.vp9Factor) << r.value;
        EXPECT_EQ(X264Preset(r.value), r.preset) << r.value;
        EXPECT_EQ(Vp9CpuUsed(r.value), r.cpuUsed) << r.value;
    }
    for (int length : {1, 2, 101, 16384})
        EXPECT_EQ(EvenLength(length), length + length % 2);
}
