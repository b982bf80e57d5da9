// The animated PNG writer read back by our reader: every pixel, delay and loop count exact;
// later frames hold only what changed; and what the writer refuses.
#include <gtest/gtest.h>

#include <random>

#include <wx/mstream.h>

#include "core/formats/apng_layout.h"
#include "apng_test_helpers.h"

using namespace apngtest;

namespace {

ApngLayout LayoutOf(const Bytes& file)
{
    ApngLayout layout;
    const ByteReader read = [&file](uint64_t offset, unsigned char* out, size_t count) {
        if (offset + count > file.size())
            return false;
        std::copy(file.begin() + offset, file.begin() + offset + count, out);
        return true;
    };
    wxString reason;
    EXPECT_TRUE(ReadApngLayout(read, file.size(), layout, &reason)) << reason;
    return layout;
}

wxImage Noise(int w, int h)
{
    std::mt19937 random(7);
    wxImage image(w, h, false);
    for (size_t i = 0; i < size_t(w) * h * 3; ++i)
        image.GetData()[i] = static_cast<unsigned char>(random());
    return image;
}

TEST(ApngEncoder, FramesComeBackExactlyWithTheirDelaysAndLoopCount)
{
    const struct {
        const char* name;
        int width, height, frames;
        bool alpha;
        int loops;
    } cases[] = {{"one pixel", 1, 1, 3, false, 1},     {"one clear pixel", 1, 1, 3, true, 0},
                 {"3 x 5 opaque", 3, 5, 4, false, 3}, {"3 x 5 with alpha", 3, 5, 4, true, 2},
                 {"a moving square", 64, 48, 6, false, 0},
                 {"a moving square on clear", 64, 48, 6, true, 65535}};
    const std::vector<int> delays = {0, 1, 7, 65535, 250, 3};
    for (const auto& c : cases) {
        std::vector<wxImage> frames;
        for (int n = 0; n < c.frames; ++n)
            frames.push_back(PatternFrame(c.width, c.height, n, c.alpha));
        frames[1] = frames[0].Copy();  // a repeated frame
        const Written written = EncodeApng(frames, delays, c.loops);
        ASSERT_EQ(written.error, "") << c.name;

        ApngDecoder decoder;
        wxString reason;
        ASSERT_TRUE(decoder.Open(written.bytes, &reason)) << c.name << ": " << reason;
        EXPECT_EQ(decoder.Damage(), "") << c.name;
        ASSERT_EQ(decoder.Count(), unsigned(c.frames)) << c.name;
        EXPECT_EQ(decoder.CanvasSize(), wxSize(c.width, c.height)) << c.name;
        EXPECT_EQ(decoder.LoopCount(), c.loops) << c.name;
        const std::vector<wxImage> back = DecodeAll(decoder);
        for (int n = 0; n < c.frames; ++n) {
            EXPECT_EQ(Rgba(back[n]), Rgba(frames[n])) << c.name << ", frame " << n;
            EXPECT_EQ(decoder.Delay(n), delays[n]) << c.name << ", frame " << n;
        }
        // Asked for again out of order, a frame is composed again from the first.
        wxImage again;
        ASSERT_TRUE(decoder.Frame(c.frames - 2, again)) << c.name;
        EXPECT_EQ(Rgba(again), Rgba(frames[c.frames - 2])) << c.name;
    }
}

TEST(ApngEncoder, LaterFramesHoldOnlyTheChangedRectangleDrawnTheCheapestWay)
{
    for (bool alpha : {false, true}) {
        std::vector<wxImage> frames;
        for (int n = 0; n < 4; ++n)
            frames.push_back(PatternFrame(64, 48, n * 10, alpha));
        frames.push_back(frames.back().Copy());
        const ApngLayout layout = LayoutOf(EncodeApng(frames, {}).bytes);
        ASSERT_EQ(layout.frames.size(), 5u);
        EXPECT_EQ(layout.header.colourType, alpha ? kPngRgba : kPngRgb);
        const ApngFrameControl& first = layout.frames[0].control;
        EXPECT_EQ(first.width * first.height, 64u * 48u);
        bool over = false;
        for (size_t n = 1; n < 4; ++n) {
            const ApngFrameControl& c = layout.frames[n].control;
            // The old square's place and the new one's: 13 x 13 from (n - 1) * 10.
            EXPECT_EQ(c.x, (n - 1) * 10) << n;
            EXPECT_EQ(c.width, 13u) << n;
            EXPECT_EQ(c.height, 13u) << n;
            EXPECT_EQ(c.dispose, ApngDispose::None);
            over = over || c.blend == ApngBlend::Over;
        }
        // Only RGBA can leave its still pixels clear to be drawn over.
        EXPECT_EQ(over, alpha);
        const ApngFrameControl& repeat = layout.frames[4].control;
        EXPECT_EQ(repeat.width * repeat.height, 1u) << "a repeated frame";
    }
}

TEST(ApngEncoder, DataLongerThanAChunkIsSplitAcrossChunksInSequence)
{
    const wxImage noise = Noise(700, 700);
    const std::vector<wxImage> frames = {noise, Noise(700, 700).Mirror()};
    const Written written = EncodeApng(frames, {5, 6});
    ASSERT_EQ(written.error, "");
    int idat = 0, fdat = 0;
    for (const Chunk& c : Chunks(written.bytes)) {
        idat += c.type == "IDAT";
        fdat += c.type == "fdAT";
    }
    EXPECT_GE(idat, 2);
    EXPECT_GE(fdat, 2);
    ApngDecoder decoder;
    ASSERT_TRUE(decoder.Open(written.bytes, nullptr));
    const std::vector<wxImage> back = DecodeAll(decoder);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(Rgba(back[0]), Rgba(frames[0]));
    EXPECT_EQ(Rgba(back[1]), Rgba(frames[1]));
}

// A stream that takes limit bytes and then fails.
class FullStream : public wxOutputStream {
public:
    explicit FullStream(size_t limit) : m_left(limit) {}

protected:
    size_t OnSysWrite(const void*, size_t size) override
    {
        if (size > m_left) {
            m_lasterror = wxSTREAM_WRITE_ERROR;
            return 0;
        }
        m_left -= size;
        return size;
    }

private:
    size_t m_left;
};

TEST(ApngEncoder, RefusesWhatWouldMakeAWrongFileAndSaysWhy)
{
    const wxImage opaque = PatternFrame(8, 6, 0, false);
    const wxImage clear = PatternFrame(8, 6, 1, true);
    const struct {
        const char* name;
        std::vector<wxImage> frames;
        int announced;
        int delay;
        size_t room;
        const char* error;
    } cases[] = {
        {"a frame of another size", {opaque, PatternFrame(6, 8, 0, false)}, 2, 5, 1 << 20,
         "not of the animation's size"},
        {"more frames than announced", {opaque, opaque}, 1, 5, 1 << 20, "More frames"},
        {"fewer frames than announced", {opaque}, 2, 5, 1 << 20, "Only 1 of"},
        {"a delay past 16 bits", {opaque}, 1, 65536, 1 << 20, "not within 0 to 65535"},
        {"clear pixels after an opaque start", {opaque, clear}, 2, 5, 1 << 20, "clear pixels"},
        {"a full disk", {opaque, opaque}, 2, 5, 100, "could not be written"},
    };
    for (const auto& c : cases) {
        FullStream out(c.room);
        AnimationEncoding encoding;
        encoding.width = 8;
        encoding.height = 6;
        encoding.frameCount = c.announced;
        ApngEncoder encoder;
        std::string error;
        bool ok = encoder.Begin(out, encoding, error);
        for (const wxImage& frame : c.frames)
            ok = ok && encoder.Add(frame, c.delay, error);
        ok = ok && encoder.Finish(error);
        EXPECT_FALSE(ok) << c.name;
        EXPECT_NE(error.find(c.error), std::string::npos) << c.name << ": " << error;
    }
    wxMemoryOutputStream out;
    AnimationEncoding tooWide;
    tooWide.width = 16385;
    tooWide.height = 1;
    tooWide.frameCount = 1;
    std::string error;
    EXPECT_FALSE(ApngEncoder().Begin(out, tooWide, error));
    EXPECT_EQ(out.GetLength(), 0);
}

} // namespace
