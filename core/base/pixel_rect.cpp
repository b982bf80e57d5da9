#include "core/base/pixel_rect.h"

#include <climits>
#include <cstdint>
#include <cstdio>

namespace {

// Reads the digits at text[pos...] up to a character that is no digit; false when there are
// none or the number passes INT_MAX.
bool ReadNumber(const std::string& text, size_t& pos, int& value)
{
    const size_t start = pos;
    long long number = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        number = number * 10 + (text[pos] - '0');
        if (number > INT_MAX)
            return false;
        ++pos;
    }
    value = static_cast<int>(number);
    return pos > start;
}

bool Expect(const std::string& text, size_t& pos, char c)
{
    if (pos >= text.size() || text[pos] != c)
        return false;
    ++pos;
    return true;
}

} // namespace

std::optional<PixelRect> ParseGeometry(const std::string& text)
{
    PixelRect rect;
    size_t pos = 0;
    const bool read = ReadNumber(text, pos, rect.width) && Expect(text, pos, 'x') &&
                      ReadNumber(text, pos, rect.height) && Expect(text, pos, '+') &&
                      ReadNumber(text, pos, rect.x) && Expect(text, pos, '+') &&
                      ReadNumber(text, pos, rect.y) && pos == text.size();
    if (!read || rect.Empty())
        return std::nullopt;
    return rect;
}

std::string FormatGeometry(const PixelRect& rect)
{
    char text[64];
    std::snprintf(text, sizeof text, "%dx%d+%d+%d", rect.width, rect.height, rect.x, rect.y);
    return text;
}

RegionFit FitRegion(const PixelRect& region, int width, int height)
{
    if (region.Empty())
        return RegionFit::Empty;
    // In 64 bits: x + width may pass INT_MAX.
    const bool inside = region.x >= 0 && region.y >= 0 &&
                        int64_t{region.x} + region.width <= width &&
                        int64_t{region.y} + region.height <= height;
    return inside ? RegionFit::Inside : RegionFit::Outside;
}
