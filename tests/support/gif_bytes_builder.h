// GIF files built byte by byte for decoder tests: any screen, palette, offsets, graphic
// controls and LZW code size, with image data that any decoder can read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace giftest {

struct HandImage {
    int x = 0, y = 0, width = 1, height = 1;
    int disposal = 0;          // 0..3
    int transparent = -1;      // -1: none
    int delay = 0;
    bool interlaced = false;
    std::vector<uint8_t> indices;  // width x height, rows in picture order
    int codeSize = 2;          // the LZW minimum code size byte as written
};

inline void PutWord(std::vector<uint8_t>& b, int v)
{
    b.push_back(static_cast<uint8_t>(v & 0xFF));
    b.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

// LZW data of indices (each below 4) at minimum code size 2 without ever growing the code
// width: a clear code before every second literal keeps the width at 3 bits.
inline std::vector<uint8_t> Lzw2(const std::vector<uint8_t>& indices)
{
    std::vector<int> codes{4};
    for (size_t i = 0; i < indices.size(); ++i) {
        if (i > 0 && i % 2 == 0)
            codes.push_back(4);
        codes.push_back(indices[i]);
    }
    codes.push_back(5);
    std::vector<uint8_t> out;
    uint32_t acc = 0;
    int bits = 0;
    for (int c : codes) {
        acc |= static_cast<uint32_t>(c) << bits;
        for (bits += 3; bits >= 8; bits -= 8, acc >>= 8)
            out.push_back(static_cast<uint8_t>(acc & 0xFF));
    }
    if (bits > 0)
        out.push_back(static_cast<uint8_t>(acc & 0xFF));
    return out;
}

// A GIF89a with a 4-colour global table (colours as RGB triples) and the given images.
inline std::vector<uint8_t> HandGif(int width, int height, const std::vector<uint8_t>& colours,
                                    const std::vector<HandImage>& images)
{
    std::vector<uint8_t> b{'G', 'I', 'F', '8', '9', 'a'};
    PutWord(b, width);
    PutWord(b, height);
    b.insert(b.end(), {0x81, 0, 0});  // global table of 4 entries, background 0, no aspect
    b.insert(b.end(), colours.begin(), colours.end());
    b.resize(13 + 12, 0);
    for (const HandImage& im : images) {
        const int packed = (im.disposal << 2) | (im.transparent >= 0 ? 1 : 0);
        b.insert(b.end(), {0x21, 0xF9, 4, static_cast<uint8_t>(packed)});
        PutWord(b, im.delay);
        b.insert(b.end(), {static_cast<uint8_t>(im.transparent >= 0 ? im.transparent : 0), 0});
        b.push_back(0x2C);
        PutWord(b, im.x);
        PutWord(b, im.y);
        PutWord(b, im.width);
        PutWord(b, im.height);
        b.push_back(im.interlaced ? 0x40 : 0);
        std::vector<uint8_t> stored;
        const int passes[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
        for (int p = 0; p < (im.interlaced ? 4 : 1); ++p)
            for (int y = im.interlaced ? passes[p][0] : 0; y < im.height; y += im.interlaced ? passes[p][1] : 1)
                stored.insert(stored.end(), im.indices.begin() + y * im.width,
                              im.indices.begin() + (y + 1) * im.width);
        const std::vector<uint8_t> data = Lzw2(stored);
        b.push_back(static_cast<uint8_t>(im.codeSize));
        for (size_t at = 0; at < data.size(); at += 255) {
            const size_t n = std::min<size_t>(255, data.size() - at);
            b.push_back(static_cast<uint8_t>(n));
            b.insert(b.end(), data.begin() + at, data.begin() + at + n);
        }
        b.push_back(0);
    }
    b.push_back(0x3B);
    return b;
}

// An image of width x height filled with index, except cells set by the caller afterwards.
inline HandImage Filled(int x, int y, int width, int height, uint8_t index, int disposal)
{
    HandImage im;
    im.x = x;
    im.y = y;
    im.width = width;
    im.height = height;
    im.disposal = disposal;
    im.indices.assign(static_cast<size_t>(width) * height, index);
    return im;
}

} // namespace giftest
