#include "core/gif/frame_difference.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

bool SamePixel(const uint8_t* a, const uint8_t* b, size_t i)
{
    return std::memcmp(a + 3 * i, b + 3 * i, 3) == 0;
}

} // namespace

GifRect ChangedRect(const uint8_t* before, const uint8_t* after, int width, int height)
{
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    auto rowDiffers = [&](int y) {
        return std::memcmp(before + y * rowBytes, after + y * rowBytes, rowBytes) != 0;
    };
    int top = 0;
    while (top < height && !rowDiffers(top))
        ++top;
    if (top == height)
        return GifRect();
    int bottom = height - 1;
    while (!rowDiffers(bottom))
        --bottom;
    int left = width;
    int right = -1;
    for (int y = top; y <= bottom; ++y) {
        const size_t row = static_cast<size_t>(y) * width;
        for (int x = 0; x < left; ++x)
            if (!SamePixel(before, after, row + x)) {
                left = x;
                break;
            }
        for (int x = width - 1; x > right; --x)
            if (!SamePixel(before, after, row + x)) {
                right = x;
                break;
            }
    }
    return GifRect{left, top, right - left + 1, bottom - top + 1};
}

FramePatch MakePatch(const uint8_t* indices, const GifRgb* palette, const uint8_t* before,
                     const uint8_t* after, int width, const GifRect& rect, bool transparent)
{
    std::array<bool, 256> changedUses{};
    std::array<bool, 256> anyUses{};
    bool someUnchanged = false;
    for (int y = rect.y; y < rect.y + rect.height; ++y)
        for (int x = rect.x; x < rect.x + rect.width; ++x) {
            const size_t i = static_cast<size_t>(y) * width + x;
            anyUses[indices[i]] = true;
            if (SamePixel(before, after, i))
                someUnchanged = true;
            else
                changedUses[indices[i]] = true;
        }
    const int changedCount =
        static_cast<int>(std::count(changedUses.begin(), changedUses.end(), true));
    const bool clear = transparent && someUnchanged && changedCount < 256;
    const std::array<bool, 256>& uses = clear ? changedUses : anyUses;

    FramePatch patch;
    patch.rect = rect;
    std::array<uint8_t, 256> renamed{};
    for (int i = 0; i < 256; ++i)
        if (uses[i]) {
            renamed[i] = static_cast<uint8_t>(patch.colours.size());
            patch.colours.push_back(palette[i]);
        }
    if (clear) {
        patch.transparentIndex = static_cast<int>(patch.colours.size());
        patch.colours.push_back(GifRgb{0, 0, 0});
    }
    patch.indices.reserve(static_cast<size_t>(rect.width) * rect.height);
    for (int y = rect.y; y < rect.y + rect.height; ++y)
        for (int x = rect.x; x < rect.x + rect.width; ++x) {
            const size_t i = static_cast<size_t>(y) * width + x;
            const bool keep = clear && SamePixel(before, after, i);
            patch.indices.push_back(keep ? static_cast<uint8_t>(patch.transparentIndex)
                                         : renamed[indices[i]]);
        }
    return patch;
}
