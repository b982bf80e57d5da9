#include "core/colour/palette_reuse.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>

#include "core/colour/palette_lookup.h"

namespace {

int Distance(const uint8_t* p, const GifRgb& c)
{
    const int r = p[0] - c.red;
    const int g = p[1] - c.green;
    const int b = p[2] - c.blue;
    return r * r + g * g + b * b;
}

uint8_t Nearest(const uint8_t* p, const std::vector<GifRgb>& palette)
{
    int best = 0;
    int bestDistance = Distance(p, palette[0]);
    for (size_t i = 1; i < palette.size() && bestDistance > 0; ++i) {
        const int d = Distance(p, palette[i]);
        if (d < bestDistance) {
            best = static_cast<int>(i);
            bestDistance = d;
        }
    }
    return static_cast<uint8_t>(best);
}

} // namespace

uint64_t SquaredError(const uint8_t* a, const uint8_t* b, size_t n)
{
    uint64_t sum = 0;
    for (size_t i = 0; i < 3 * n; ++i) {
        const int d = a[i] - b[i];
        sum += static_cast<uint64_t>(d * d);
    }
    return sum;
}

ChangedError ErrorWhereChanged(const uint8_t* source, const uint8_t* previousSource,
                               const uint8_t* shown, size_t n)
{
    ChangedError error;
    for (size_t i = 0; i < n; ++i) {
        const size_t at = 3 * i;
        if (std::memcmp(source + at, previousSource + at, 3) == 0)
            continue;
        error.sum += SquaredError(source + at, shown + at, 1);
        ++error.pixels;
    }
    return error;
}

std::vector<uint8_t> MapOntoPalette(const uint8_t* source, const uint8_t* previousSource,
                                    const IndexedPicture& previous, size_t n)
{
    std::vector<uint8_t> out(n);
    const PaletteLookup exact(previous.palette.data(), static_cast<int>(previous.palette.size()));
    for (size_t i = 0; i < n; ++i) {
        const uint8_t* p = source + 3 * i;
        if (std::memcmp(p, previousSource + 3 * i, 3) == 0) {
            out[i] = previous.indices[i];
            continue;
        }
        const int found = exact.Find(p[0], p[1], p[2]);
        out[i] = found >= 0 ? static_cast<uint8_t>(found) : Nearest(p, previous.palette);
    }
    return out;
}

bool ReusePalette(uint64_t reusedError, uint64_t freshError, size_t n, uint64_t perPixel)
{
    return reusedError <= freshError + freshError / 2 + perPixel * static_cast<uint64_t>(n);
}

IndexedPicture MergePalettes(const uint8_t* source, const uint8_t* previousSource,
                             const IndexedPicture& previous, const IndexedPicture& fresh)
{
    const size_t n = fresh.indices.size();
    std::array<bool, 256> kept{};
    std::array<size_t, 256> wanted{};
    std::vector<bool> still(n);
    for (size_t i = 0; i < n; ++i) {
        still[i] = std::memcmp(source + 3 * i, previousSource + 3 * i, 3) == 0;
        if (still[i])
            kept[previous.indices[i]] = true;
        else
            ++wanted[fresh.indices[i]];
    }

    IndexedPicture merged{previous.palette, std::vector<uint8_t>(n)};
    std::vector<GifRgb> keptColours;
    for (size_t e = 0; e < merged.palette.size(); ++e)
        if (kept[e])
            keptColours.push_back(merged.palette[e]);
    const PaletteLookup keptLookup(keptColours.data(), static_cast<int>(keptColours.size()));
    std::array<int, 256> order;
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return wanted[a] > wanted[b]; });

    std::array<int, 256> placed;
    placed.fill(-1);
    int slot = 0;
    for (int f : order) {
        if (wanted[f] == 0)
            break;
        const GifRgb& c = fresh.palette[f];
        const int same = keptLookup.Find(c.red, c.green, c.blue);
        if (same >= 0) {
            for (size_t e = 0; e < merged.palette.size(); ++e)
                if (kept[e] && std::memcmp(&merged.palette[e], &c, 3) == 0) {
                    placed[f] = static_cast<int>(e);
                    break;
                }
            continue;
        }
        while (slot < 256 && kept[slot])
            ++slot;
        if (slot == 256)
            break;
        if (static_cast<size_t>(slot) >= merged.palette.size())
            merged.palette.resize(slot + 1, GifRgb{0, 0, 0});
        merged.palette[slot] = c;
        kept[slot] = true;
        placed[f] = slot++;
    }

    std::vector<GifRgb> shown;
    std::vector<uint8_t> entry;
    for (size_t e = 0; e < merged.palette.size(); ++e)
        if (kept[e]) {
            shown.push_back(merged.palette[e]);
            entry.push_back(static_cast<uint8_t>(e));
        }
    for (size_t i = 0; i < n; ++i) {
        if (still[i]) {
            merged.indices[i] = previous.indices[i];
            continue;
        }
        int& p = placed[fresh.indices[i]];
        if (p < 0) {
            const GifRgb& c = fresh.palette[fresh.indices[i]];
            const uint8_t rgb[3] = {c.red, c.green, c.blue};
            p = entry[Nearest(rgb, shown)];
        }
        merged.indices[i] = static_cast<uint8_t>(p);
    }
    return merged;
}

void KeepStableColours(const uint8_t* source, const uint8_t* previousSource,
                       const uint8_t* previousShown, IndexedPicture& fresh)
{
    const PaletteLookup lookup(fresh.palette.data(), static_cast<int>(fresh.palette.size()));
    for (size_t i = 0; i < fresh.indices.size(); ++i) {
        if (std::memcmp(source + 3 * i, previousSource + 3 * i, 3) != 0)
            continue;
        const uint8_t* shown = previousShown + 3 * i;
        const int found = lookup.Find(shown[0], shown[1], shown[2]);
        if (found >= 0)
            fresh.indices[i] = static_cast<uint8_t>(found);
    }
}

std::vector<uint8_t> Shown(const IndexedPicture& picture)
{
    std::vector<uint8_t> rgb(picture.indices.size() * 3);
    for (size_t i = 0; i < picture.indices.size(); ++i) {
        const GifRgb& c = picture.palette[picture.indices[i]];
        rgb[3 * i] = c.red;
        rgb[3 * i + 1] = c.green;
        rgb[3 * i + 2] = c.blue;
    }
    return rgb;
}
