#include <gtest/gtest.h>

#include "core/screen/portal_choices.h"
#include "core/screen/stream_picture.h"

namespace {

// A picture of width x height whose pixel (x, y) has red x, green y and blue 7, in order,
// each row padded with pad bytes of 0xEE.
StreamPicture Picture(int width, int height, StreamPixelOrder order, int pad)
{
    StreamPicture picture;
    picture.width = width;
    picture.height = height;
    picture.stride = width * 4 + pad;
    picture.order = order;
    picture.bytes.assign(static_cast<size_t>(picture.stride) * height, 0xEE);
    const ChannelOffsets at = ChannelsOf(order);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = &picture.bytes[static_cast<size_t>(y) * picture.stride + 4 * x];
            pixel[0] = pixel[1] = pixel[2] = pixel[3] = 0xAA;
            pixel[at.red] = static_cast<uint8_t>(x);
            pixel[at.green] = static_cast<uint8_t>(y);
            pixel[at.blue] = 7;
        }
    return picture;
}

} // namespace

TEST(StreamPicture, EachOrderPutsItsChannelsWhereTheFormatSays)
{
    // The bytes of pure red (255, 0, 0) in memory, as each format lays it out.
    struct Case {
        StreamPixelOrder order;
        uint8_t bytes[4];
    };
    const Case cases[] = {
        {StreamPixelOrder::BGRx, {0, 0, 255, 9}}, {StreamPixelOrder::BGRA, {0, 0, 255, 9}},
        {StreamPixelOrder::RGBx, {255, 0, 0, 9}}, {StreamPixelOrder::RGBA, {255, 0, 0, 9}},
        {StreamPixelOrder::xRGB, {9, 255, 0, 0}}, {StreamPixelOrder::xBGR, {9, 0, 0, 255}},
    };
    for (const Case& c : cases) {
        StreamPicture picture;
        picture.width = picture.height = 1;
        picture.stride = 4;
        picture.order = c.order;
        picture.bytes.assign(c.bytes, c.bytes + 4);
        std::vector<uint8_t> rgb;
        ASSERT_TRUE(CutToRgb(picture, {0, 0, 1, 1}, rgb));
        EXPECT_EQ(rgb, (std::vector<uint8_t>{255, 0, 0})) << static_cast<int>(c.order);
    }
}

TEST(StreamPicture, RegionIsCutAcrossPaddedRowsAndRefusedOutside)
{
    struct Case {
        CaptureRect region;
        bool ok;
    };
    const Case cases[] = {
        {{0, 0, 10, 6}, true},   // the whole picture
        {{3, 2, 4, 3}, true},    // inside, off the corner
        {{9, 5, 1, 1}, true},    // the last pixel
        {{7, 0, 4, 1}, false},   // past the right edge, into the padding
        {{0, 4, 1, 3}, false},   // past the bottom
        {{0, 0, 0, 3}, false},
    };
    const StreamPicture picture = Picture(10, 6, StreamPixelOrder::xBGR, 12);
    for (const Case& c : cases) {
        std::vector<uint8_t> rgb{1, 2, 3};
        ASSERT_EQ(CutToRgb(picture, c.region, rgb), c.ok) << FormatGeometry(c.region);
        if (!c.ok) {
            EXPECT_EQ(rgb, (std::vector<uint8_t>{1, 2, 3}));
            continue;
        }
        ASSERT_EQ(rgb.size(), size_t{3} * c.region.width * c.region.height);
        for (int y = 0; y < c.region.height; ++y)
            for (int x = 0; x < c.region.width; ++x) {
                const uint8_t* pixel = &rgb[3 * (static_cast<size_t>(y) * c.region.width + x)];
                EXPECT_EQ(pixel[0], c.region.x + x);
                EXPECT_EQ(pixel[1], c.region.y + y);
                EXPECT_EQ(pixel[2], 7);
            }
    }
}

TEST(StreamPicture, BuffersFromTheCompositorAreCheckedBeforeReading)
{
    struct Case {
        size_t size;
        int stride, width, height;
        bool ok;
    };
    const Case cases[] = {
        {40 * 3, 40, 10, 3, true},
        {40 * 2 + 40, 40, 10, 3, true},        // the last row needs no padding
        {48 * 2 + 40, 48, 10, 3, true},
        {48 * 2 + 39, 48, 10, 3, false},       // one byte short
        {400, 36, 10, 3, false},               // a row shorter than its pixels
        {400, -40, 10, 3, false},
        {400, 40, 0, 3, false},
        {size_t{1} << 40, 0x7fffffff, 0x7fffffff, 0x7fffffff, false},  // no overflow to small
    };
    for (const Case& c : cases)
        EXPECT_EQ(BufferHoldsPicture(c.size, c.stride, c.width, c.height), c.ok)
            << c.size << " " << c.stride << " " << c.width << "x" << c.height;

    StreamPicture shortPicture = Picture(4, 4, StreamPixelOrder::BGRx, 0);
    shortPicture.bytes.resize(shortPicture.bytes.size() - 1);
    std::vector<uint8_t> rgb;
    EXPECT_FALSE(CutToRgb(shortPicture, {0, 0, 1, 1}, rgb));
}

TEST(PortalChoices, RequestFitsWhatThePortalOffers)
{
    EXPECT_EQ(ChoosePortalSources(1), kPortalSourceMonitor);
    EXPECT_EQ(ChoosePortalSources(7), kPortalSourceMonitor | kPortalSourceWindow);
    EXPECT_EQ(ChoosePortalSources(4), 0u);  // virtual screens only

    struct Case {
        uint32_t available;
        bool pointer;
        uint32_t mode;
    };
    const Case cases[] = {
        {3, true, kPortalCursorEmbedded}, {3, false, kPortalCursorHidden},
        {1, true, kPortalCursorHidden},   {2, false, kPortalCursorEmbedded},
        {0, true, kPortalCursorEmbedded}, {0, false, kPortalCursorHidden},
        {7, true, kPortalCursorEmbedded},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChoosePortalCursor(c.available, c.pointer), c.mode)
            << c.available << " " << c.pointer;
}
