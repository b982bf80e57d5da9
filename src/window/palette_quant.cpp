#include "src/window/palette_quant.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include <libimagequant.h>
#include <omp.h>

#include <wx/palette.h>

namespace {

constexpr int kGifColours = 256;

// libimagequant's speed, 1 (slowest) to 10. 5 is the fastest that keeps its noise-sensitive
// dithering; above it the dithering spreads noise into flat areas, which costs quality and
// makes larger files. On photographs 5 finds the palette in two thirds of the time of the
// library's default 4 and loses 0.05 dB.
constexpr int kSpeed = 5;

// Frames with more distinct colours than this are quantised from a quarter of their pixels.
// The quantiser's time grows with the number of distinct colours, and photographs and smooth
// shading have tens of thousands: there a sample halves the time and the palette hardly
// changes (under 0.1 dB on photographs). Screen pictures have a few thousand, mostly the edges of
// text and thin lines, which a sample could miss; they are cheap and are quantised whole.
constexpr int kManyColours = 8192;

// The number of distinct colours of pixels RGB pixels, counted up to limit + 1. When it is at
// most 256, colours receives them as 0xRRGGBB, ascending.
int CountColours(const unsigned char* rgb, size_t pixels, int limit,
                 std::vector<uint32_t>& colours)
{
    // Open addressing at four slots or more per colour keeps probe chains short; keys carry
    // bit 24 so that 0 marks an empty slot, black included.
    int bits = 10;
    while ((1u << bits) < 4u * static_cast<uint32_t>(limit + 1))
        ++bits;
    const uint32_t slots = 1u << bits, mask = slots - 1;
    std::vector<uint32_t> table(slots, 0);
    colours.clear();
    int count = 0;
    uint32_t last = 0;
    for (size_t i = 0; i < pixels && count <= limit; ++i, rgb += 3) {
        const uint32_t key =
            0x1000000u | (uint32_t(rgb[0]) << 16) | (uint32_t(rgb[1]) << 8) | rgb[2];
        if (key == last)
            continue;
        last = key;
        // Multiplicative hashing: the product's top bits are the well-mixed ones.
        uint32_t slot = (key * 2654435761u) >> (32 - bits);
        while (table[slot] != 0 && table[slot] != key)
            slot = (slot + 1) & mask;
        if (table[slot] == 0) {
            table[slot] = key;
            if (++count <= kGifColours)
                colours.push_back(key & 0xFFFFFFu);
        }
    }
    std::sort(colours.begin(), colours.end());
    return count;
}

// A half-size picture (rounded up) made of one pixel of each 2 x 2 block of rgba. The pixel
// taken changes with the block's position, so that every row and every column of the source
// contributes, and neighbours stay neighbours for the quantiser's edge and noise detection.
std::unique_ptr<unsigned char[]> Sample(const unsigned char* rgba, int width, int height,
                                        int& sampleWidth, int& sampleHeight)
{
    sampleWidth = (width + 1) / 2;
    sampleHeight = (height + 1) / 2;
    std::unique_ptr<unsigned char[]> out(
        new (std::nothrow) unsigned char[size_t(sampleWidth) * sampleHeight * 4]);
    if (!out)
        return out;
    unsigned char* p = out.get();
    for (int y = 0; y < sampleHeight; ++y)
        for (int x = 0; x < sampleWidth; ++x, p += 4) {
            const int sx = std::min(width - 1, 2 * x + (y & 1));
            const int sy = std::min(height - 1, 2 * y + (x & 1));
            std::memcpy(p, rgba + (size_t(sy) * width + sx) * 4, 4);
        }
    return out;
}

void AttachPalette(wxImage& image, const std::vector<uint32_t>& colours)
{
    const int n = static_cast<int>(colours.size());
    unsigned char red[kGifColours], green[kGifColours], blue[kGifColours];
    for (int i = 0; i < n; ++i) {
        red[i] = static_cast<unsigned char>(colours[i] >> 16);
        green[i] = static_cast<unsigned char>(colours[i] >> 8);
        blue[i] = static_cast<unsigned char>(colours[i]);
    }
    image.SetPalette(wxPalette(n, red, green, blue));
}

// libimagequant runs parts of its work on OpenMP threads. How its sums are split across them,
// and some of its choices, follow the OpenMP thread count, so with more than one the palette
// could depend on the machine. The export already reduces one frame per processor, so one
// OpenMP thread per call costs nothing there and keeps the bytes fixed. The setting belongs to
// the calling thread alone and is restored afterwards.
class OneOpenMpThread {
public:
    OneOpenMpThread() : m_previous(omp_get_max_threads()) { omp_set_num_threads(1); }
    ~OneOpenMpThread() { omp_set_num_threads(m_previous); }
    OneOpenMpThread(const OneOpenMpThread&) = delete;
    OneOpenMpThread& operator=(const OneOpenMpThread&) = delete;

private:
    int m_previous;
};

template <typename T, void (*Destroy)(T*)>
struct LiqDeleter {
    void operator()(T* p) const
    {
        if (p)
            Destroy(p);
    }
};
using LiqAttr = std::unique_ptr<liq_attr, LiqDeleter<liq_attr, liq_attr_destroy>>;
using LiqImage = std::unique_ptr<liq_image, LiqDeleter<liq_image, liq_image_destroy>>;
using LiqResult = std::unique_ptr<liq_result, LiqDeleter<liq_result, liq_result_destroy>>;
using LiqHistogram =
    std::unique_ptr<liq_histogram, LiqDeleter<liq_histogram, liq_histogram_destroy>>;

// The quantised frame: indices into palette, for every pixel.
struct Quantised {
    std::unique_ptr<unsigned char[]> indices;
    liq_palette palette;
};

// The palette for image: from all its pixels, or from a sample of them (see kManyColours).
bool MakePalette(liq_attr* attr, liq_image* image, const unsigned char* rgba, bool sample,
                 LiqResult& result)
{
    liq_result* raw = nullptr;
    if (!sample) {
        if (liq_image_quantize(image, attr, &raw) != LIQ_OK)
            return false;
        result.reset(raw);
        return true;
    }
    int width = 0, height = 0;
    const std::unique_ptr<unsigned char[]> pixels =
        Sample(rgba, liq_image_get_width(image), liq_image_get_height(image), width, height);
    if (!pixels)
        return false;
    const LiqImage sampled(liq_image_create_rgba(attr, pixels.get(), width, height, 0));
    const LiqHistogram histogram(liq_histogram_create(attr));
    if (!sampled || !histogram ||
        liq_histogram_add_image(histogram.get(), attr, sampled.get()) != LIQ_OK ||
        liq_histogram_quantize(histogram.get(), attr, &raw) != LIQ_OK)
        return false;
    result.reset(raw);
    return true;
}

bool Quantise(const wxImage& source, size_t pixels, bool sample, const QuantSettings& settings,
              Quantised& out)
{
    std::unique_ptr<unsigned char[]> rgba(new (std::nothrow) unsigned char[pixels * 4]);
    out.indices.reset(new (std::nothrow) unsigned char[pixels]);
    if (!rgba || !out.indices)
        return false;
    const unsigned char* rgb = source.GetData();
    for (size_t i = 0; i < pixels; ++i) {
        std::memcpy(&rgba[i * 4], rgb + i * 3, 3);
        rgba[i * 4 + 3] = 255;
    }

    OneOpenMpThread oneThread;
    const LiqAttr attr(liq_attr_create());
    if (!attr || liq_set_speed(attr.get(), kSpeed) != LIQ_OK ||
        liq_set_max_colors(attr.get(), settings.colours) != LIQ_OK)
        return false;
    // Gamma 0: the library's default, the sRGB curve of ordinary pictures.
    const LiqImage image(liq_image_create_rgba(attr.get(), rgba.get(), source.GetWidth(),
                                               source.GetHeight(), 0));
    LiqResult result;
    if (!image || !MakePalette(attr.get(), image.get(), rgba.get(), sample, result))
        return false;
    if (liq_set_dithering_level(result.get(), settings.dithering) != LIQ_OK ||
        liq_write_remapped_image(result.get(), image.get(), out.indices.get(), pixels) != LIQ_OK)
        return false;
    // Read after remapping: the remapping may still refine the palette.
    const liq_palette* palette = liq_get_palette(result.get());
    if (!palette || palette->count == 0 || palette->count > kGifColours)
        return false;
    out.palette = *palette;
    return true;
}

} // namespace

wxImage ReduceToPaletteQuant(const wxImage& source, const QuantSettings& settings)
{
    if (!source.IsOk())
        return wxImage();
    const int width = source.GetWidth();
    const int height = source.GetHeight();
    const size_t pixels = static_cast<size_t>(width) * height;
    wxImage result(width, height, false);
    if (!result.IsOk())
        return wxImage();
    unsigned char* out = result.GetData();

    std::vector<uint32_t> colours;
    const int distinct = CountColours(source.GetData(), pixels, kManyColours, colours);
    if (distinct <= settings.colours) {
        std::memcpy(out, source.GetData(), pixels * 3);
        AttachPalette(result, colours);
        return result;
    }

    Quantised q;
    if (!Quantise(source, pixels, distinct > kManyColours, settings, q))
        return wxImage();
    // Only the entries some pixel uses go into the palette, in the library's order: a smaller
    // palette can make a smaller GIF colour table.
    int renumbered[kGifColours];
    std::fill(std::begin(renumbered), std::end(renumbered), -1);
    for (size_t i = 0; i < pixels; ++i) {
        if (q.indices[i] >= q.palette.count)
            return wxImage();
        renumbered[q.indices[i]] = 0;
    }
    colours.clear();
    for (unsigned i = 0; i < q.palette.count; ++i)
        if (renumbered[i] == 0) {
            const liq_color& c = q.palette.entries[i];
            renumbered[i] = static_cast<int>(colours.size());
            colours.push_back((uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b);
        }
    for (size_t i = 0; i < pixels; ++i, out += 3) {
        const uint32_t c = colours[renumbered[q.indices[i]]];
        out[0] = static_cast<unsigned char>(c >> 16);
        out[1] = static_cast<unsigned char>(c >> 8);
        out[2] = static_cast<unsigned char>(c);
    }
    AttachPalette(result, colours);
    return result;
}
