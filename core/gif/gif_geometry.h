// What a GIF read by this program may declare, and the arithmetic on its sizes, as pure
// functions on plain numbers.
#pragma once

#include <cstddef>

// A logical screen or frame rectangle is decoded only within the picture limit
// (kMaxPictureSide of core/picture/picture_limit.h).
// Frames past this number are not read.
constexpr unsigned kGifMaxFrames = 20000;
// Bytes of extension data (comments, application blocks, ...) read in one file at most.
constexpr size_t kGifMaxExtensionBytes = 16u << 20;

// A rectangle in the pixels of a logical screen.
struct GifRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool Empty() const { return width <= 0 || height <= 0; }
};

// The part of frame that lies on a screen of screenWidth x screenHeight; an empty rectangle
// when none does. Any int values are safe (computed in 64 bits).
GifRect ClipToScreen(const GifRect& frame, int screenWidth, int screenHeight);

// The picture row that holds the stored-th row of an interlaced image of height rows: the
// passes hold rows 0, 8, 16, ...; then 4, 12, ...; then 2, 6, ...; then 1, 3, .... -1 when
// stored is outside 0..height-1.
int InterlacedRow(int stored, int height);

// width x height x channels in *bytes. False (and *bytes untouched) when a side is not in
// 0..kMaxPictureSide or channels is not in 1..4, so the product never overflows.
bool CheckedPixelBytes(int width, int height, int channels, size_t* bytes);
