#include <gtest/gtest.h>

#include "core/record/small_copy_source.h"

namespace {
// A screen of one colour that changes when the test says so.
class PlainScreen : public ScreenSource {
public:
    int Width() const override { return 400; }
    int Height() const override { return 200; }
    bool Grab(const CaptureRect& region, bool, std::vector<uint8_t>& rgb, std::string&) override
    {
        rgb.assign(static_cast<size_t>(region.width) * region.height * 3, 0);
        for (size_t i = 0; i < rgb.size(); i += 3)
            rgb[i] = red;
        return true;
    }
    uint8_t red = 10;
};
} // namespace

TEST(SmallCopySource, EachNewPictureGetsASmallCopyAndEqualGrabsShareIt)
{
    auto screen = std::make_unique<PlainScreen>();
    PlainScreen& plain = *screen;
    auto copies = std::make_shared<SmallCopies>();
    SmallCopySource source(std::move(screen), 50, copies);
    std::vector<uint8_t> rgb;
    std::string error;
    for (uint8_t red : {10, 10, 200, 200, 200, 10}) {
        plain.red = red;
        ASSERT_TRUE(source.Grab({0, 0, 400, 200}, false, rgb, error));
    }
    const std::vector<SmallPicture> merged = copies->For(3, true);
    ASSERT_EQ(merged.size(), 3u);
    EXPECT_EQ(merged[0]->GetSize(), wxSize(50, 25));
    EXPECT_EQ(merged[0]->GetRed(3, 3), 10);
    EXPECT_EQ(merged[1]->GetRed(3, 3), 200);
    EXPECT_EQ(merged[2]->GetRed(3, 3), 10);
    EXPECT_EQ(copies->For(6, false).size(), 6u) << "unmerged: one a grab";
    // Grabs that don't add up to the recording's pictures give none: the strip makes its own.
    EXPECT_TRUE(copies->For(4, true).empty());
    EXPECT_TRUE(copies->For(5, false).empty());
}
