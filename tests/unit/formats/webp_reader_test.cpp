// Reading animated WebP files: every frame composited with its delay and the loop count, from
// our own files and another writer's, and damaged or oversized files refused before decoding.
#include <gtest/gtest.h>

#include <cstring>

#include <wx/mstream.h>

#include "core/formats/webp_encoder.h"
#include "core/formats/webp_reader.h"
#include "support/test_images.h"

namespace {

// Made by img2webp -loop 2 -lossless -d 70 red.png -d 10 blue-on-clear.png: 24 x 16, a red
// frame disposed to the background, then a blue 9 x 7 rectangle at 4, 4 replacing its place
// unblended, and no alpha flag in the header.
const uint8_t kOtherWriters[] = {
  0x52, 0x49, 0x46, 0x46, 0x84, 0x00, 0x00, 0x00, 0x57, 0x45, 0x42, 0x50,
  0x56, 0x50, 0x38, 0x58, 0x0a, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,
  0x17, 0x00, 0x00, 0x0f, 0x00, 0x00, 0x41, 0x4e, 0x49, 0x4d, 0x06, 0x00,
  0x00, 0x00, 0xff, 0xff, 0xff, 0xff, 0x02, 0x00, 0x41, 0x4e, 0x4d, 0x46,
  0x28, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x17, 0x00,
  0x00, 0x0f, 0x00, 0x00, 0x46, 0x00, 0x00, 0x03, 0x56, 0x50, 0x38, 0x4c,
  0x0f, 0x00, 0x00, 0x00, 0x2f, 0x17, 0xc0, 0x03, 0x00, 0x07, 0x10, 0xfd,
  0x8f, 0xfe, 0x07, 0x22, 0xa2, 0xff, 0x01, 0x00, 0x41, 0x4e, 0x4d, 0x46,
  0x28, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x02, 0x00, 0x00, 0x08, 0x00,
  0x00, 0x06, 0x00, 0x00, 0x0a, 0x00, 0x00, 0x00, 0x56, 0x50, 0x38, 0x4c,
  0x0f, 0x00, 0x00, 0x00, 0x2f, 0x08, 0x80, 0x01, 0x00, 0x07, 0x10, 0xd1,
  0xff, 0xfe, 0x07, 0x22, 0xa2, 0xff, 0x01, 0x00
};

std::vector<uint8_t> Bytes(const uint8_t* data, size_t size)
{
    return std::vector<uint8_t>(data, data + size);
}

} // namespace

TEST(WebPReader, ReadsBackOurOwnLosslessFileExactly)
{
    const int w = 19, h = 11;
    std::vector<wxImage> frames;
    for (int i = 0; i < 3; ++i) {
        wxImage frame = PhotoLikeImage(w, h, i + 7);
        frame.InitAlpha();
        for (int p = 0; p < w * h; ++p)
            frame.GetAlpha()[p] = p % 5 == 0 ? 0 : 255;
        for (int p = 0; p < w * h; ++p)
            if (frame.GetAlpha()[p] == 0)
                frame.GetData()[p * 3] = frame.GetData()[p * 3 + 1] = frame.GetData()[p * 3 + 2] = 0;
        frames.push_back(frame);
    }
    const int delays[] = {3, 0, 125};
    wxMemoryOutputStream out;
    WebPEncoder encoder;
    AnimationEncoding encoding;
    encoding.width = w;
    encoding.height = h;
    encoding.frameCount = 3;
    encoding.loopCount = 7;
    encoding.lossless = true;
    std::string error;
    ASSERT_TRUE(encoder.Begin(out, encoding, error)) << error;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(encoder.Add(frames[i], delays[i], error)) << error;
    ASSERT_TRUE(encoder.Finish(error)) << error;
    std::vector<uint8_t> bytes(out.GetSize());
    out.CopyTo(bytes.data(), bytes.size());

    WebPAnimation animation;
    ASSERT_TRUE(ReadWebPAnimation(bytes.data(), bytes.size(), 0, animation, error)) << error;
    EXPECT_EQ(animation.loopCount, 7);
    EXPECT_EQ(animation.delays, (std::vector<int>{3, 0, 125}));
    ASSERT_EQ(animation.frames.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const wxImage& got = animation.frames[i];
        ASSERT_TRUE(got.HasAlpha());
        EXPECT_EQ(0, std::memcmp(got.GetAlpha(), frames[i].GetAlpha(), w * h)) << i;
        for (int p = 0; p < w * h; ++p)
            if (got.GetAlpha()[p] != 0) {
                ASSERT_EQ(0, std::memcmp(got.GetData() + p * 3, frames[i].GetData() + p * 3, 3))
                    << "frame " << i << " pixel " << p;
            }
    }
}

TEST(WebPReader, ComposesAnotherWritersFrames)
{
    WebPAnimation animation;
    std::string error;
    ASSERT_TRUE(ReadWebPAnimation(kOtherWriters, sizeof kOtherWriters, 0, animation, error)) << error;
    EXPECT_EQ(animation.width, 24);
    EXPECT_EQ(animation.height, 16);
    EXPECT_EQ(animation.loopCount, 2);
    EXPECT_EQ(animation.delays, (std::vector<int>{7, 1}));
    ASSERT_EQ(animation.frames.size(), 2u);
    EXPECT_FALSE(animation.frames[0].HasAlpha());
    EXPECT_TRUE(SamePixels(animation.frames[0], SolidImage(24, 16, 255, 0, 0)));
    const wxImage& second = animation.frames[1];
    ASSERT_TRUE(second.HasAlpha());
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x) {
            const bool inside = x >= 4 && x < 13 && y >= 4 && y < 11;
            ASSERT_EQ(second.GetAlpha(x, y), inside ? 255 : 0) << x << "," << y;
            if (inside) {
                ASSERT_EQ(second.GetBlue(x, y), 255) << x << "," << y;
            }
        }
}

TEST(WebPReader, RefusesWhatIsNoWholeWebPOrTooLarge)
{
    std::vector<uint8_t> cut = Bytes(kOtherWriters, sizeof kOtherWriters - 20);
    std::vector<uint8_t> garbled = Bytes(kOtherWriters, sizeof kOtherWriters);
    for (size_t i = 80; i < garbled.size(); ++i)
        garbled[i] ^= 0x5a;
    // The header's canvas made 20000 x 16: beyond the picture limit.
    std::vector<uint8_t> huge = Bytes(kOtherWriters, sizeof kOtherWriters);
    huge[24] = (20000 - 1) & 0xff;
    huge[25] = (20000 - 1) >> 8;
    const std::vector<uint8_t> notWebP{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'};
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        uint64_t available;
        const char* error;
    } cases[] = {
        {"empty", {}, 0, "not a WebP file"},
        {"another RIFF file", notWebP, 0, "not a WebP file"},
        {"cut short", cut, 0, "damaged or cut short"},
        {"garbled frames", garbled, 0, "damaged or cut short"},
        {"beyond the picture limit", huge, 0, "16384"},
        {"beyond the memory", Bytes(kOtherWriters, sizeof kOtherWriters), 24 * 16 * 4 * 3,
         "more memory than is free"},
    };
    for (const auto& c : cases) {
        WebPAnimation animation;
        std::string error;
        EXPECT_FALSE(ReadWebPAnimation(c.bytes.data(), c.bytes.size(), c.available, animation,
                                       error))
            << c.what;
        EXPECT_NE(error.find(c.error), std::string::npos) << c.what << ": " << error;
        EXPECT_TRUE(animation.frames.empty()) << c.what;
    }
}
