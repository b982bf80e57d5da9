#include <gtest/gtest.h>

#include <vector>

#include "core/input/image_header.h"
#include "core/picture/picture_limit.h"

namespace {
ImageHeader Parse(const std::vector<unsigned char>& bytes)
{
    return ParseImageHeader(bytes.data(), bytes.size());
}

std::vector<unsigned char> Png(unsigned width, unsigned height)
{
    std::vector<unsigned char> b = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13,
                                    'I', 'H', 'D', 'R'};
    for (unsigned v : {width, height})
        for (int shift : {24, 16, 8, 0})
            b.push_back(static_cast<unsigned char>(v >> shift));
    b.resize(33);
    return b;
}

std::vector<unsigned char> Bmp(int width, int height, unsigned dib = 40)
{
    std::vector<unsigned char> b(54, 0);
    b[0] = 'B';
    b[1] = 'M';
    b[14] = static_cast<unsigned char>(dib);
    const auto put32 = [&](size_t at, int v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = static_cast<unsigned char>(static_cast<unsigned>(v) >> (8 * i));
    };
    put32(18, width);
    put32(22, height);
    return b;
}

// SOI, an APP0 segment of length, then a baseline frame header (SOF0) of the size.
std::vector<unsigned char> Jpeg(unsigned appLength, unsigned width, unsigned height,
                                unsigned char sof = 0xC0)
{
    std::vector<unsigned char> b = {0xFF, 0xD8, 0xFF, 0xE0,
                                    static_cast<unsigned char>(appLength >> 8),
                                    static_cast<unsigned char>(appLength)};
    b.resize(b.size() + appLength - 2, 0);
    const std::vector<unsigned char> frame = {0xFF, 0xFF, sof, 0, 17, 8,
                                              static_cast<unsigned char>(height >> 8),
                                              static_cast<unsigned char>(height),
                                              static_cast<unsigned char>(width >> 8),
                                              static_cast<unsigned char>(width)};
    b.insert(b.end(), frame.begin(), frame.end());
    return b;
}
}

TEST(ImageHeader, EachFormatGivesItsSizeFromItsHeader)
{
    EXPECT_EQ(Parse(Png(640, 480)).format, ImageFormat::Png);
    EXPECT_EQ(Parse(Png(640, 480)).size, wxSize(640, 480));
    EXPECT_EQ(Parse(Bmp(30, 20)).size, wxSize(30, 20));
    EXPECT_EQ(Parse(Bmp(30, -20)).size, wxSize(30, 20)) << "top-down rows";
    EXPECT_EQ(Parse({'G', 'I', 'F', '8', '9', 'a', 0x40, 0x01, 0xF0, 0x00, 0, 0, 0, 0, 0, 0, 0, 0,
                     0, 0, 0, 0, 0, 0, 0, 0})
                  .size,
              wxSize(320, 240));
    // A JPEG's frame header may come after large segments (EXIF, thumbnails).
    const ImageHeader jpeg = Parse(Jpeg(60000, 4000, 3000));
    EXPECT_EQ(jpeg.format, ImageFormat::Jpeg);
    EXPECT_EQ(jpeg.size, wxSize(4000, 3000));
    EXPECT_EQ(Parse(Jpeg(16, 7, 5, 0xC2)).size, wxSize(7, 5)) << "progressive";
}

TEST(ImageHeader, DamagedOrForeignHeadersGiveNoSize)
{
    EXPECT_EQ(Parse({}).format, ImageFormat::Unknown);
    EXPECT_EQ(Parse({'I', 'I', '*', 0}).format, ImageFormat::Unknown) << "TIFF is not read";
    EXPECT_EQ(Parse(Png(0, 10)).size, wxSize());
    EXPECT_EQ(Parse(Png(0x80000000u, 10)).size, wxSize()) << "no side beyond an int";
    EXPECT_EQ(Parse(Bmp(10, 10, 20)).size, wxSize()) << "no DIB header of that size";
    std::vector<unsigned char> cut = Jpeg(600, 10, 10);
    cut.resize(300);
    EXPECT_EQ(Parse(cut).size, wxSize()) << "the frame header is past the end";
    // A segment length of 0 would make the walk stand still.
    EXPECT_EQ(Parse({0xFF, 0xD8, 0xFF, 0xE1, 0, 0, 0xFF, 0xC0}).size, wxSize());
    EXPECT_EQ(Parse({0xFF, 0xD8, 0xFF, 0xDA, 0, 8}).size, wxSize()) << "scan data before a frame";
}

TEST(ImageHeader, TheLimitHoldsOnEitherSide)
{
    EXPECT_TRUE(WithinPictureLimit(wxSize(kMaxPictureSide, kMaxPictureSide)));
    EXPECT_FALSE(WithinPictureLimit(wxSize(kMaxPictureSide + 1, 1)));
    EXPECT_FALSE(WithinPictureLimit(wxSize(1, kMaxPictureSide + 1)));
    EXPECT_FALSE(WithinPictureLimit(wxSize(0, 10)));
}
