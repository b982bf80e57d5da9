// The pixel arithmetic of screen pictures, on plain memory: screens give 4 bytes a pixel, the
// picture store takes 3; the pointer's picture is drawn over them.
#pragma once

#include <cstddef>
#include <cstdint>

// Rows of width pixels of 4 bytes (blue, green, red, unused: a 24-bit X screen or a BGRx
// stream, little-endian) stride bytes apart, to width * 3 bytes a row of red, green, blue.
void BgrxToRgb(const uint8_t* bgrx, size_t stride, int width, int height, uint8_t* rgb);

// A pointer picture of width x height premultiplied ARGB pixels (alpha in the top byte), its
// top-left corner at (left, top) of an RGB picture of pictureWidth x pictureHeight, drawn over
// it; the parts outside are left out.
void DrawPointer(uint8_t* rgb, int pictureWidth, int pictureHeight, const uint32_t* argb,
                 int width, int height, int left, int top);
