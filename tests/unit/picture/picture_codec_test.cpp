// Damaged or mismatched bytes are refused rather than decoded into wrong pixels.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/picture/picture_codec.h"
#include "support/test_images.h"

TEST(PictureCodec, RefusesBytesThatAreNotThePictureAsked)
{
    const size_t pixels = 64 * 48;
    const wxImage image = PhotoLikeImage(64, 48, 3);
    std::vector<uint8_t> alpha(pixels, 200);
    const std::vector<uint8_t> opaque = CompressPixels(image.GetData(), nullptr, pixels);
    const std::vector<uint8_t> withAlpha = CompressPixels(image.GetData(), alpha.data(), pixels);
    std::vector<uint8_t> rgb(pixels * 3 + 3), a(pixels + 1);

    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        size_t pixels;
        bool alpha;
    };
    std::vector<uint8_t> cut(opaque.begin(), opaque.end() - 1);
    std::vector<uint8_t> longer = opaque;
    longer.push_back(0);
    std::vector<uint8_t> garbage(opaque.size(), 0x5a);
    const Case cases[] = {{"one byte short", cut, pixels, false},
                          {"one byte more", longer, pixels, false},
                          {"garbage", garbage, pixels, false},
                          {"fewer pixels", opaque, pixels - 1, false},
                          {"more pixels", opaque, pixels + 1, false},
                          {"alpha asked of an opaque picture", opaque, pixels, true},
                          {"alpha left unread", withAlpha, pixels, false},
                          {"empty", {}, pixels, false}};
    for (const Case& c : cases)
        EXPECT_FALSE(DecompressPixels(c.bytes.data(), c.bytes.size(), c.pixels, rgb.data(),
                                      c.alpha ? a.data() : nullptr))
            << c.name;
    ASSERT_TRUE(DecompressPixels(withAlpha.data(), withAlpha.size(), pixels, rgb.data(), a.data()));
    EXPECT_EQ(0, std::memcmp(rgb.data(), image.GetData(), pixels * 3));
    EXPECT_EQ(std::vector<uint8_t>(a.begin(), a.begin() + pixels), alpha);
}

TEST(PictureCodec, PixelsThatHardlyCompressAreKeptAsTheyAreAndStillChecked)
{
    // 256 x 256: large enough for the compressibility test. Noise doesn't shrink; a flat
    // picture with alpha does, by far.
    const size_t pixels = 256 * 256;
    std::vector<uint8_t> noise(pixels * 3), flat(pixels * 3, 40), alpha(pixels, 255);
    uint32_t state = 12345;
    for (uint8_t& byte : noise) {
        state = state * 1103515245 + 12345;
        byte = static_cast<uint8_t>(state >> 24);
    }
    struct Case {
        const char* name;
        const std::vector<uint8_t>& rgb;
        const uint8_t* alpha;
        bool kept;
    };
    const Case cases[] = {{"noise", noise, nullptr, true},
                          {"noise with alpha", noise, alpha.data(), true},
                          {"flat with alpha", flat, alpha.data(), false}};
    for (const Case& c : cases) {
        const std::vector<uint8_t> bytes = CompressPixels(c.rgb.data(), c.alpha, pixels);
        if (c.kept)
            EXPECT_GE(bytes.size(), pixels * 3) << c.name;
        else
            EXPECT_LT(bytes.size(), pixels / 10) << c.name;
        std::vector<uint8_t> rgb(pixels * 3), a(pixels);
        ASSERT_TRUE(DecompressPixels(bytes.data(), bytes.size(), pixels, rgb.data(),
                                     c.alpha ? a.data() : nullptr))
            << c.name;
        EXPECT_EQ(rgb, c.rgb) << c.name;
        const std::vector<uint8_t> cut(bytes.begin(), bytes.end() - 1);
        EXPECT_FALSE(DecompressPixels(cut.data(), cut.size(), pixels, rgb.data(),
                                      c.alpha ? a.data() : nullptr))
            << c.name << ", cut short";
    }
}
