// The byte layout of the chunks of a PNG file and of its animation (acTL, fcTL, fdAT), as pure
// functions on plain values. Every number is big-endian; a chunk is the length of its data,
// its four-letter type, the data and a CRC-32 of type and data.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

using PngBytes = std::vector<uint8_t>;

// The eight bytes every PNG file starts with.
constexpr std::array<uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

// The longest data a chunk may hold (2^31 - 1).
constexpr uint32_t kPngMaxChunkData = 0x7FFFFFFF;

// IHDR's colour types.
enum PngColourType : uint8_t {
    kPngGrey = 0,
    kPngRgb = 2,
    kPngPalette = 3,
    kPngGreyAlpha = 4,
    kPngRgba = 6,
};

// IHDR's fields; compression and filter method are always 0.
struct PngHeader {
    uint32_t width = 0;
    uint32_t height = 0;
    uint8_t bitDepth = 8;
    uint8_t colourType = kPngRgb;
    uint8_t interlace = 0;  // 0 none, 1 Adam7
};

// What happens to a frame's rectangle before the next frame is drawn.
enum class ApngDispose : uint8_t { None = 0, Background = 1, Previous = 2 };
// How a frame's pixels meet the canvas: replacing it, or composed over it by their alpha.
enum class ApngBlend : uint8_t { Source = 0, Over = 1 };

// fcTL's fields, the sequence number aside.
struct ApngFrameControl {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t x = 0;
    uint32_t y = 0;
    uint16_t delayNum = 0;  // the delay is delayNum / delayDen seconds; a 0 den means 100
    uint16_t delayDen = 100;
    ApngDispose dispose = ApngDispose::None;
    ApngBlend blend = ApngBlend::Source;
};

// The CRC-32 of a chunk of type (4 letters) holding data.
uint32_t PngChunkCrc(const char* type, const uint8_t* data, size_t size);

// The whole chunk: length, type, data, CRC. size must be at most kPngMaxChunkData.
PngBytes PngChunk(const char* type, const uint8_t* data, size_t size);

// IHDR's 13 bytes: width, height, bit depth, colour type, compression 0, filter 0, interlace.
std::array<uint8_t, 13> IhdrData(const PngHeader& header);

// acTL's 8 bytes: the number of frames, and how many times they play (0 forever).
std::array<uint8_t, 8> ActlData(uint32_t frames, uint32_t plays);

// fcTL's 26 bytes: sequence, width, height, x, y, delay num and den (2 bytes each), dispose,
// blend.
std::array<uint8_t, 26> FctlData(uint32_t sequence, const ApngFrameControl& control);

// An fdAT chunk: the sequence number, then compressed data (a piece of the frame's zlib stream,
// as an IDAT holds it). size must be at most kPngMaxChunkData - 4.
PngBytes FdatChunk(uint32_t sequence, const uint8_t* compressed, size_t size);

// The IHDR data of 13 bytes read back; false when a field has a value PNG doesn't define
// (a side of 0 or above 2^31 - 1, a bit depth the colour type can't have, a compression or
// filter method other than 0, an interlace method above 1).
bool ParseIhdr(const uint8_t* data, PngHeader& header);

// The fcTL data of 26 bytes read back, the sequence number in sequence. False when dispose or
// blend has a value APNG doesn't define.
bool ParseFctl(const uint8_t* data, uint32_t& sequence, ApngFrameControl& control);
