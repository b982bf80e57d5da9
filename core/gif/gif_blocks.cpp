#include "core/gif/gif_blocks.h"

#include <algorithm>

namespace {

uint8_t Low(int v)
{
    return static_cast<uint8_t>(v & 0xFF);
}

uint8_t High(int v)
{
    return static_cast<uint8_t>((v >> 8) & 0xFF);
}

} // namespace

int ColourTableBits(int colourCount)
{
    int bits = 1;
    while (bits < 8 && (1 << bits) < colourCount)
        ++bits;
    return bits;
}

std::array<uint8_t, 6> GifHeader()
{
    return {'G', 'I', 'F', '8', '9', 'a'};
}

std::array<uint8_t, 7> LogicalScreenDescriptor(int width, int height, int colourCount)
{
    const int b = ColourTableBits(colourCount);
    // bit 7: global table present; bits 6-4: colour resolution; bit 3: not sorted;
    // bits 2-0: table size. 256 colours give 0xF7.
    const uint8_t packed = static_cast<uint8_t>(0x80 | ((b - 1) << 4) | (b - 1));
    return {Low(width), High(width), Low(height), High(height), packed,
            0x00,   // background colour index
            0x00};  // no aspect ratio given
}

GifBytes ColourTable(const GifRgb* palette, int colourCount)
{
    const int entries = 1 << ColourTableBits(colourCount);
    const int used = std::clamp(colourCount, 0, entries);
    GifBytes bytes(static_cast<size_t>(entries) * 3, 0);
    for (int i = 0; i < used; ++i) {
        bytes[3 * i] = palette[i].red;
        bytes[3 * i + 1] = palette[i].green;
        bytes[3 * i + 2] = palette[i].blue;
    }
    return bytes;
}

std::array<uint8_t, 19> LoopingExtension()
{
    return {0x21, 0xFF, 0x0B,                                   // application extension, 11 bytes
            'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0',
            0x03, 0x01,                                         // sub-block of 3, id 1
            0x00, 0x00,                                         // loop count 0: repeat forever
            0x00};                                              // block terminator
}

GifBytes LoopingBlock(int loopCount)
{
    // Decoders read the extension's count as repeats after the first showing (0: for ever)
    // and play a file without it once, so N showings are N - 1 repeats, and one showing is
    // no extension at all (a count of 0 would mean for ever). Seen in Chromium: a count of 0
    // loops for ever, 1 shows the animation twice and 2 three times, each then stopping on
    // the last frame; without the extension it shows once. gifsicle --info says "loop
    // forever", "loop count 1" (the repeats), nothing without it; ImageMagick's identify
    // -verbose says "Iterations: 0", "Iterations: 2" (the showings), nothing without it.
    const std::array<uint8_t, 19> forever = LoopingExtension();
    GifBytes bytes(forever.begin(), forever.end());
    if (loopCount == 1)
        return GifBytes();
    if (loopCount > 1) {
        const int repeats = std::min(loopCount, kGifMaxLoopCount) - 1;
        bytes[16] = Low(repeats);
        bytes[17] = High(repeats);
    }
    return bytes;
}

GifBytes CommentExtension(const std::string& text)
{
    GifBytes bytes{0x21, 0xFE};
    for (size_t pos = 0; pos < text.size();) {
        const size_t n = std::min<size_t>(255, text.size() - pos);
        bytes.push_back(static_cast<uint8_t>(n));
        bytes.insert(bytes.end(), text.begin() + pos, text.begin() + pos + n);
        pos += n;
    }
    bytes.push_back(0x00);
    return bytes;
}

uint16_t GifDelayField(int delayMilliseconds)
{
    return static_cast<uint16_t>(std::clamp(delayMilliseconds / 10, 0, kGifMaxDelay));
}

std::array<uint8_t, 8> GraphicControlExtension(int delayMilliseconds, int transparentIndex,
                                               int disposal)
{
    const uint16_t delay = GifDelayField(delayMilliseconds);
    const bool transparent = transparentIndex >= 0 && transparentIndex <= 255;
    const int method = std::clamp(disposal, 0, 7) << 2;
    return {0x21, 0xF9, 0x04,
            static_cast<uint8_t>(method | (transparent ? 0x01 : 0x00)),
            Low(delay), High(delay),
            static_cast<uint8_t>(transparent ? transparentIndex : 0),
            0x00};
}

std::array<uint8_t, 10> ImageDescriptor(int width, int height, bool first, int colourCount,
                                        int left, int top)
{
    const uint8_t packed =
        first ? 0x00 : static_cast<uint8_t>(0x80 | (ColourTableBits(colourCount) - 1));
    return {0x2C, Low(left), High(left), Low(top), High(top), Low(width), High(width),
            Low(height), High(height), packed};
}
