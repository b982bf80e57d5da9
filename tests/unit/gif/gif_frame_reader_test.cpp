// Frames of GIFs as a viewer shows them: every frame composed on the logical screen with
// offsets, transparency and disposals, equal to ImageMagick's -coalesce; damaged and crafted
// files give a reason instead of a crash.
#include <gtest/gtest.h>

#include <array>

#include <wx/ffile.h>

#include "core/gif/gif_frame_reader.h"
#include "core/input/image_decode.h"
#include "support/temp_dir.h"
#include "support/test_images.h"
#include "support/gif_bytes_builder.h"
#include "support/gif_test_helpers.h"
#include "core/input/frame_reference.h"

using namespace giftest;

namespace {

const std::vector<uint8_t> kColours{0, 0, 0, 255, 0, 0, 0, 200, 0, 10, 20, 250};

wxString WriteBytes(const TempDir& dir, const wxString& name, const Bytes& bytes)
{
    const wxString path = dir.File(name);
    wxFFile f(path, "wb");
    f.Write(bytes.data(), bytes.size());
    return path;
}

std::vector<wxImage> AllFrames(const wxString& path)
{
    std::vector<wxImage> frames;
    GifFrameReader reader;
    wxString reason;
    EXPECT_TRUE(reader.Open(path, &reason)) << reason;
    for (unsigned i = 0; i < reader.Count(); ++i) {
        wxImage image;
        EXPECT_TRUE(reader.Frame(i, image)) << "frame " << i << ": " << reader.Error();
        frames.push_back(image);
    }
    return frames;
}

// RGBA of pixel i; an image without alpha is opaque.
void Rgba(const wxImage& image, size_t i, uint8_t out[4])
{
    std::memcpy(out, image.GetData() + 3 * i, 3);
    out[3] = image.HasAlpha() ? image.GetAlpha()[i] : 255;
}

// The RGB of the background index of a GIF's global table; black when it has none.
std::array<uint8_t, 3> BackgroundColour(const wxString& path)
{
    wxFFile f(path, "rb");
    uint8_t head[13 + 768] = {};
    f.Read(head, sizeof head);
    if (!(head[10] & 0x80))
        return {0, 0, 0};
    return {head[13 + 3 * head[11]], head[14 + 3 * head[11]], head[15 + 3 * head[11]]};
}

// Every frame matches ImageMagick's coalesced frame: opaque pixels have the same RGB. Where
// nothing is drawn we are transparent, as browsers are; ImageMagick is either transparent
// there too or, when the first image has no transparent index, shows the GIF's background
// colour. (What a transparent pixel's RGB holds is nobody's business.)
void ExpectSameAsCoalesce(const wxString& path, size_t expectedFrames)
{
    const std::array<uint8_t, 3> background = BackgroundColour(path);
    const std::string convert = ImageMagickConvert();
    if (convert.empty())
        GTEST_SKIP() << "ImageMagick is not installed";
    const std::vector<wxImage> ours = AllFrames(path);
    ASSERT_EQ(ours.size(), expectedFrames);
    std::string raw;
    int status = 0;
    ASSERT_TRUE(RunCommand(convert + " '" + path.ToStdString() + "' -coalesce -depth 8 rgba:- 2>/dev/null", raw, &status));
    ASSERT_EQ(status, 0);
    const size_t pixels = static_cast<size_t>(ours[0].GetWidth()) * ours[0].GetHeight();
    ASSERT_EQ(raw.size(), pixels * 4 * ours.size());
    for (size_t f = 0; f < ours.size(); ++f) {
        int wrong = 0;
        for (size_t i = 0; i < pixels && wrong < 3; ++i) {
            uint8_t mine[4];
            Rgba(ours[f], i, mine);
            const uint8_t* theirs = reinterpret_cast<const uint8_t*>(raw.data()) + (f * pixels + i) * 4;
            const bool same = mine[3] == 0
                                  ? theirs[3] == 0 || (theirs[3] == 255 && std::memcmp(theirs, background.data(), 3) == 0)
                                  : theirs[3] == 255 && std::memcmp(mine, theirs, 3) == 0;
            if (!same)
                ADD_FAILURE() << "frame " << f << " pixel " << i << ": ours " << int(mine[0]) << ","
                              << int(mine[1]) << "," << int(mine[2]) << "," << int(mine[3]) << " ImageMagick "
                              << int(theirs[0]) << "," << int(theirs[1]) << "," << int(theirs[2]) << ","
                              << int(theirs[3]) << (++wrong == 3 ? " (and maybe more)" : "");
        }
    }
}

// Six images over a 8 x 10 screen: a partial first image (the rest stays transparent), each
// disposal, a transparent index, an image reaching past the screen and an interlaced one.
Bytes EveryDisposalGif()
{
    HandImage first = Filled(0, 0, 8, 6, 1, 1);
    HandImage holed = Filled(1, 1, 3, 3, 2, 2);
    holed.transparent = 0;
    holed.indices[4] = 0;
    HandImage previous = Filled(2, 2, 4, 5, 3, 3);
    HandImage past = Filled(6, 8, 5, 4, 2, 0);
    HandImage interlaced = Filled(0, 0, 2, 10, 1, 1);
    interlaced.interlaced = true;
    for (int y = 0; y < 10; ++y)
        interlaced.indices[y * 2] = static_cast<uint8_t>(y % 4);
    return HandGif(8, 10, kColours, {first, holed, previous, past, interlaced, Filled(7, 0, 1, 1, 3, 0)});
}

TEST(GifFrameReader, HandBuiltDisposalsOffsetsAndTransparencyMatchCoalesce)
{
    TempDir dir;
    ExpectSameAsCoalesce(WriteBytes(dir, "hand.gif", EveryDisposalGif()), 6);
}

TEST(GifFrameReader, DisposalsRestoreWhatAViewerShows)
{
    TempDir dir;
    const std::vector<wxImage> f = AllFrames(WriteBytes(dir, "hand.gif", EveryDisposalGif()));
    ASSERT_EQ(f.size(), 6u);
    ASSERT_EQ(f[0].GetSize(), wxSize(8, 10));
    EXPECT_EQ(f[0].GetAlpha()[9 * 8], 0) << "nothing was drawn below the first image";
    EXPECT_EQ(f[1].GetGreen(2, 1), 200);
    EXPECT_EQ(f[1].GetRed(2, 2), 255) << "a transparent index shows the canvas";
    EXPECT_EQ(f[2].GetAlpha()[1 * 8 + 1], 0) << "background disposal clears to transparent";
    EXPECT_EQ(f[2].GetBlue(3, 3), 250);
    EXPECT_EQ(f[3].GetBlue(3, 3), 0) << "previous disposal restores the canvas";
    EXPECT_EQ(f[3].GetGreen(7, 9), 200) << "the image past the screen is clipped, not dropped";
    EXPECT_EQ(f[4].GetRed(0, 5), 255) << "interlaced rows land on their own rows";
    EXPECT_EQ(f[4].GetBlue(0, 7), 250);
}

TEST(GifFrameReader, EarlierFramesAfterLaterOnesAreTheSame)
{
    TempDir dir;
    const wxString path = WriteBytes(dir, "hand.gif", EveryDisposalGif());
    const std::vector<wxImage> forward = AllFrames(path);
    GifFrameReader reader;
    ASSERT_TRUE(reader.Open(path, nullptr));
    for (unsigned i = reader.Count(); i-- > 0;) {
        wxImage image;
        ASSERT_TRUE(reader.Frame(i, image));
        EXPECT_TRUE(SamePixels(image, forward[i])) << "frame " << i;
    }
}

// Frames made by ImageMagick: moving squares on a still background, so optimisers store
// only the changed rectangles, with transparency.
wxString MakeFrames(const TempDir& dir, const std::string& convert)
{
    std::string out;
    for (int i = 0; i < 4; ++i) {
        const std::string square = std::to_string(5 + 8 * i) + ",6 " + std::to_string(17 + 8 * i) + ",20";
        EXPECT_TRUE(RunCommand(convert + " -size 64x40 gradient:navy-orange -fill lime -draw 'rectangle " +
                                   square + "' '" + dir.File(wxString::Format("f%d.png", i)).ToStdString() + "'",
                               out));
    }
    return dir.File("f%d.png");
}

TEST(GifFrameReader, GifsicleOptimisedFramesMatchCoalesce)
{
    const std::string convert = ImageMagickConvert();
    if (convert.empty() || Gifsicle().empty())
        GTEST_SKIP() << "ImageMagick or gifsicle is not installed";
    TempDir dir;
    MakeFrames(dir, convert);
    const std::string plain = dir.File("plain.gif").ToStdString(), opt = dir.File("opt.gif").ToStdString();
    std::string out;
    ASSERT_TRUE(RunCommand(convert + " -delay 10 '" + dir.Path().ToStdString() + "'/f?.png '" + plain + "'", out));
    ASSERT_TRUE(RunCommand(Gifsicle() + " -O3 '" + plain + "' -o '" + opt + "'", out));
    ExpectSameAsCoalesce(opt, 4);
}

TEST(GifFrameReader, FfmpegFramesMatchCoalesce)
{
    const std::string convert = ImageMagickConvert();
    if (convert.empty() || access("/usr/bin/ffmpeg", X_OK) != 0)
        GTEST_SKIP() << "ImageMagick or ffmpeg is not installed";
    TempDir dir;
    const wxString pattern = MakeFrames(dir, convert);
    const std::string gif = dir.File("ff.gif").ToStdString();
    std::string out;
    int status = 0;
    ASSERT_TRUE(RunCommand("/usr/bin/ffmpeg -nostdin -loglevel error -framerate 5 -start_number 0 -i '" +
                               pattern.ToStdString() + "' '" + gif + "' 2>&1", out, &status));
    ASSERT_EQ(status, 0) << out;
    ExpectSameAsCoalesce(gif, 4);
}

TEST(GifFrameReader, CraftedCodeSizesGiveAReasonNotACrash)
{
    TempDir dir;
    for (int codeSize : {9, 12, 13, 15, 255}) {
        HandImage bad = Filled(0, 0, 4, 4, 1, 0);
        bad.codeSize = codeSize;
        GifFrameReader reader;
        wxString reason;
        EXPECT_FALSE(reader.Open(WriteBytes(dir, "bad.gif", HandGif(4, 4, kColours, {bad})), &reason))
            << "code size " << codeSize;
        EXPECT_FALSE(reason.empty()) << "code size " << codeSize;

        // After a good frame, the crafted one is where the file's frames end.
        std::vector<wxImage> frames;
        wxString damage;
        EXPECT_TRUE(DecodeImageFile(WriteBytes(dir, "late.gif", HandGif(4, 4, kColours, {Filled(0, 0, 4, 4, 2, 0), bad})),
                                    frames, &reason, &damage));
        EXPECT_EQ(frames.size(), 1u) << "code size " << codeSize;
        EXPECT_FALSE(damage.empty()) << "code size " << codeSize;
    }
}

TEST(GifFrameReader, DamageKeepsTheFramesBeforeItAndIsNamed)
{
    TempDir dir;
    const Bytes whole = EveryDisposalGif();
    // Cut inside the last image's data: five whole images remain.
    const Bytes cut(whole.begin(), whole.end() - 4);
    GifFrameReader reader;
    ASSERT_TRUE(reader.Open(WriteBytes(dir, "cut.gif", cut), nullptr));
    EXPECT_EQ(reader.Count(), 5u);
    EXPECT_FALSE(reader.Damage().empty());
    // Only the trailer missing: every frame is there, but the file is cut all the same.
    ASSERT_TRUE(reader.Open(WriteBytes(dir, "open.gif", Bytes(whole.begin(), whole.end() - 1)), nullptr));
    EXPECT_EQ(reader.Count(), 6u);
    EXPECT_FALSE(reader.Damage().empty());
    // What follows the trailer is never read.
    Bytes trailed = whole;
    trailed.insert(trailed.end(), {0x21, 0xF9, 0xFF, 'x', 0});
    ASSERT_TRUE(reader.Open(WriteBytes(dir, "trailed.gif", trailed), nullptr));
    EXPECT_EQ(reader.Count(), 6u);
    EXPECT_EQ(reader.Damage(), "");
    ASSERT_TRUE(reader.Open(WriteBytes(dir, "whole.gif", whole), nullptr));
    EXPECT_EQ(reader.Damage(), "");
    wxString reason;
    EXPECT_FALSE(reader.Open(WriteBytes(dir, "head.gif", Bytes(whole.begin(), whole.begin() + 30)), &reason));
    EXPECT_FALSE(reason.empty());
}

TEST(GifFrameReader, ScreenPastTheSideLimitIsRefused)
{
    TempDir dir;
    Bytes huge = HandGif(4, 4, kColours, {Filled(0, 0, 4, 4, 1, 0)});
    huge[6] = 0x00;
    huge[7] = 0x80;  // 32768 pixels wide
    GifFrameReader reader;
    wxString reason;
    EXPECT_FALSE(reader.Open(WriteBytes(dir, "huge.gif", huge), &reason));
    EXPECT_NE(reason.Find("16384"), wxNOT_FOUND) << reason;
}

TEST(GifFrameReader, DelaysAreReadPerFrame)
{
    TempDir dir;
    HandImage a = Filled(0, 0, 2, 2, 1, 0), b = Filled(0, 0, 2, 2, 2, 0);
    a.delay = 7;
    b.delay = 300;
    GifFrameReader reader;
    ASSERT_TRUE(reader.Open(WriteBytes(dir, "d.gif", HandGif(2, 2, kColours, {a, b})), nullptr));
    EXPECT_EQ(reader.Delay(0), 7);
    EXPECT_EQ(reader.Delay(1), 300);
    EXPECT_EQ(reader.Delay(2), 0);
}

TEST(GifFrameReader, UpperCaseGifNameGivesEveryFrame)
{
    TempDir dir;
    const wxString path = WriteBytes(dir, "ANIM.GIF", EveryDisposalGif());
    EXPECT_TRUE(IsGifPath(path));
    EXPECT_TRUE(IsGifPath("/p/a.Gif"));
    EXPECT_FALSE(IsGifPath("/p/a.gif.png"));
    std::vector<wxImage> frames;
    wxString reason;
    ASSERT_TRUE(DecodeImageFile(path, frames, &reason)) << reason;
    EXPECT_EQ(frames.size(), 6u);
}

TEST(GifFrameReader, GifContentUnderAnotherNameGivesItsComposedFirstFrame)
{
    TempDir dir;
    HandImage partial = Filled(2, 2, 2, 2, 1, 0);
    std::vector<wxImage> frames;
    wxString reason;
    ASSERT_TRUE(DecodeImageFile(WriteBytes(dir, "odd.png", HandGif(6, 5, kColours, {partial})), frames, &reason))
        << reason;
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].GetSize(), wxSize(6, 5)) << "the logical screen, not the image's rectangle";
    EXPECT_EQ(frames[0].GetRed(2, 2), 255);
}

TEST(GifFrameReader, GifContentWithAnyVersionBytesNeverReachesTheToolkitDecoder)
{
    // giflib and the toolkit both take any file that starts with "GIF" as one, whatever the
    // version bytes say; the toolkit's decoder must never see such a file either.
    TempDir dir;
    Bytes bytes = HandGif(6, 5, kColours, {Filled(2, 2, 2, 2, 1, 0)});
    bytes[3] = 0x86;
    std::vector<wxImage> frames;
    wxString reason;
    ASSERT_TRUE(DecodeImageFile(WriteBytes(dir, "odd.png", bytes), frames, &reason)) << reason;
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].GetSize(), wxSize(6, 5));
    EXPECT_EQ(frames[0].GetRed(2, 2), 255);
    // Composed by our reader: the pixels no image covers are transparent.
    ASSERT_TRUE(frames[0].HasAlpha());
    EXPECT_EQ(frames[0].GetAlpha(0, 0), 0);
}

} // namespace
