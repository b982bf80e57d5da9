#include "core/formats/png_chunks.h"

#include <cstring>

#include <zlib.h>

#include "core/base/byte_order.h"

namespace {

void PutBig32(uint8_t* p, uint32_t value)
{
    p[0] = static_cast<uint8_t>(value >> 24);
    p[1] = static_cast<uint8_t>(value >> 16);
    p[2] = static_cast<uint8_t>(value >> 8);
    p[3] = static_cast<uint8_t>(value);
}

void PutBig16(uint8_t* p, uint16_t value)
{
    p[0] = static_cast<uint8_t>(value >> 8);
    p[1] = static_cast<uint8_t>(value);
}

bool DepthFitsType(uint8_t depth, uint8_t type)
{
    switch (type) {
    case kPngGrey:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case kPngPalette:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case kPngRgb:
    case kPngGreyAlpha:
    case kPngRgba:
        return depth == 8 || depth == 16;
    default:
        return false;
    }
}

} // namespace

uint32_t PngChunkCrc(const char* type, const uint8_t* data, size_t size)
{
    const uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(type), 4);
    // zlib's length is 32 bits wide; a chunk's data never is longer. (Its CRC of a null
    // buffer is the initial value, not the CRC so far.)
    return static_cast<uint32_t>(size == 0 ? crc : crc32(crc, data, static_cast<uInt>(size)));
}

PngBytes PngChunk(const char* type, const uint8_t* data, size_t size)
{
    PngBytes chunk(size + 12);
    PutBig32(chunk.data(), static_cast<uint32_t>(size));
    std::memcpy(chunk.data() + 4, type, 4);
    if (size > 0)
        std::memcpy(chunk.data() + 8, data, size);
    PutBig32(chunk.data() + 8 + size, PngChunkCrc(type, data, size));
    return chunk;
}

std::array<uint8_t, 13> IhdrData(const PngHeader& header)
{
    std::array<uint8_t, 13> data{};
    PutBig32(&data[0], header.width);
    PutBig32(&data[4], header.height);
    data[8] = header.bitDepth;
    data[9] = header.colourType;
    data[10] = 0;  // deflate
    data[11] = 0;  // adaptive filtering, a filter type byte before each row
    data[12] = header.interlace;
    return data;
}

std::array<uint8_t, 8> ActlData(uint32_t frames, uint32_t plays)
{
    std::array<uint8_t, 8> data{};
    PutBig32(&data[0], frames);
    PutBig32(&data[4], plays);
    return data;
}

std::array<uint8_t, 26> FctlData(uint32_t sequence, const ApngFrameControl& control)
{
    std::array<uint8_t, 26> data{};
    PutBig32(&data[0], sequence);
    PutBig32(&data[4], control.width);
    PutBig32(&data[8], control.height);
    PutBig32(&data[12], control.x);
    PutBig32(&data[16], control.y);
    PutBig16(&data[20], control.delayNum);
    PutBig16(&data[22], control.delayDen);
    data[24] = static_cast<uint8_t>(control.dispose);
    data[25] = static_cast<uint8_t>(control.blend);
    return data;
}

PngBytes FdatChunk(uint32_t sequence, const uint8_t* compressed, size_t size)
{
    PngBytes data(size + 4);
    PutBig32(data.data(), sequence);
    if (size > 0)
        std::memcpy(data.data() + 4, compressed, size);
    return PngChunk("fdAT", data.data(), data.size());
}

bool ParseIhdr(const uint8_t* data, PngHeader& header)
{
    header.width = Big32(data);
    header.height = Big32(data + 4);
    header.bitDepth = data[8];
    header.colourType = data[9];
    header.interlace = data[12];
    return header.width >= 1 && header.width <= kPngMaxChunkData && header.height >= 1 &&
           header.height <= kPngMaxChunkData && DepthFitsType(header.bitDepth, header.colourType) &&
           data[10] == 0 && data[11] == 0 && header.interlace <= 1;
}

bool ParseFctl(const uint8_t* data, uint32_t& sequence, ApngFrameControl& control)
{
    sequence = Big32(data);
    control.width = Big32(data + 4);
    control.height = Big32(data + 8);
    control.x = Big32(data + 12);
    control.y = Big32(data + 16);
    control.delayNum = static_cast<uint16_t>(Big16(data + 20));
    control.delayDen = static_cast<uint16_t>(Big16(data + 22));
    if (data[24] > 2 || data[25] > 1)
        return false;
    control.dispose = static_cast<ApngDispose>(data[24]);
    control.blend = static_cast<ApngBlend>(data[25]);
    return true;
}
