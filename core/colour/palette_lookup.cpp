#include "core/colour/palette_lookup.h"

#include <cstring>

PaletteLookup::PaletteLookup(const GifRgb* table, int count)
{
    std::memset(m_keys, 0, sizeof(m_keys));
    std::memset(m_index, 0, sizeof(m_index));
    if (count > 256)
        count = 256;
    for (int i = 0; i < count; ++i) {
        const uint32_t key = Key(table[i].red, table[i].green, table[i].blue);
        uint32_t slot = Hash(key);
        while (m_keys[slot] != 0 && m_keys[slot] != key)
            slot = (slot + 1) & kMask;
        // A repeated colour keeps its first position, as a linear search would find it.
        if (m_keys[slot] == 0) {
            m_keys[slot] = key;
            m_index[slot] = static_cast<uint8_t>(i);
        }
    }
}

long PaletteLookup::Map(const unsigned char* rgb, long n, unsigned char* out) const
{
    // Neighbouring pixels often share a colour; remembering the last one skips most probes.
    uint32_t lastKey = 0;
    unsigned char lastIndex = 0;
    for (long i = 0; i < n; ++i, rgb += 3) {
        const uint32_t key = Key(rgb[0], rgb[1], rgb[2]);
        if (key != lastKey) {
            const int index = Find(rgb[0], rgb[1], rgb[2]);
            if (index < 0)
                return i;
            lastKey = key;
            lastIndex = static_cast<unsigned char>(index);
        }
        out[i] = lastIndex;
    }
    return -1;
}
