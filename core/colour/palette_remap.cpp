#include "core/colour/palette_remap.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace {

// The palette laid out for the nearest-entry search: one array per channel, padded to a
// multiple of 8 entries with copies of entry 0 (a copy never wins: equal distances go to the
// lower index).
struct SearchPalette {
    alignas(32) int32_t red[256];
    alignas(32) int32_t green[256];
    alignas(32) int32_t blue[256];
    int padded = 0;

    SearchPalette(const GifPaletteTable& palette, int count)
    {
        padded = (count + 7) & ~7;
        for (int i = 0; i < padded; ++i) {
            const GifRgb& c = palette[i < count ? i : 0];
            red[i] = c.red;
            green[i] = c.green;
            blue[i] = c.blue;
        }
    }
};

// The nearest entry to (r, g, b) by squared RGB distance, the lowest index among equals. The
// distance and the index are packed into one key, so the search is a plain minimum that the
// compiler vectorises; integers only, so every instruction set gives the same answer.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && \
    !defined(__SANITIZE_ADDRESS__)
__attribute__((target_clones("avx2", "default")))
#endif
int Nearest(const SearchPalette& p, int r, int g, int b)
{
    uint32_t best = UINT32_MAX;
    for (int i = 0; i < p.padded; ++i) {
        const int32_t dr = p.red[i] - r, dg = p.green[i] - g, db = p.blue[i] - b;
        const uint32_t key = (static_cast<uint32_t>(dr * dr + dg * dg + db * db) << 8) |
                             static_cast<uint32_t>(i);
        best = key < best ? key : best;
    }
    return static_cast<int>(best & 0xFF);
}

// Nearest for every pixel. Runs of one colour are searched once, and a colour seen before is
// usually still in a small direct-mapped cache (photographs repeat most of their colours).
void MapPlain(const unsigned char* rgb, size_t pixels, const SearchPalette& p,
              unsigned char* indices)
{
    constexpr int kBits = 16;
    // A slot's key is its colour with bit 31 set (0: empty); its index sits beside it.
    std::vector<uint32_t> keys(size_t(1) << kBits, 0);
    std::vector<unsigned char> values(size_t(1) << kBits, 0);
    uint32_t last = UINT32_MAX;
    unsigned char index = 0;
    for (size_t i = 0; i < pixels; ++i, rgb += 3) {
        const uint32_t colour = (uint32_t(rgb[0]) << 16) | (uint32_t(rgb[1]) << 8) | rgb[2];
        if (colour != last) {
            const uint32_t key = colour | 0x80000000u;
            const uint32_t slot = (colour * 2654435761u) >> (32 - kBits);
            if (keys[slot] == key) {
                index = values[slot];
            } else {
                index = static_cast<unsigned char>(Nearest(p, rgb[0], rgb[1], rgb[2]));
                keys[slot] = key;
                values[slot] = index;
            }
            last = colour;
        }
        indices[i] = index;
    }
}

// How much each pixel may be dithered, 0..255: low on edges (a sharp change across the pixel,
// horizontally or vertically), high on flat and smooth areas. An erosion then a dilation
// (a cross of five pixels) drops thin lines of low values.
void EdgeMap(const unsigned char* rgb, int width, int height, unsigned char* map,
             unsigned char* scratch)
{
    const size_t stride = static_cast<size_t>(width) * 3;
    const auto edgeAt = [](const unsigned char* left, const unsigned char* centre,
                           const unsigned char* right, const unsigned char* up,
                           const unsigned char* down) {
        int edge = 0;
        for (int k = 0; k < 3; ++k) {
            const int twice = 2 * centre[k];
            edge = std::max(edge, std::abs(left[k] + right[k] - twice));
            edge = std::max(edge, std::abs(up[k] + down[k] - twice));
        }
        return static_cast<unsigned char>(255 - std::min(edge, 255));
    };
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = rgb + y * stride;
        const unsigned char* up = rgb + std::max(0, y - 1) * stride;
        const unsigned char* down = rgb + std::min(height - 1, y + 1) * stride;
        unsigned char* out = map + static_cast<size_t>(y) * width;
        // The sides repeat their edge pixel; the inside needs no clamping.
        for (int x : {0, width - 1}) {
            const size_t c = size_t(x) * 3;
            out[x] = edgeAt(row + size_t(std::max(0, x - 1)) * 3, row + c,
                            row + size_t(std::min(width - 1, x + 1)) * 3, up + c, down + c);
        }
        for (int x = 1; x + 1 < width; ++x) {
            const size_t c = size_t(x) * 3;
            out[x] = edgeAt(row + c - 3, row + c, row + c + 3, up + c, down + c);
        }
    }
    const auto cross = [width, height](const unsigned char* in, unsigned char* out, bool erode) {
        const auto pick = [erode](unsigned char a, unsigned char b) {
            return erode ? std::min(a, b) : std::max(a, b);
        };
        for (int y = 0; y < height; ++y) {
            const unsigned char* row = in + static_cast<size_t>(y) * width;
            const unsigned char* up = in + static_cast<size_t>(std::max(0, y - 1)) * width;
            const unsigned char* down =
                in + static_cast<size_t>(std::min(height - 1, y + 1)) * width;
            unsigned char* o = out + static_cast<size_t>(y) * width;
            for (int x = 0; x < width; ++x) {
                const unsigned char left = row[x > 0 ? x - 1 : 0];
                const unsigned char right = row[x + 1 < width ? x + 1 : x];
                o[x] = pick(pick(pick(row[x], left), pick(right, up[x])), down[x]);
            }
        }
    };
    cross(map, scratch, true);
    cross(scratch, map, false);
}

// Weakens the map where the plain mapping changes often: a run of one index along a row counts
// its length and the pixels above and below with the same index; short, lonely runs (busy
// areas, where the plain mapping already mixes colours) get little dithering, long ones (where
// it would leave bands) keep the map's value.
void WeightByRuns(const unsigned char* plain, int width, int height, unsigned char* map)
{
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = plain + static_cast<size_t>(y) * width;
        const unsigned char* up = y > 0 ? row - width : nullptr;
        const unsigned char* down = y + 1 < height ? row + width : nullptr;
        unsigned char* m = map + static_cast<size_t>(y) * width;
        // As libimagequant does it: a run ends at the first pixel of another index, which takes
        // the run's weight, and the next run starts after it.
        int start = 0;
        unsigned char index = row[0];
        for (int x = 1; x < width; ++x) {
            if (row[x] == index && x + 1 < width)
                continue;
            int neighbours = 10 * (x - start);
            for (int i = start; i < x; ++i) {
                if (up && up[i] == index)
                    neighbours += 15;
                if (down && down[i] == index)
                    neighbours += 15;
            }
            const float weight = (255.f / 383.f) * (1.f - 20.f / (20.f + neighbours));
            for (; start <= x; ++start)
                m[start] = static_cast<unsigned char>((m[start] + 128) * weight);
            index = row[x];
        }
    }
}

// The nearest entry to a dithered colour, looked up by the colour's 6-bit cell: each cell is
// searched once, for its centre. Being off by at most two levels per channel only adds to the
// error that is diffused to the next pixels.
class CellCache {
public:
    explicit CellCache(const SearchPalette& p)
        : m_palette(p), m_cells(new (std::nothrow) uint16_t[kCells]())
    {
    }
    bool Ok() const { return m_cells != nullptr; }

    int Find(int r, int g, int b)
    {
        const uint32_t cell =
            (uint32_t(r >> 2) << 12) | (uint32_t(g >> 2) << 6) | uint32_t(b >> 2);
        uint16_t& slot = m_cells[cell];
        if (slot == 0)
            slot = static_cast<uint16_t>(
                1 + Nearest(m_palette, (r & ~3) + 2, (g & ~3) + 2, (b & ~3) + 2));
        return slot - 1;
    }

private:
    static constexpr size_t kCells = size_t(1) << 18;
    const SearchPalette& m_palette;
    std::unique_ptr<uint16_t[]> m_cells;
};

inline int ToLevel(float v)
{
    return v <= 0.f ? 0 : v >= 255.f ? 255 : static_cast<int>(v + 0.5f);
}

} // namespace

void RefinePalette(const unsigned char* rgb, int width, int height, int step, int iterations,
                   GifPaletteTable& palette, int count)
{
    if (!rgb || width <= 0 || height <= 0 || step <= 0 || count <= 0 || count > 256)
        return;
    const int sampleWidth = (width + step - 1) / step, sampleHeight = (height + step - 1) / step;
    for (int it = 0; it < iterations; ++it) {
        const SearchPalette search(palette, count);
        uint64_t sums[256][3] = {};
        uint32_t counts[256] = {};
        for (int y = 0; y < sampleHeight; ++y)
            for (int x = 0; x < sampleWidth; ++x) {
                const int sx = std::min(width - 1, step * x + y % step);
                const int sy = std::min(height - 1, step * y + x % step);
                const unsigned char* p = rgb + (static_cast<size_t>(sy) * width + sx) * 3;
                const int k = Nearest(search, p[0], p[1], p[2]);
                sums[k][0] += p[0];
                sums[k][1] += p[1];
                sums[k][2] += p[2];
                ++counts[k];
            }
        for (int k = 0; k < count; ++k) {
            const uint64_t n = counts[k];
            if (n == 0)
                continue;
            // Rounded to nearest in integers: the same on every machine.
            palette[k].red = static_cast<unsigned char>((2 * sums[k][0] + n) / (2 * n));
            palette[k].green = static_cast<unsigned char>((2 * sums[k][1] + n) / (2 * n));
            palette[k].blue = static_cast<unsigned char>((2 * sums[k][2] + n) / (2 * n));
        }
    }
}

bool RemapToPalette(const unsigned char* rgb, int width, int height,
                    const GifPaletteTable& palette, int count, float dithering,
                    unsigned char* indices)
{
    if (!rgb || !indices || width <= 0 || height <= 0 || count <= 0 || count > 256)
        return false;
    const size_t pixels = static_cast<size_t>(width) * height;
    const SearchPalette search(palette, count);
    dithering = std::clamp(dithering, 0.f, 1.f);
    if (dithering == 0.f) {
        MapPlain(rgb, pixels, search, indices);
        return true;
    }

    // The plain mapping first: it decides where dithering is needed and is the answer wherever
    // the carried error is too small to matter.
    std::unique_ptr<unsigned char[]> plain(new (std::nothrow) unsigned char[pixels]);
    std::unique_ptr<unsigned char[]> map(new (std::nothrow) unsigned char[pixels]);
    std::unique_ptr<unsigned char[]> scratch(new (std::nothrow) unsigned char[pixels]);
    const size_t errorWidth = (static_cast<size_t>(width) + 2) * 3;
    std::unique_ptr<float[]> errors(new (std::nothrow) float[2 * errorWidth]);
    CellCache cells(search);
    if (!plain || !map || !scratch || !errors || !cells.Ok())
        return false;
    MapPlain(rgb, pixels, search, plain.get());
    EdgeMap(rgb, width, height, map.get(), scratch.get());
    scratch.reset();
    WeightByRuns(plain.get(), width, height, map.get());

    // A gentler curve than linear (weak settings still dither visibly), and 15/16 so that small
    // errors don't pile up; per pixel times the map's 0..255.
    const float base = (1.f - (1.f - dithering) * (1.f - dithering)) * (15.f / 16.f) / 255.f;
    // Squared error (in levels) below which a pixel keeps its plain mapping, and above which
    // the error is damped (so a colour far from every entry doesn't streak across the frame).
    constexpr float kSkip = 2.f;
    constexpr float kLarge = 1536.f;

    float* thisRow = errors.get();
    float* nextRow = errors.get() + errorWidth;
    std::fill(thisRow, thisRow + errorWidth, 0.f);
    for (int y = 0; y < height; ++y) {
        std::fill(nextRow, nextRow + errorWidth, 0.f);
        const int dir = (y & 1) ? -1 : 1;
        const size_t rowStart = static_cast<size_t>(y) * width;
        for (int x = dir > 0 ? 0 : width - 1; x >= 0 && x < width; x += dir) {
            const size_t i = rowStart + static_cast<size_t>(x);
            const unsigned char* px = rgb + i * 3;
            float* carried = thisRow + (static_cast<size_t>(x) + 1) * 3;
            const float level = base * map[i];
            const float er = carried[0] * level, eg = carried[1] * level, eb = carried[2] * level;
            const float size = er * er + eg * eg + eb * eb;
            int index;
            float qr = px[0], qg = px[1], qb = px[2];
            if (size < kSkip) {
                index = plain[i];
            } else {
                const float ratio = size > kLarge ? 0.8f : 1.f;
                qr += er * ratio;
                qg += eg * ratio;
                qb += eb * ratio;
                index = cells.Find(ToLevel(qr), ToLevel(qg), ToLevel(qb));
            }
            indices[i] = static_cast<unsigned char>(index);
            float dr = qr - palette[index].red, dg = qg - palette[index].green,
                  db = qb - palette[index].blue;
            if (dr * dr + dg * dg + db * db > kLarge) {
                dr *= 0.75f;
                dg *= 0.75f;
                db *= 0.75f;
            }
            float* ahead = thisRow + static_cast<size_t>(x + dir + 1) * 3;
            float* below = nextRow + (static_cast<size_t>(x) + 1) * 3;
            float* belowAhead = nextRow + static_cast<size_t>(x + dir + 1) * 3;
            float* belowBehind = nextRow + static_cast<size_t>(x - dir + 1) * 3;
            const float d[3] = {dr, dg, db};
            for (int k = 0; k < 3; ++k) {
                ahead[k] += d[k] * (7.f / 16.f);
                belowBehind[k] += d[k] * (3.f / 16.f);
                below[k] += d[k] * (5.f / 16.f);
                belowAhead[k] += d[k] * (1.f / 16.f);
            }
        }
        std::swap(thisRow, nextRow);
    }
    return true;
}
