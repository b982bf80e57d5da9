// The strip's small copies: the size that fits the box, and each pixel the average it covers.
#include <gtest/gtest.h>

#include <vector>

#include "core/picture/small_copy.h"
#include "support/test_images.h"

TEST(SmallCopy, FitsTheBoxNeverEnlargesAndAveragesWhatEachPixelCovers)
{
    EXPECT_EQ(SmallSize(1920, 1080, 128), wxSize(128, 72));
    EXPECT_EQ(SmallSize(480, 640, 128), wxSize(96, 128));
    EXPECT_EQ(SmallSize(50, 30, 128), wxSize(50, 30)) << "never enlarged";
    EXPECT_EQ(SmallSize(10000, 3, 128), wxSize(128, 0)) << "a sliver";

    // 5 x 2 down to 2 x 1: spans of 2 and 3 columns (bounds 0, 2, 5), both rows.
    const std::vector<uint8_t> grey = {0, 10, 20, 30, 40, 50, 60, 70, 80, 90};
    std::vector<uint8_t> rgb, alpha(grey);
    for (uint8_t g : grey)
        rgb.insert(rgb.end(), {g, uint8_t(255 - g), 7});
    std::vector<uint8_t> out(2 * 3), alphaOut(2);
    AverageDown(rgb.data(), alpha.data(), 5, 2, wxSize(2, 1), out.data(), alphaOut.data());
    // (0 + 10 + 50 + 60) / 4 = 30; (20 + 30 + 40 + 70 + 80 + 90) / 6 = 55.
    EXPECT_EQ(out, (std::vector<uint8_t>{30, 225, 7, 55, 200, 7}));
    EXPECT_EQ(alphaOut, (std::vector<uint8_t>{30, 55}));

    const wxImage small = SmallCopy(PhotoLikeImage(640, 480, 1), 128);
    EXPECT_EQ(small.GetSize(), wxSize(128, 96));
    EXPECT_FALSE(SmallCopy(wxImage(), 128).IsOk());
}
