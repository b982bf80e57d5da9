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
    const std::vector<SmallPicture> merged = copies->For(3, true, 2);
    ASSERT_EQ(merged.size(), 3u);
    EXPECT_EQ(merged[0]->GetSize(), wxSize(50, 25));
    EXPECT_EQ(merged[0]->GetRed(3, 3), 10);
    EXPECT_EQ(merged[1]->GetRed(3, 3), 200);
    EXPECT_EQ(merged[2]->GetRed(3, 3), 10);
    EXPECT_EQ(copies->For(6, false, 2).size(), 6u) << "unmerged: one a grab";
    // Grabs that don't add up to the recording's pictures give none: the strip makes its own.
    EXPECT_TRUE(copies->For(4, true, 2).empty());
}

TEST(SmallCopySource, PicturesTakenTooSoonAfterTheOneBeforeAreLeftOutAsTheRecorderDoes)
{
    const auto small = [](int n) { return std::make_shared<const wxImage>(n, 1); };
    const SmallPicture a = small(1), b = small(2), c = small(3), d = small(4);
    SmallCopies copies;
    // b comes 10 ms after a (under two hundredths): the recorder keeps a, c and d.
    copies.Add(a, 1000000);
    copies.Add(b, 1010000);
    copies.Add(c, 1040000);
    copies.Add(c, 1080000);
    copies.Add(d, 1120000);
    EXPECT_EQ(copies.For(4, true, 2), (std::vector<SmallPicture>{a, b, c, d}));
    EXPECT_EQ(copies.For(3, true, 2), (std::vector<SmallPicture>{a, c, d}));
    EXPECT_TRUE(copies.For(2, true, 2).empty());
}
