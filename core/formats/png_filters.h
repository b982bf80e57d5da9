// PNG's row filters (None, Sub, Up, Average, Paeth), which turn a row of pixel bytes into
// differences from its neighbours that deflate codes shorter.
#pragma once

#include <cstddef>
#include <cstdint>

enum class PngFilter : uint8_t { None = 0, Sub = 1, Up = 2, Average = 3, Paeth = 4 };

// Paeth's predictor: of left, above and upper-left, the one nearest to left + above - upper-left
// (ties go to left, then above).
uint8_t PaethPredictor(uint8_t left, uint8_t above, uint8_t upperLeft);

// Writes length filtered bytes of row to out by filter; above is the row above (nullptr for the
// top row, read as zeros), bpp the bytes of one pixel (the left neighbour's distance).
void FilterRow(PngFilter filter, const uint8_t* row, const uint8_t* above, size_t length, int bpp,
               uint8_t* out);

// The row as it is written: the filter type byte, then the row filtered by the filter whose
// bytes, read as signed, have the smallest sum of magnitudes (the usual heuristic: small
// differences deflate best). first and second hold length + 1 bytes each; the result is one of
// them.
const uint8_t* FilterRowBest(const uint8_t* row, const uint8_t* above, size_t length, int bpp,
                             uint8_t* first, uint8_t* second);
