#include <gtest/gtest.h>

#include "core/record/capture_backend.h"
#include "core/record/capture_region.h"

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
