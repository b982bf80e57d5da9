#include <gtest/gtest.h>

#include "core/screen/capture_backend.h"
#include "core/screen/capture_region.h"
#include "core/screen/screen_pixels.h"

TEST(CaptureRegion, GeometryIsReadOnlyInItsOneForm)
{
    struct Case {
        const char* text;
        bool ok;
        CaptureRect rect;
    };
    const Case cases[] = {
        {"1280x720+0+0", true, {0, 0, 1280, 720}},
        {"10x20+30+40", true, {30, 40, 10, 20}},
        {"0x20+0+0", false, {}},         // a side of zero
        {"10x20", false, {}},            // no position
        {"10x20+-1+0", false, {}},       // a negative position
        {"10x20+1+2 ", false, {}},       // anything after it
        {"10X20+1+2", false, {}},
        {"99999999999x1+0+0", false, {}},  // past int
        {"", false, {}},
    };
    for (const Case& c : cases) {
        const std::optional<CaptureRect> rect = ParseGeometry(c.text);
        EXPECT_EQ(rect.has_value(), c.ok) << c.text;
        if (rect && c.ok) {
            EXPECT_EQ(*rect, c.rect) << c.text;
            EXPECT_EQ(FormatGeometry(*rect), c.text);
        }
    }
}

TEST(CaptureRegion, RegionMustLieWithinTheSource)
{
    EXPECT_EQ(FitRegion({0, 0, 1920, 1080}, 1920, 1080), RegionFit::Inside);
    EXPECT_EQ(FitRegion({1, 0, 1920, 1080}, 1920, 1080), RegionFit::Outside);
    EXPECT_EQ(FitRegion({0, 1000, 10, 81}, 1920, 1080), RegionFit::Outside);
    EXPECT_EQ(FitRegion({-1, 0, 10, 10}, 1920, 1080), RegionFit::Outside);
    EXPECT_EQ(FitRegion({2147483000, 0, 2000, 10}, 1920, 1080), RegionFit::Outside);
    EXPECT_EQ(FitRegion({5, 5, 0, 10}, 1920, 1080), RegionFit::Empty);
}

TEST(CaptureBackend, WaylandNeverRecordsThroughItsX11Layer)
{
    struct Case {
        SessionEnvironment environment;
        CaptureBackend backend;
    };
    const Case cases[] = {
        {{"wayland-0", "wayland", ":0"}, CaptureBackend::Portal},
        {{"wayland-1", "", ":1"}, CaptureBackend::Portal},
        {{"", "wayland", ":0"}, CaptureBackend::Portal},
        {{"", "x11", ":0"}, CaptureBackend::X11},
        {{"", "", ":5"}, CaptureBackend::X11},
        {{"", "tty", ""}, CaptureBackend::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseCaptureBackend(c.environment), c.backend) << c.environment.waylandDisplay
                                                                   << c.environment.display;
}

TEST(ScreenPixels, PointerIsBlendedAndClippedToThePicture)
{
    std::vector<uint8_t> rgb(4 * 2 * 3, 100);
    // A 2x2 pointer: opaque red, half-transparent white (premultiplied), clear, opaque blue.
    const uint32_t pointer[] = {0xffff0000, 0x80808080, 0x00000000, 0xff0000ff};
    DrawPointer(rgb.data(), 4, 2, pointer, 2, 2, 3, 0);  // its right column falls outside
    const uint8_t red[] = {255, 0, 0};
    EXPECT_TRUE(std::equal(red, red + 3, rgb.begin() + 3 * 3));
    EXPECT_EQ(rgb[(4 + 3) * 3], 100);  // the clear pixel
    EXPECT_EQ(rgb[0], 100);
    DrawPointer(rgb.data(), 4, 2, pointer, 2, 2, -1, -1);  // only its last pixel falls inside
    const uint8_t blue[] = {0, 0, 255};
    EXPECT_TRUE(std::equal(blue, blue + 3, rgb.begin()));
    DrawPointer(rgb.data(), 4, 2, pointer + 1, 1, 1, 1, 1);
    EXPECT_EQ(rgb[(4 + 1) * 3], 128 + (100 * 127 + 127) / 255);

    // Rows of 1 to 13 pixels (the shuffled groups of four and what is left), 2 rows apart
    // by a stride with padding; nothing written past the picture.
    for (int width = 1; width <= 13; ++width) {
        const size_t stride = width * 4 + 8;
        std::vector<uint8_t> bgrx(stride * 2);
        for (size_t i = 0; i < bgrx.size(); ++i)
            bgrx[i] = static_cast<uint8_t>(i * 7 + 1);
        std::vector<uint8_t> out(width * 2 * 3 + 16, 0xee);
        BgrxToRgb(bgrx.data(), stride, width, 2, out.data());
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < width; ++x)
                for (int c = 0; c < 3; ++c)
                    ASSERT_EQ(out[(y * width + x) * 3 + c], bgrx[y * stride + x * 4 + 2 - c])
                        << width << " " << x << " " << y;
        EXPECT_EQ(out[width * 2 * 3], 0xee) << width;
    }
}
