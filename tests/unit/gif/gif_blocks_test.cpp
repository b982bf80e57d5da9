// The byte layout of each GIF block, table by table.
#include <gtest/gtest.h>

#include "core/gif/gif_blocks.h"

namespace {

std::vector<GifRgb> DistinctTable()
{
    std::vector<GifRgb> t(256);
    for (int i = 0; i < 256; ++i)
        t[i] = {static_cast<unsigned char>(i), 0, 0};
    return t;
}

template <typename A>
std::vector<uint8_t> V(const A& a)
{
    return std::vector<uint8_t>(a.begin(), a.end());
}

TEST(GifBlocks, ColourTableSizeFollowsTheSmallestPowerOfTwo)
{
    const struct {
        int count, bits;
    } cases[] = {{0, 1},  {1, 1},  {2, 1},  {3, 2},   {4, 2},   {5, 3},   {8, 3},   {9, 4},
                 {16, 4}, {17, 5}, {32, 5}, {33, 6},  {64, 6},  {65, 7},  {128, 7}, {129, 8},
                 {256, 8}};
    for (const auto& c : cases) {
        EXPECT_EQ(ColourTableBits(c.count), c.bits) << "count " << c.count;
        EXPECT_EQ(ColourTable(DistinctTable().data(), c.count).size(), 3u << c.bits) << c.count;
    }
}

TEST(GifBlocks, PackedBytesCarryTableSizeForEveryColourCount)
{
    const struct {
        int count;
        uint8_t screen, local;
    } cases[] = {{2, 0x80, 0x80}, {3, 0x91, 0x81}, {5, 0xA2, 0x82}, {256, 0xF7, 0x87}};
    for (const auto& c : cases) {
        EXPECT_EQ(LogicalScreenDescriptor(100, 50, c.count)[4], c.screen) << c.count;
        EXPECT_EQ(ImageDescriptor(100, 50, false, c.count)[9], c.local) << c.count;
        EXPECT_EQ(ImageDescriptor(100, 50, true, c.count)[9], 0x00) << c.count;
    }
}

TEST(GifBlocks, SixteenBitFieldsAreLittleEndian)
{
    EXPECT_EQ(V(LogicalScreenDescriptor(0x1234, 0xABCD, 256)),
              (std::vector<uint8_t>{0x34, 0x12, 0xCD, 0xAB, 0xF7, 0x00, 0x00}));
    EXPECT_EQ(V(ImageDescriptor(100, 50, false, 256)),
              (std::vector<uint8_t>{0x2C, 0, 0, 0, 0, 0x64, 0x00, 0x32, 0x00, 0x87}));
    EXPECT_EQ(V(ImageDescriptor(3, 2, false, 2, 0x0102, 0xFF03)),
              (std::vector<uint8_t>{0x2C, 0x02, 0x01, 0x03, 0xFF, 3, 0, 2, 0, 0x80}));
}

TEST(GifBlocks, DisposalSitsBesideTheTransparencyFlag)
{
    EXPECT_EQ(GraphicControlExtension(0, -1, 1)[3], 0x04);
    EXPECT_EQ(GraphicControlExtension(0, 5, 1)[3], 0x05);
    EXPECT_EQ(GraphicControlExtension(0, 5, 3)[3], 0x0D);
    EXPECT_EQ(GraphicControlExtension(0, 5, 9)[3], 0x1D);  // held at 7
    EXPECT_EQ(GraphicControlExtension(0, 5)[3], 0x01);     // unspecified unless asked
}

TEST(GifBlocks, DelayKeepsItsHighByteAndTruncatesMilliseconds)
{
    const struct {
        int ms;
        uint8_t low, high;
    } cases[] = {{7, 0x00, 0x00},          {100, 0x0A, 0x00},  {2560, 0x00, 0x01},
                 {655350, 0xFF, 0xFF},     {9999999, 0xFF, 0xFF}, {-50, 0x00, 0x00}};
    for (const auto& c : cases) {
        const auto gce = GraphicControlExtension(c.ms, -1);
        EXPECT_EQ(gce[4], c.low) << c.ms;
        EXPECT_EQ(gce[5], c.high) << c.ms;
    }
}

} // namespace
