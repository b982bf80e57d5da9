// The animated PNG reader on files of other writers, compared with their own tools' decoding;
// our files decoded by those tools; and damaged files, each refused or cut short with a reason.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <unistd.h>

#include "apng_test_helpers.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"
#include "support/video_clips.h"

using namespace apngtest;

namespace {

bool HaveImageMagick()
{
    return access("/usr/bin/convert", X_OK) == 0;
}

bool Shell(const std::string& command)
{
    return std::system((command + " </dev/null >/dev/null 2>&1").c_str()) == 0;
}

Bytes Load(const wxString& path)
{
    const std::string bytes = FileBytes(path);
    return Bytes(bytes.begin(), bytes.end());
}

// The frames as one run of RGBA bytes, as the tools print them.
Bytes Joined(const std::vector<wxImage>& frames)
{
    Bytes all;
    for (const wxImage& frame : frames) {
        const Bytes rgba = Rgba(frame);
        all.insert(all.end(), rgba.begin(), rgba.end());
    }
    return all;
}

// How many bytes of a and b differ by more than tolerance; the sizes must be equal.
size_t Differing(const Bytes& a, const Bytes& b, int tolerance)
{
    if (a.size() != b.size())
        return std::max(a.size(), b.size());
    size_t count = 0;
    for (size_t i = 0; i < a.size(); ++i)
        count += std::abs(int(a[i]) - int(b[i])) > tolerance;
    return count;
}

TEST(ApngDecoder, AnimationsMadeByFfmpegDecodeAsFfmpegDecodesThem)
{
    if (!HaveFfmpeg())
        GTEST_SKIP() << "ffmpeg is not installed";
    const std::string clear = ",format=rgba,geq=r='r(X,Y)':g='g(X,Y)':b='b(X,Y)':"
                              "a='if(lt(X+N*4,40),0,if(lt(Y,20),128,255))'";
    const struct {
        const char* name;
        std::string source, options;
        unsigned frames;
        int delay, loops;
    } cases[] = {
        {"RGB, played twice", "testsrc=size=64x48:rate=5", "-plays 2", 6, 20, 2},
        {"RGBA with clear parts", "testsrc=size=33x17:rate=3" + clear, "-pix_fmt rgba -plays 0", 5, 33, 0},
        {"grey, every filter", "testsrc=size=20x9:rate=25,format=gray", "-pred mixed -plays 1", 4,
         4, 1},
    };
    TempDir dir;
    for (const auto& c : cases) {
        const wxString file = dir.File("made.png"), raw = dir.File("made.rgba");
        ASSERT_TRUE(Ffmpeg("-f lavfi -i \"" + c.source + "\" -frames " +
                           std::to_string(c.frames) + " " + c.options + " -f apng '" +
                           file.ToStdString() + "'"))
            << c.name;
        ASSERT_TRUE(Ffmpeg("-i '" + file.ToStdString() + "' -f rawvideo -pix_fmt rgba '" +
                           raw.ToStdString() + "'"))
            << c.name;
        ApngDecoder decoder;
        wxString reason;
        ASSERT_TRUE(decoder.Open(file, &reason)) << c.name << ": " << reason;
        EXPECT_EQ(decoder.Damage(), "") << c.name;
        ASSERT_EQ(decoder.Count(), c.frames) << c.name;
        EXPECT_EQ(decoder.LoopCount(), c.loops) << c.name;
        for (unsigned i = 0; i < c.frames; ++i)
            EXPECT_EQ(decoder.Delay(i), c.delay) << c.name << ", frame " << i;
        EXPECT_EQ(Differing(Joined(DecodeAll(decoder)), Load(raw), 0), 0u) << c.name;
    }
}

TEST(ApngDecoder, StillPngsOfEveryColourTypeAreOneFrameAsImageMagickReadsThem)
{
    if (!HaveImageMagick())
        GTEST_SKIP() << "ImageMagick is not installed";
    const std::string ramp = "-size 17x11 gradient:red-blue";
    const std::string alpha = " -alpha set -channel A -fx i/w +channel";
    const struct {
        const char* name;
        std::string arguments;
    } cases[] = {
        {"RGB", ramp + " PNG24:"},
        {"RGBA", ramp + alpha + " PNG32:"},
        {"16-bit RGB", ramp + " PNG48:"},
        {"16-bit RGBA", ramp + alpha + " PNG64:"},
        {"palette", ramp + alpha + " PNG8:"},
        {"palette with a clear colour",
         "-size 17x11 xc:none -fill red -draw 'rectangle 2,2 8,8' PNG8:"},
        {"1-bit grey", ramp + " -colorspace Gray -define png:bit-depth=1 "
                              "-define png:color-type=0 PNG:"},
        {"16-bit grey and alpha", ramp + " -colorspace Gray" + alpha +
                                      " -define png:color-type=4 PNG:"},
        {"interlaced", ramp + " -interlace PNG PNG24:"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        const std::string file = dir.File("still.png").ToStdString();
        const std::string raw = dir.File("still.rgba").ToStdString();
        ASSERT_TRUE(Shell("convert " + c.arguments + "'" + file + "'")) << c.name;
        ASSERT_TRUE(Shell("convert '" + file + "' -depth 8 'rgba:" + raw + "'")) << c.name;
        ApngDecoder decoder;
        wxString reason;
        ASSERT_TRUE(decoder.Open(file, &reason)) << c.name << ": " << reason;
        ASSERT_EQ(decoder.Count(), 1u) << c.name;
        EXPECT_EQ(decoder.Delay(0), 0) << c.name;
        // 16-bit samples may round to 8 bits one step apart.
        EXPECT_EQ(Differing(Joined(DecodeAll(decoder)), Load(raw), 1), 0u) << c.name;
    }
}

TEST(ApngDecoder, FfmpegReadsOurFilesFrameForFrame)
{
    if (!HaveFfmpeg())
        GTEST_SKIP() << "ffmpeg is not installed";
    TempDir dir;
    for (bool alpha : {false, true}) {
        std::vector<wxImage> frames;
        for (int n = 0; n < 7; ++n)
            frames.push_back(PatternFrame(37, 29, n * 4, alpha));
        frames[3] = frames[2].Copy();
        const Written written = EncodeApng(frames, {});
        ASSERT_EQ(written.error, "");
        const std::string file = dir.File("ours.png").ToStdString();
        const wxString raw = dir.File("ours.rgba");
        FILE* out = std::fopen(file.c_str(), "wb");
        ASSERT_TRUE(out);
        std::fwrite(written.bytes.data(), 1, written.bytes.size(), out);
        std::fclose(out);
        ASSERT_TRUE(Ffmpeg("-i '" + file + "' -f rawvideo -pix_fmt rgba '" + raw.ToStdString() +
                           "'"))
            << "alpha " << alpha;
        EXPECT_EQ(Differing(Load(raw), Joined(frames), 0), 0u) << "alpha " << alpha;
    }
}

// Our file of four 16 x 12 frames: IHDR, acTL, then fcTL and IDAT, and three times fcTL and
// fdAT, then IEND.
Bytes FourFrames()
{
    std::vector<wxImage> frames;
    for (int n = 0; n < 4; ++n)
        frames.push_back(PatternFrame(16, 12, n * 3, false));
    return EncodeApng(frames, {}).bytes;
}

// The file with chunk index changed by change.
Bytes Changed(size_t index, const std::function<void(Bytes&)>& change)
{
    std::vector<Chunk> chunks = Chunks(FourFrames());
    change(chunks[index].data);
    return Assemble(chunks);
}

// The offset of chunk index in file.
size_t Offset(const Bytes& file, size_t index)
{
    size_t at = 8;
    for (size_t i = 0; i < index; ++i)
        at += 12 + Big32(&file[at]);
    return at;
}

Bytes Cut(size_t bytes)
{
    Bytes file = FourFrames();
    file.resize(bytes);
    return file;
}

TEST(ApngDecoder, DamagedFilesAreRefusedOrCutShortWithAReason)
{
    const Bytes whole = FourFrames();
    const auto setBig32 = [](size_t at, uint32_t value) {
        return [at, value](Bytes& d) {
            for (int i = 0; i < 4; ++i)
                d[at + i] = uint8_t(value >> (24 - 8 * i));
        };
    };
    Bytes badCrc = whole;
    badCrc[29] ^= 1;
    const struct {
        const char* name;
        Bytes file;
        int frames;  // -1: refused
        const char* reason;
    } cases[] = {
        {"no PNG", Bytes{'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}, -1, "not a PNG"},
        {"cut in the header", Cut(20), -1, "cut off"},
        {"a header's checksum wrong", badCrc, -1, "checksum"},
        {"a canvas too wide", Changed(0, setBig32(0, 20000)), -1, "too large"},
        {"the first frame not the whole canvas", Changed(2, setBig32(4, 15)), -1,
         "outside the canvas"},
        {"cut in the third frame", Cut(Offset(whole, 7) + 20), 2, "cut off in chunk fdAT"},
        {"the third frame past the right edge", Changed(6, setBig32(12, 14)), 2,
         "frame 3 lies outside the canvas"},
        {"a frame's data out of order", Changed(7, setBig32(0, 9)), 2, "out of order"},
        {"no end chunk", Cut(whole.size() - 12), 3, "ends before its end chunk"},
        {"more frames announced", Changed(1, setBig32(0, 5)), 4, "4 of the 5 frames"},
        {"fewer frames announced", Changed(1, setBig32(0, 2)), 2, "more frames than the 2"},
    };
    for (const auto& c : cases) {
        ApngDecoder decoder;
        wxString reason;
        const bool opened = decoder.Open(c.file, &reason);
        EXPECT_EQ(opened, c.frames >= 0) << c.name;
        const wxString& told = opened ? decoder.Damage() : reason;
        EXPECT_TRUE(told.Contains(c.reason)) << c.name << ": " << told;
        if (opened) {
            EXPECT_EQ(decoder.Count(), unsigned(c.frames)) << c.name;
            EXPECT_EQ(DecodeAll(decoder).size(), size_t(c.frames)) << c.name;
        }
    }
}

TEST(ApngDecoder, AFrameWhosePixelsAreDamagedFailsFromThereOn)
{
    // The second frame's compressed data loses its end; its chunk's checksum stays right.
    std::vector<Chunk> chunks = Chunks(FourFrames());
    ASSERT_EQ(chunks[5].type, "fdAT");
    chunks[5].data.resize(chunks[5].data.size() - 6);
    ApngDecoder decoder;
    ASSERT_TRUE(decoder.Open(Assemble(chunks), nullptr));
    ASSERT_EQ(decoder.Count(), 4u);
    wxImage frame;
    EXPECT_TRUE(decoder.Frame(0, frame));
    EXPECT_FALSE(decoder.Frame(1, frame));
    EXPECT_TRUE(decoder.Error().StartsWith("frame 2 is damaged")) << decoder.Error();
    EXPECT_FALSE(decoder.Frame(3, frame));
    EXPECT_TRUE(decoder.Frame(0, frame));
}

} // namespace
