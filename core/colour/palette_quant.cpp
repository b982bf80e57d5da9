#include "core/colour/palette_quant.h"

#include "core/colour/indexed_frame.h"
#include "core/colour/palette_lookup.h"
#include "core/colour/palette_remap.h"

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

// libimagequant only finds the palette; the pixels are mapped by RemapToPalette
// (palette_remap.h), which takes under half the time of the library's own remapping and dithers
// in the same places (where the plain mapping would leave bands, not on edges and busy areas).
//
// The library's speed, 1 (slowest) to 10, for frames quantised whole: 5, whose palette is within
// 0.05 dB of the default 4's. Those frames have few colours (screen pictures) and are cheap.
constexpr int kSpeed = 5;

// Frames with more distinct colours than kManyColours (photographs, smooth shading: tens of
// thousands) are quantised from one pixel of each kSampleStep x kSampleStep block at
// kSampledSpeed, and the palette is then refined by kRefineSteps k-means steps over the same
// sample. The quantiser's time grows with the number of distinct colours and falls with the
// speed: this takes a sixth of the time of a quarter sample at speed 5, and the refinement wins
// back most of what the faster search loses (on photographs the whole reduction ends 0.15 dB
// below the library's own at speed 5, in a third of the time). Screen pictures have a few
// thousand colours, mostly the edges of text and thin lines, which a sample could miss; they are
// quantised whole and not refined, since the means would pull the exact colours of their flat
// areas towards the anti-aliased edges around them (0.7 dB lost in a trial).
constexpr int kManyColours = 8192;
constexpr int kSampleStep = 4;
constexpr int kSampledSpeed = 7;
constexpr int kRefineSteps = 3;


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

// One pixel of each step x step block of the RGB picture rgb, as opaque RGBA (a picture of the
// blocks, rounded up). The pixel
// taken changes with the block's position, so that every row and every column of the source
// contributes, and neighbours stay neighbours for the quantiser's edge and noise detection.
std::unique_ptr<unsigned char[]> Sample(const unsigned char* rgb, int width, int height,
                                        int step, int& sampleWidth, int& sampleHeight)
{
    sampleWidth = (width + step - 1) / step;
    sampleHeight = (height + step - 1) / step;
    std::unique_ptr<unsigned char[]> out(
        new (std::nothrow) unsigned char[size_t(sampleWidth) * sampleHeight * 4]);
    if (!out)
        return out;
    unsigned char* p = out.get();
    for (int y = 0; y < sampleHeight; ++y)
        for (int x = 0; x < sampleWidth; ++x, p += 4) {
            const int sx = std::min(width - 1, step * x + y % step);
            const int sy = std::min(height - 1, step * y + x % step);
            std::memcpy(p, rgb + (size_t(sy) * width + sx) * 3, 3);
            p[3] = 255;
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

// The palette of the RGB picture rgb: from all its pixels, or from a sample of them (see
// kManyColours), then refined.
bool FindPalette(const unsigned char* rgb, int width, int height, bool sample, int colours,
                 GifPaletteTable& palette, int& count)
{
    OneOpenMpThread oneThread;
    const LiqAttr attr(liq_attr_create());
    if (!attr || liq_set_speed(attr.get(), sample ? kSampledSpeed : kSpeed) != LIQ_OK ||
        liq_set_max_colors(attr.get(), colours) != LIQ_OK)
        return false;
    int pictureWidth = width, pictureHeight = height;
    std::unique_ptr<unsigned char[]> rgba;
    if (sample) {
        rgba = Sample(rgb, width, height, kSampleStep, pictureWidth, pictureHeight);
    } else {
        const size_t pixels = static_cast<size_t>(width) * height;
        rgba.reset(new (std::nothrow) unsigned char[pixels * 4]);
        for (size_t i = 0; rgba && i < pixels; ++i) {
            std::memcpy(&rgba[i * 4], rgb + i * 3, 3);
            rgba[i * 4 + 3] = 255;
        }
    }
    if (!rgba)
        return false;
    // Gamma 0: the library's default, the sRGB curve of ordinary pictures.
    const LiqImage image(
        liq_image_create_rgba(attr.get(), rgba.get(), pictureWidth, pictureHeight, 0));
    liq_result* raw = nullptr;
    if (!image || liq_image_quantize(image.get(), attr.get(), &raw) != LIQ_OK)
        return false;
    const LiqResult result(raw);
    const liq_palette* found = liq_get_palette(result.get());
    if (!found || found->count == 0 || found->count > kGifColours)
        return false;
    count = static_cast<int>(found->count);
    for (int i = 0; i < count; ++i)
        palette[i] = GifRgb{found->entries[i].r, found->entries[i].g, found->entries[i].b};
    if (sample)
        RefinePalette(rgb, width, height, kSampleStep, kRefineSteps, palette, count);
    return true;
}

// Keeps only the entries some pixel uses, each colour once (its first entry), in palette order,
// and renumbers the indices to match: a smaller palette can make a smaller GIF colour table,
// and distinct entries make the indices the ones a lookup of the colours would give.
bool KeepUsedEntries(IndexedFrame& frame, int count)
{
    bool used[kGifColours] = {};
    for (const unsigned char index : frame.indices) {
        if (index >= count)
            return false;
        used[index] = true;
    }
    int renumbered[kGifColours];
    const GifPaletteTable old = frame.palette;
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        if (!used[i])
            continue;
        int same = 0;
        while (same < kept && !(frame.palette[same].red == old[i].red &&
                                frame.palette[same].green == old[i].green &&
                                frame.palette[same].blue == old[i].blue))
            ++same;
        if (same == kept)
            frame.palette[kept++] = old[i];
        renumbered[i] = same;
    }
    for (unsigned char& index : frame.indices)
        index = static_cast<unsigned char>(renumbered[index]);
    frame.colourCount = kept;
    return kept > 0;
}

} // namespace

bool ReduceToIndexedQuant(const wxImage& source, IndexedFrame& out,
                          const QuantSettings& settings)
{
    out = IndexedFrame();
    if (!source.IsOk())
        return false;
    const int width = source.GetWidth();
    const int height = source.GetHeight();
    const size_t pixels = static_cast<size_t>(width) * height;
    try {
        out.indices.resize(pixels);
    } catch (const std::bad_alloc&) {
        out = IndexedFrame();
        return false;
    }
    out.width = width;
    out.height = height;

    std::vector<uint32_t> colours;
    const int distinct = CountColours(source.GetData(), pixels, kManyColours, colours);
    const int most = std::clamp(settings.colours, 2, kGifColours);
    if (distinct <= most) {
        // Every colour exactly, ascending: no quantisation, no dithering.
        out.colourCount = static_cast<int>(colours.size());
        for (int i = 0; i < out.colourCount; ++i)
            out.palette[i] = GifRgb{static_cast<unsigned char>(colours[i] >> 16),
                                    static_cast<unsigned char>(colours[i] >> 8),
                                    static_cast<unsigned char>(colours[i])};
        const PaletteLookup lookup(out.palette.data(), out.colourCount);
        if (out.colourCount == 0 ||
            lookup.Map(source.GetData(), static_cast<long>(pixels), out.indices.data()) >= 0) {
            out = IndexedFrame();
            return false;
        }
        return true;
    }

    int count = 0;
    if (!FindPalette(source.GetData(), width, height, distinct > kManyColours, most,
                     out.palette, count) ||
        !RemapToPalette(source.GetData(), width, height, out.palette, count,
                        std::clamp(settings.dithering, 0.0f, 1.0f), out.indices.data()) ||
        !KeepUsedEntries(out, count)) {
        out = IndexedFrame();
        return false;
    }
    return true;
}

wxImage IndexedFrameToImage(const IndexedFrame& frame)
{
    const size_t pixels = static_cast<size_t>(frame.width) * frame.height;
    if (frame.width <= 0 || frame.height <= 0 || frame.colourCount <= 0 ||
        frame.colourCount > kGifColours || frame.indices.size() != pixels)
        return wxImage();
    wxImage result(frame.width, frame.height, false);
    if (!result.IsOk())
        return wxImage();
    unsigned char* out = result.GetData();
    for (size_t i = 0; i < pixels; ++i, out += 3) {
        const unsigned char index = frame.indices[i];
        if (index >= frame.colourCount)
            return wxImage();
        const GifRgb& c = frame.palette[index];
        out[0] = c.red;
        out[1] = c.green;
        out[2] = c.blue;
    }
    std::vector<uint32_t> colours(static_cast<size_t>(frame.colourCount));
    for (int i = 0; i < frame.colourCount; ++i)
        colours[i] = (uint32_t(frame.palette[i].red) << 16) |
                     (uint32_t(frame.palette[i].green) << 8) | frame.palette[i].blue;
    AttachPalette(result, colours);
    return result;
}

wxImage ReduceToPaletteQuant(const wxImage& source, const QuantSettings& settings)
{
    IndexedFrame frame;
    if (!ReduceToIndexedQuant(source, frame, settings))
        return wxImage();
    return IndexedFrameToImage(frame);
}
