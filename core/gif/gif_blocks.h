// The byte layout of the GIF89a blocks this program writes, as pure functions on plain values.
// Every 16-bit field is unsigned little-endian (low byte first).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/colour/palette.h"
#include "core/gif/gif_limits.h"

using GifBytes = std::vector<uint8_t>;

// Bits b of a colour table for count colours: the smallest b in 1..8 with 2^b >= count
// (0..2 -> 1, 3..4 -> 2, ..., 129..256 -> 8). Counts above 256 give 8.
int ColourTableBits(int colourCount);

// "GIF89a".
std::array<uint8_t, 6> GifHeader();

// width, height, packed (global table present, colour resolution and table size b - 1,
// not sorted), background index 0, aspect ratio 0.
std::array<uint8_t, 7> LogicalScreenDescriptor(int width, int height, int colourCount);

// 2^b RGB triples: the first count entries of palette, then black up to 2^b.
GifBytes ColourTable(const GifRgb* palette, int colourCount);

// Application extension "NETSCAPE2.0" with loop count 0: repeat forever.
std::array<uint8_t, 19> LoopingExtension();

// The looping block for an animation that plays loopCount times: 0 (or below) plays forever,
// LoopingExtension() exactly; 1 plays once, so no block at all (empty); N >= 2 plays N times,
// the extension with repeat count N - 1 (held at kGifMaxLoopCount).
GifBytes LoopingBlock(int loopCount);

// 0x21 0xFE, text in sub-blocks of at most 255 bytes (each led by its length), 0x00.
// Empty text gives 0x21 0xFE 0x00.
GifBytes CommentExtension(const std::string& text);

// The delay field in hundredths of a second: milliseconds / 10 truncated, held in
// 0..kGifMaxDelay.
uint16_t GifDelayField(int delayMilliseconds);

// 0x21 0xF9 0x04, packed (bit 0 = transparent index present; disposal in bits 2-4, held in
// 0..7; no user input), delay in hundredths, transparent index (0 when none), 0x00.
std::array<uint8_t, 8> GraphicControlExtension(int delayMilliseconds, int transparentIndex,
                                               int disposal = 0);

// 0x2C, left, top, width, height, packed: 0x00 for the first frame (it uses the global
// table), otherwise 0x80 + (b - 1) for the local table that follows.
std::array<uint8_t, 10> ImageDescriptor(int width, int height, bool first, int colourCount,
                                        int left = 0, int top = 0);

// The trailer, 0x3B.
constexpr uint8_t kGifTrailer = 0x3B;
