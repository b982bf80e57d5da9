// The byte layout of the animated PNG's chunks, and the row filters' arithmetic.
#include <gtest/gtest.h>

#include "core/formats/png_chunks.h"
#include "core/formats/png_deflate.h"
#include "core/formats/png_filters.h"

namespace {

using Bytes = std::vector<uint8_t>;

template <typename A>
Bytes V(const A& a)
{
    return Bytes(a.begin(), a.end());
}

TEST(PngChunks, ChunksCarryLengthTypeDataAndTheirCrc)
{
    // IEND's CRC is the one every PNG file ends with.
    EXPECT_EQ(PngChunk("IEND", nullptr, 0),
              (Bytes{0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82}));
    const uint8_t seven[] = {7};
    const PngBytes chunk = PngChunk("abCD", seven, 1);
    EXPECT_EQ(Bytes(chunk.begin(), chunk.begin() + 9), (Bytes{0, 0, 0, 1, 'a', 'b', 'C', 'D', 7}));
    const uint32_t crc = PngChunkCrc("abCD", seven, 1);
    EXPECT_EQ(Bytes(chunk.begin() + 9, chunk.end()),
              (Bytes{uint8_t(crc >> 24), uint8_t(crc >> 16), uint8_t(crc >> 8), uint8_t(crc)}));
    const uint8_t data[] = {0xAA, 0xBB};
    const PngBytes fdat = FdatChunk(0x01020304, data, 2);
    EXPECT_EQ(Bytes(fdat.begin(), fdat.begin() + 14),
              (Bytes{0, 0, 0, 6, 'f', 'd', 'A', 'T', 1, 2, 3, 4, 0xAA, 0xBB}));
}

TEST(PngChunks, ControlFieldsAreBigEndianAndReadBackTheSame)
{
    PngHeader header;
    header.width = 0x01020304;
    header.height = 5;
    header.colourType = kPngRgba;
    EXPECT_EQ(V(IhdrData(header)), (Bytes{1, 2, 3, 4, 0, 0, 0, 5, 8, 6, 0, 0, 0}));
    EXPECT_EQ(V(ActlData(3, 0x10000)), (Bytes{0, 0, 0, 3, 0, 1, 0, 0}));

    ApngFrameControl control{0x100, 2, 3, 0x10002, 65535, 100, ApngDispose::Previous,
                             ApngBlend::Over};
    const auto fctl = FctlData(9, control);
    EXPECT_EQ(V(fctl), (Bytes{0, 0, 0, 9, 0, 0, 1, 0, 0, 0, 0, 2, 0, 0, 0, 3, 0, 1, 0, 2,
                              0xFF, 0xFF, 0, 100, 2, 1}));
    uint32_t sequence = 0;
    ApngFrameControl back;
    ASSERT_TRUE(ParseFctl(fctl.data(), sequence, back));
    EXPECT_EQ(sequence, 9u);
    EXPECT_EQ(V(FctlData(sequence, back)), V(fctl));
}

TEST(PngChunks, HeadersWithValuesPngDoesNotDefineAreRefused)
{
    const struct {
        uint8_t depth, type, interlace;
        uint32_t width;
        bool valid;
    } cases[] = {{8, kPngRgb, 0, 1, true},       {16, kPngRgba, 1, 1, true},
                 {1, kPngPalette, 0, 1, true},   {2, kPngGrey, 0, 1, true},
                 {16, kPngPalette, 0, 1, false}, {4, kPngRgb, 0, 1, false},
                 {8, 5, 0, 1, false},            {8, kPngRgb, 2, 1, false},
                 {8, kPngRgb, 0, 0, false},      {8, kPngRgb, 0, 0x80000000u, false}};
    for (const auto& c : cases) {
        PngHeader header;
        header.width = c.width;
        header.height = 1;
        header.bitDepth = c.depth;
        header.colourType = c.type;
        header.interlace = c.interlace;
        PngHeader back;
        EXPECT_EQ(ParseIhdr(IhdrData(header).data(), back), c.valid)
            << int(c.depth) << "/" << int(c.type) << "/" << int(c.interlace) << "/" << c.width;
    }
}

TEST(PngFilters, PaethPicksTheNearestNeighbourWithPngsTieOrder)
{
    const struct {
        uint8_t left, above, upperLeft, expected;
    } cases[] = {{10, 20, 10, 20}, {20, 10, 10, 20}, {10, 10, 10, 10},
                 {0, 255, 255, 0}, {100, 50, 80, 80}, {60, 40, 100, 40}};
    for (const auto& c : cases)
        EXPECT_EQ(PaethPredictor(c.left, c.above, c.upperLeft), c.expected)
            << int(c.left) << " " << int(c.above) << " " << int(c.upperLeft);
}

TEST(PngFilters, EachRowTakesTheFilterOfSmallestDifferences)
{
    const Bytes ramp = {10, 20, 30, 40, 50, 60};
    const Bytes noise = {200, 3, 90, 17, 250, 1};
    const struct {
        const char* name;
        Bytes row;
        const Bytes* above;
        int bpp;
        Bytes expected;
    } cases[] = {
        {"a ramp on the top row", ramp, nullptr, 1, {1, 10, 10, 10, 10, 10, 10}},
        {"a row like the one above", noise, &noise, 3, {2, 0, 0, 0, 0, 0, 0}},
        {"a ramp of pixels", ramp, nullptr, 3, {1, 10, 20, 30, 30, 30, 30}},
    };
    for (const auto& c : cases) {
        Bytes first(c.row.size() + 1), second(c.row.size() + 1);
        const uint8_t* out = FilterRowBest(c.row.data(), c.above ? c.above->data() : nullptr,
                                           c.row.size(), c.bpp, first.data(), second.data());
        EXPECT_EQ(Bytes(out, out + c.row.size() + 1), c.expected) << c.name;
    }
}

TEST(PngDeflate, EffortRunsFromTheFastestLevelToTheSmallest)
{
    const struct {
        int effort, level;
    } cases[] = {{-1, kPngDefaultLevel}, {0, 1}, {6, 1}, {7, 2}, {50, 5}, {100, 9}, {500, 9}};
    for (const auto& c : cases)
        EXPECT_EQ(PngZlibLevel(c.effort), c.level) << c.effort;
}

} // namespace
