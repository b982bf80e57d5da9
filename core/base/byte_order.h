// Integers as the picture formats store them: PNG and JPEG big-endian, BMP and GIF
// little-endian.
#pragma once

#include <cstdint>

inline uint32_t Big16(const unsigned char* p)
{
    return (uint32_t{p[0]} << 8) | p[1];
}

inline uint32_t Big32(const unsigned char* p)
{
    return (Big16(p) << 16) | Big16(p + 2);
}

inline uint32_t Little16(const unsigned char* p)
{
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8);
}

inline uint32_t Little32(const unsigned char* p)
{
    return Little16(p) | (Little16(p + 2) << 16);
}
