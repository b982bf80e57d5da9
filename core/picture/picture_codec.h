// Lossless compression of a picture's pixels: an RGB plane (3 bytes a pixel, row after row)
// and an optional alpha plane (1 byte a pixel), both of the same pixel count. Pure functions
// on plain bytes, safe on any thread at once. The bytes are kept only in this process (in
// memory or in its cache file), so their layout may change between versions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The compressed form of pixels pixels: rgb holds 3 * pixels bytes, alpha pixels bytes or is
// null for a picture without alpha. Throws std::bad_alloc when memory runs out.
std::vector<uint8_t> CompressPixels(const uint8_t* rgb, const uint8_t* alpha, size_t pixels);

// Fills rgb (3 * pixels bytes) and, when not null, alpha (pixels bytes) from bytes that
// CompressPixels made of as many pixels, with alpha when alpha is given. False when the bytes
// are not such a picture (damaged, or of another size); the planes' contents are then
// undefined.
bool DecompressPixels(const uint8_t* bytes, size_t size, size_t pixels, uint8_t* rgb,
                      uint8_t* alpha);
