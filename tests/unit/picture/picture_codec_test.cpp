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
