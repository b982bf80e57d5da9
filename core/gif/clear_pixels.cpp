#include "core/gif/clear_pixels.h"

#include <algorithm>
#include <array>
#include <cstring>

// A colour table holds at most this many entries.
constexpr int kTableEntries = 256;

namespace {

int Distance(const GifRgb& a, const GifRgb& b)
{
    const int dr = a.red - b.red, dg = a.green - b.green, db = a.blue - b.blue;
    return dr * dr + dg * dg + db * db;
}

// Frees an entry of a full palette: the least used one, its pixels moved to its nearest
// neighbour (clear pixels among them are overwritten anyway).
int FreeEntry(IndexedFrame& frame)
{
    std::array<size_t, 256> uses{};
    for (const unsigned char index : frame.indices)
        ++uses[index];
    const int freed = static_cast<int>(
        std::min_element(uses.begin(), uses.begin() + frame.colourCount) - uses.begin());
    int nearest = freed == 0 ? 1 : 0;
    for (int i = 0; i < frame.colourCount; ++i)
        if (i != freed &&
            Distance(frame.palette[i], frame.palette[freed]) <
                Distance(frame.palette[nearest], frame.palette[freed]))
            nearest = i;
    for (unsigned char& index : frame.indices)
        if (index == freed)
            index = static_cast<unsigned char>(nearest);
    return freed;
}

} // namespace

std::vector<uint8_t> TakeClearPixels(wxImage& image)
{
    if (!image.IsOk() || !image.HasAlpha())
        return {};
    const size_t pixels = static_cast<size_t>(image.GetWidth()) * image.GetHeight();
    const unsigned char* alpha = image.GetAlpha();
    std::vector<uint8_t> clear(pixels, 0);
    bool any = false;
    unsigned char* rgb = image.GetData();
    unsigned char last[3] = {0, 0, 0};
    for (size_t i = 0; i < pixels; ++i) {
        if (alpha[i] < kClearBelow) {
            clear[i] = 1;
            any = true;
            std::memcpy(rgb + 3 * i, last, 3);
        } else {
            std::memcpy(last, rgb + 3 * i, 3);
        }
    }
    image.ClearAlpha();
    if (!any)
        clear.clear();
    return clear;
}

int MarkClearPixels(IndexedFrame& frame, const std::vector<uint8_t>& clear)
{
    if (clear.size() != frame.indices.size() || frame.colourCount < 1 ||
        std::find(clear.begin(), clear.end(), 1) == clear.end())
        return -1;
    int entry = frame.colourCount;
    if (entry < kTableEntries) {
        frame.palette[entry] = GifRgb{0, 0, 0};
        ++frame.colourCount;
    } else {
        entry = FreeEntry(frame);
    }
    for (size_t i = 0; i < clear.size(); ++i)
        if (clear[i])
            frame.indices[i] = static_cast<unsigned char>(entry);
    return entry;
}
