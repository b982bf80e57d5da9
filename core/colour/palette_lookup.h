// Colour-to-index lookup in a GIF palette: the answer is always what a linear search from entry 0
// gives (the first entry equal in red, green and blue), in constant time per pixel.
#pragma once

#include <cstdint>

#include "core/colour/palette_table.h"

class PaletteLookup {
public:
    // table's first count entries (count 0..256) are searched.
    PaletteLookup(const GifRgb* table, int count);

    // The first entry equal to (r, g, b), or -1.
    int Find(unsigned char r, unsigned char g, unsigned char b) const
    {
        const uint32_t key = Key(r, g, b);
        for (uint32_t slot = Hash(key);; slot = (slot + 1) & kMask) {
            const uint32_t k = m_keys[slot];
            if (k == key)
                return m_index[slot];
            if (k == 0)
                return -1;
        }
    }

    // Converts n RGB pixels to indices. Returns the position of the first pixel whose colour
    // is not in the table, or -1 when all were found (out then holds every index).
    long Map(const unsigned char* rgb, long n, unsigned char* out) const;

private:
    // Keys carry a set bit 24 so that 0 marks an empty slot, black included.
    static uint32_t Key(unsigned char r, unsigned char g, unsigned char b)
    {
        return 0x1000000u | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
    }
    static uint32_t Hash(uint32_t key) { return ((key * 2654435761u) >> 22) & kMask; }

    // Four times the largest palette keeps probe chains short.
    static constexpr uint32_t kSlots = 1024;
    static constexpr uint32_t kMask = kSlots - 1;
    uint32_t m_keys[kSlots];
    uint8_t m_index[kSlots];
};
