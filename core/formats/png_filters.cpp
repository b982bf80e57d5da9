#include "core/formats/png_filters.h"

#include <cstdlib>
#include <cstring>
#include <utility>

uint8_t PaethPredictor(uint8_t left, uint8_t above, uint8_t upperLeft)
{
    const int estimate = int{left} + above - upperLeft;
    const int toLeft = std::abs(estimate - left);
    const int toAbove = std::abs(estimate - above);
    const int toUpperLeft = std::abs(estimate - upperLeft);
    if (toLeft <= toAbove && toLeft <= toUpperLeft)
        return left;
    return toAbove <= toUpperLeft ? above : upperLeft;
}

void FilterRow(PngFilter filter, const uint8_t* row, const uint8_t* above, size_t length, int bpp,
               uint8_t* out)
{
    const size_t step = static_cast<size_t>(bpp);
    switch (filter) {
    case PngFilter::None:
        std::memcpy(out, row, length);
        return;
    case PngFilter::Sub:
        for (size_t i = 0; i < length; ++i)
            out[i] = static_cast<uint8_t>(row[i] - (i >= step ? row[i - step] : 0));
        return;
    case PngFilter::Up:
        for (size_t i = 0; i < length; ++i)
            out[i] = static_cast<uint8_t>(row[i] - (above ? above[i] : 0));
        return;
    case PngFilter::Average:
        for (size_t i = 0; i < length; ++i) {
            const int left = i >= step ? row[i - step] : 0;
            out[i] = static_cast<uint8_t>(row[i] - ((left + (above ? above[i] : 0)) >> 1));
        }
        return;
    case PngFilter::Paeth:
        for (size_t i = 0; i < length; ++i) {
            const uint8_t left = i >= step ? row[i - step] : 0;
            const uint8_t up = above ? above[i] : 0;
            const uint8_t upperLeft = above && i >= step ? above[i - step] : 0;
            out[i] = static_cast<uint8_t>(row[i] - PaethPredictor(left, up, upperLeft));
        }
        return;
    }
}

namespace {

// The sum of the bytes' magnitudes read as signed: 0x01 and 0xFF both count 1.
uint64_t SignedMagnitude(const uint8_t* bytes, size_t length)
{
    uint64_t sum = 0;
    for (size_t i = 0; i < length; ++i)
        sum += bytes[i] < 128 ? bytes[i] : 256 - bytes[i];
    return sum;
}

} // namespace

const uint8_t* FilterRowBest(const uint8_t* row, const uint8_t* above, size_t length, int bpp,
                             uint8_t* first, uint8_t* second)
{
    // best holds the best filtering so far, trial the one being tried.
    uint8_t* best = first;
    uint8_t* trial = second;
    uint64_t bestSum = UINT64_MAX;
    for (uint8_t type = 0; type <= 4; ++type) {
        trial[0] = type;
        FilterRow(static_cast<PngFilter>(type), row, above, length, bpp, trial + 1);
        const uint64_t sum = SignedMagnitude(trial + 1, length);
        if (sum < bestSum) {
            bestSum = sum;
            std::swap(best, trial);
        }
    }
    return best;
}
