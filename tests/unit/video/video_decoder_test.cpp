// Frames from real clips, made at test time with the ffmpeg tool: each source picture carries
// its number as a colour, so a test can tell which picture each frame shows.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include <wx/filename.h>

#include "core/video/video_decoder.h"
#include "support/temp_dir.h"
#include "support/video_clips.h"

namespace {

struct Decoded {
    std::vector<wxImage> frames;
    bool ok = false;
    wxString reason;
};

Decoded DecodeClip(const wxString& path, VideoSampling sampling, int width)
{
    Decoded d;
    wxString reason;
    auto decoder = VideoDecoder::Open(path, reason);
    EXPECT_TRUE(decoder) << reason;
    if (!decoder)
        return d;
    int delivered = 0;
    d.ok = decoder->Decode(sampling, width,
                           [&](int k, wxImage&& frame) {
                               EXPECT_EQ(k, static_cast<int>(d.frames.size()));
                               d.frames.push_back(std::move(frame));
                               return true;
                           },
                           delivered, d.reason);
    EXPECT_EQ(delivered, static_cast<int>(d.frames.size()));
    return d;
}

std::vector<int> Numbers(const Decoded& d)
{
    std::vector<int> numbers;
    for (const wxImage& frame : d.frames)
        numbers.push_back(PictureNumber(frame));
    return numbers;
}

class VideoDecoderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!HaveFfmpeg())
            GTEST_SKIP() << "ffmpeg is not installed";
    }
    TempDir dir;
};

} // namespace

TEST_F(VideoDecoderTest, FramesAreThePicturesShownAtEachMoment)
{
    const wxString clip = dir.File("numbered.mp4");
    ASSERT_TRUE(MakeNumberedClip(clip, 4));
    wxString reason;
    auto decoder = VideoDecoder::Open(clip, reason);
    ASSERT_TRUE(decoder) << reason;
    EXPECT_NEAR(decoder->Info().length, 4, 0.05);
    EXPECT_NEAR(decoder->Info().frameRate, 30, 0.01);
    EXPECT_EQ(decoder->Info().display, wxSize(160, 120));

    // 10 a second from 1 s: pictures 30, 33, ...; 15 a second from 0.5 s: 15, 17, ...
    const Decoded ten = DecodeClip(clip, {1, 2, 10}, 160);
    ASSERT_TRUE(ten.ok) << ten.reason;
    std::vector<int> expected;
    for (int k = 0; k < 10; ++k)
        expected.push_back(30 + 3 * k);
    EXPECT_EQ(Numbers(ten), expected);

    const Decoded fifteen = DecodeClip(clip, {0.5, 1.5, 15}, 160);
    ASSERT_TRUE(fifteen.ok) << fifteen.reason;
    expected.clear();
    for (int k = 0; k < 15; ++k)
        expected.push_back(15 + 2 * k);
    EXPECT_EQ(Numbers(fifteen), expected);

    // To the end: the last moments show the last picture, 119.
    const Decoded tail = DecodeClip(clip, {3.5, 100, 10}, 80);
    ASSERT_TRUE(tail.ok) << tail.reason;
    ASSERT_EQ(tail.frames.size(), 5u);
    EXPECT_EQ(Numbers(tail).back(), 117);
    EXPECT_EQ(tail.frames[0].GetSize(), wxSize(80, 60));
}

TEST_F(VideoDecoderTest, VariableFrameRateClipsComeOutEvenlyTimed)
{
    // Pictures 0..29 every 1/30 s, then 30..59 every 1/10 s from 1 s on.
    const wxString clip = dir.File("vfr.mkv");
    ASSERT_TRUE(MakeNumberedClip(clip, 2, ",setpts='if(lt(N\\,30)\\,N/30\\,1+(N-30)/10)/TB'",
                                 "-fps_mode passthrough"));
    const Decoded d = DecodeClip(clip, {0, 3, 10}, 160);
    ASSERT_TRUE(d.ok) << d.reason;
    ASSERT_GE(d.frames.size(), 30u);
    const std::vector<int> numbers = Numbers(d);
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(numbers[k], 3 * k) << k;
    for (int k = 10; k < 30; ++k)
        EXPECT_EQ(numbers[k], 30 + (k - 10)) << k;
}

TEST_F(VideoDecoderTest, RotationAndPixelAspectShapeTheFrames)
{
    // Left half red, right half blue; the file says to turn it a quarter counter-clockwise.
    const wxString plain = dir.File("halves.mp4"), turned = dir.File("turned.mp4");
    ASSERT_TRUE(Ffmpeg("-f lavfi -i \"color=c=black:s=160x120:r=10:d=1,format=rgb24,"
                       "geq=r='if(lt(X\\,80)\\,255\\,0)':g=0:b='if(lt(X\\,80)\\,0\\,255)'\" "
                       "-c:v libx264 -pix_fmt yuv420p '" + plain.ToStdString() + "'"));
    ASSERT_TRUE(Ffmpeg("-i '" + plain.ToStdString() + "' -c copy -metadata:s:v:0 rotate=90 '" +
                       turned.ToStdString() + "'"));
    const Decoded d = DecodeClip(turned, {0, 0.5, 10}, 120);
    ASSERT_TRUE(d.ok) << d.reason;
    ASSERT_FALSE(d.frames.empty());
    const wxImage& f = d.frames[0];
    ASSERT_EQ(f.GetSize(), wxSize(120, 160));
    EXPECT_GT(f.GetBlue(60, 20), 200);   // the right half came to the top
    EXPECT_GT(f.GetRed(60, 140), 200);

    // Pixels twice as wide as high: 160 x 120 shows as 320 x 120.
    const wxString wide = dir.File("wide.mkv");
    ASSERT_TRUE(MakeNumberedClip(wide, 1, ",setsar=2"));
    wxString reason;
    auto decoder = VideoDecoder::Open(wide, reason);
    ASSERT_TRUE(decoder) << reason;
    EXPECT_EQ(decoder->Info().display, wxSize(320, 120));
    const Decoded w = DecodeClip(wide, {0, 0.2, 10}, 160);
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(w.frames.at(0).GetSize(), wxSize(160, 60));
}

TEST_F(VideoDecoderTest, BadInputsAreToldNotCrashed)
{
    const wxString text = dir.File("notes.mp4");
    std::ofstream(text.ToStdString()) << "this is no video at all\n";
    const wxString audio = dir.File("tone.m4a");
    ASSERT_TRUE(Ffmpeg("-f lavfi -i sine=d=1 -c:a aac '" + audio.ToStdString() + "'"));
    wxString reason;
    EXPECT_FALSE(VideoDecoder::Open(text, reason));
    EXPECT_FALSE(reason.empty());
    reason.clear();
    EXPECT_FALSE(VideoDecoder::Open(audio, reason));
    EXPECT_NE(reason.Find("no video"), wxNOT_FOUND) << reason;
    EXPECT_FALSE(VideoDecoder::Open(dir.File("missing.mp4"), reason));

    const wxString clip = dir.File("short.mp4");
    ASSERT_TRUE(MakeNumberedClip(clip, 1));
    const Decoded late = DecodeClip(clip, {5, 6, 10}, 160);
    EXPECT_FALSE(late.ok);
    EXPECT_NE(late.reason.Find("shorter"), wxNOT_FOUND) << late.reason;

    // A stream that yields no picture within the limit is given up, not waited on.
    auto stalled = VideoDecoder::Open(clip, reason);
    ASSERT_TRUE(stalled);
    stalled->SetStallLimit(0);
    int none = 0;
    EXPECT_FALSE(stalled->Decode({0, 1, 10}, 160, [](int, wxImage&&) { return true; }, none,
                                 reason));
    EXPECT_NE(reason.Find("no picture came"), wxNOT_FOUND) << reason;

    // Cut in the middle: the frames before the cut come, and no frame repeats the last picture
    // for the length the header still promises.
    const wxString whole = dir.File("whole.mkv"), cut = dir.File("cut.mkv");
    ASSERT_TRUE(MakeNumberedClip(whole, 3));
    std::ifstream in(whole.ToStdString(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    std::ofstream(cut.ToStdString(), std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    auto decoder = VideoDecoder::Open(cut, reason);
    ASSERT_TRUE(decoder) << reason;
    int delivered = 0;
    decoder->Decode({0, 3, 10}, 160, [](int, wxImage&&) { return true; }, delivered, reason);
    EXPECT_GT(delivered, 3);
    EXPECT_LT(delivered, 29);
}

TEST_F(VideoDecoderTest, StoppingKeepsWhatWasDelivered)
{
    const wxString clip = dir.File("stop.mp4");
    ASSERT_TRUE(MakeNumberedClip(clip, 2));
    wxString reason;
    auto decoder = VideoDecoder::Open(clip, reason);
    ASSERT_TRUE(decoder);
    int delivered = 0;
    EXPECT_TRUE(decoder->Decode({0, 2, 10}, 160, [](int k, wxImage&&) { return k < 3; },
                                delivered, reason));
    EXPECT_EQ(delivered, 3);
    // The same decoder decodes again from another start.
    std::vector<int> numbers;
    EXPECT_TRUE(decoder->Decode({1, 1.3, 10}, 160,
                                [&](int, wxImage&& f) {
                                    numbers.push_back(PictureNumber(f));
                                    return true;
                                },
                                delivered, reason));
    EXPECT_EQ(numbers, (std::vector<int>{30, 33, 36}));
}

TEST_F(VideoDecoderTest, MomentsInWholeMillisecondsFindTheSamePicturesInAnyOrder)
{
    // Project files keep moments in milliseconds: 1/15 s is stored as 0.067, 2/15 s as 0.133
    // (before picture 4 starts at 0.13333): each must still give the sampled picture.
    const wxString clip = dir.File("ms.mp4");
    ASSERT_TRUE(MakeNumberedClip(clip, 4, "", "-g 30"));
    wxString reason;
    auto decoder = VideoDecoder::Open(clip, reason);
    ASSERT_TRUE(decoder);
    for (int k : {0, 1, 2, 3, 4, 20, 21, 5, 44, 6}) {
        const double moment = std::round(1000.0 * k / 15) / 1000;
        wxImage frame;
        ASSERT_EQ(decoder->FrameAt(moment, 160, frame, reason), VideoFrameResult::Ok) << reason;
        EXPECT_EQ(PictureNumber(frame), 2 * k) << k;
    }
    wxImage frame;
    EXPECT_EQ(decoder->FrameAt(10, 160, frame, reason), VideoFrameResult::PastEnd);
    EXPECT_EQ(decoder->FrameAt(1, 160, frame, reason), VideoFrameResult::Ok);
    EXPECT_EQ(PictureNumber(frame), 30);
}

TEST_F(VideoDecoderTest, ClipsAPlayerPlaysGiveEveryPictureThatDecodes)
{
    // Three seconds of pictures 0..89, as downloads and recordings leave them.
    const struct {
        const char* name;
        const char* output;  // ffmpeg's output options
        bool cut;            // half the file is kept
        bool damaged;        // told as damaged: cut short of the length it states
    } cases[] = {
        {"indexed_first.mp4", "-movflags +faststart", true, true},
        {"cut.mkv", "", true, true},
        {"one_key.ts", "-x264-params keyint=1000:scenecut=0", false, false},
        {"one_key_cut.ts", "-x264-params keyint=1000:scenecut=0", true, false},
        {"no_length.mkv", "-live 1", false, false},
        {"no_length_cut.mkv", "-live 1", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const wxString clip = dir.File(c.name);
        ASSERT_TRUE(MakeNumberedClip(clip, 3, "", c.output));
        if (c.cut) {
            ASSERT_TRUE(CutFile(clip, wxFileName::GetSize(clip).ToULong() / 2));
        }
        // As long as the pictures a player shows, 30 a second.
        const int pictures = PicturesFfmpegDecodes(clip);
        ASSERT_GT(pictures, 10);
        wxString reason;
        auto decoder = VideoDecoder::Open(clip, reason);
        ASSERT_TRUE(decoder) << reason;
        // A packet cut in two may hold a picture or two that no longer decode.
        EXPECT_NEAR(decoder->Info().length, pictures / 30.0, 0.15);
        EXPECT_EQ(!decoder->Damage().empty(), c.damaged) << decoder->Damage();
        const Decoded d = DecodeClip(clip, {0, kWholeVideo, 10}, 80);
        EXPECT_TRUE(d.ok) << d.reason;
        EXPECT_NEAR(static_cast<double>(d.frames.size()), pictures / 3.0, 1);
        const std::vector<int> numbers = Numbers(d);
        for (size_t k = 0; k < numbers.size(); ++k)
            EXPECT_NEAR(numbers[k], std::min(3 * static_cast<int>(k), pictures - 1), 1) << k;
    }
}

TEST_F(VideoDecoderTest, FramesBeyondThePictureLimitAreRefusedWithTheirSize)
{
    // Headers and pictures that claim 20000 x 20000: the libraries refuse to decode them.
    const wxString huge = dir.File("huge.avi");
    ASSERT_TRUE(MakeClaimingClip(huge, 20000, 20000));
    wxString reason;
    EXPECT_FALSE(VideoDecoder::Open(huge, reason));
    EXPECT_NE(reason.Find(wxString::FromUTF8("20000 \u00d7 20000")), wxNOT_FOUND) << reason;
    EXPECT_NE(reason.Find("16384"), wxNOT_FOUND) << reason;

    // A portrait clip asked for at the widest width: the height passes the limit.
    const wxString tall = dir.File("tall.mp4");
    ASSERT_TRUE(MakeNumberedClip(tall, 0.5, ",transpose=1"));
    auto decoder = VideoDecoder::Open(tall, reason);
    ASSERT_TRUE(decoder) << reason;
    wxImage frame;
    EXPECT_EQ(decoder->FrameAt(0, 16384, frame, reason), VideoFrameResult::Failed);
    EXPECT_NE(reason.Find(wxString::FromUTF8("16384 \u00d7 21845")), wxNOT_FOUND) << reason;
    // Rows of any length, none a multiple of the scaler's blocks among them.
    for (int width : {1, 7, 90, 120}) {
        ASSERT_EQ(decoder->FrameAt(0, width, frame, reason), VideoFrameResult::Ok) << reason;
        EXPECT_EQ(frame.GetWidth(), width);
    }
}
