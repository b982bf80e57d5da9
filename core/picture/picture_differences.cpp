#include "core/picture/picture_differences.h"

#include <cstring>
#include <thread>

namespace {

bool SameMask(const std::optional<MaskColour>& a, const std::optional<MaskColour>& b)
{
    if (!a || !b)
        return !a && !b;
    return a->red == b->red && a->green == b->green && a->blue == b->blue;
}

bool Alike(const PixelView& a, const PixelView& b)
{
    return a.width == b.width && a.height == b.height && a.width > 0 && a.height > 0 && a.rgb &&
           b.rgb && (a.alpha == nullptr) == (b.alpha == nullptr) && SameMask(a.mask, b.mask);
}

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "DifferingColours reads bytes in the order of a little-endian word");

// One bit for each of the eight bytes of word that is not 0, bit k for byte k (the byte at
// the lowest address, as the words are loaded on a little-endian machine).
inline uint32_t NonZeroBytes(uint64_t word)
{
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    const uint64_t high = (((word & kLow7) + kLow7) | word) & ~kLow7;
    // The eight high bits gathered into the top byte by one multiplication.
    return static_cast<uint32_t>(((high >> 7) * 0x0102040810204080ull) >> 56);
}

// The bits set in x, without the library call a build for any x86-64 makes of popcount.
inline uint32_t CountBits(uint32_t x)
{
    x = x - ((x >> 1) & 0x55555555u);
    x = (x & 0x33333333u) + ((x >> 2) & 0x33333333u);
    return (((x + (x >> 4)) & 0x0F0F0F0Fu) * 0x01010101u) >> 24;
}

inline uint64_t Load(const uint8_t* bytes)
{
    uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// The pixels of one row whose colour differs: eight pixels (24 bytes, three words) at a
// time, a run of equal words skipped at once, as the parts of a screen that a change leaves
// alone are.
uint64_t DifferingColours(const uint8_t* a, const uint8_t* b, int width)
{
    uint64_t differing = 0;
    int x = 0;
    for (; x + 8 <= width; x += 8, a += 24, b += 24) {
        const uint64_t d0 = Load(a) ^ Load(b);
        const uint64_t d1 = Load(a + 8) ^ Load(b + 8);
        const uint64_t d2 = Load(a + 16) ^ Load(b + 16);
        if ((d0 | d1 | d2) == 0)
            continue;
        // Bit i: byte i of the 24 differs; a pixel differs when any of its three does.
        const uint32_t bytes = NonZeroBytes(d0) | NonZeroBytes(d1) << 8 | NonZeroBytes(d2) << 16;
        const uint32_t pixels = (bytes | bytes >> 1 | bytes >> 2) & 0x249249u;
        differing += CountBits(pixels);
    }
    for (; x < width; ++x, a += 3, b += 3)
        differing += (a[0] != b[0]) | (a[1] != b[1]) | (a[2] != b[2]);
    return differing;
}

// The pixels of one row that differ in colour or alpha.
uint64_t DifferingInRow(const uint8_t* a, const uint8_t* b, const uint8_t* alphaA,
                        const uint8_t* alphaB, int width)
{
    if (!alphaA)
        return DifferingColours(a, b, width);
    uint64_t differing = 0;
    for (int x = 0; x < width; ++x) {
        const int i = 3 * x;
        differing += (a[i] != b[i]) | (a[i + 1] != b[i + 1]) | (a[i + 2] != b[i + 2]) |
                     (alphaA[x] != alphaB[x]);
    }
    return differing;
}

bool Alike(const Picture* a, const Picture* b)
{
    return a && b && a->Width() == b->Width() && a->Height() == b->Height() &&
           a->HasAlpha() == b->HasAlpha() && SameMask(a->Mask(), b->Mask());
}

// The pairs first .. last - 1 (pair i: pictures i - 1 and i), each picture decoded at most
// once into one of two buffers that swap as the pass moves on.
void CompareRange(const std::vector<PictureRef>& pictures, size_t first, size_t last,
                  double limit, const std::atomic<bool>& stop, std::atomic<int>* done,
                  std::vector<double>& shares)
{
    DecodedPicture buffers[2];
    DecodedPicture* previous = &buffers[0];
    DecodedPicture* current = &buffers[1];
    size_t previousIndex = SIZE_MAX;  // the picture in previous, if any
    for (size_t i = first; i < last && !stop; ++i) {
        const Picture* a = pictures[i - 1].get();
        const Picture* b = pictures[i].get();
        double share = kNotAlike;
        if (a && a == b)
            share = 0;
        else if (Alike(a, b) && a->SameBytesAs(*b))
            share = 0;
        else if (Alike(a, b) && limit <= 0)
            // Other bytes are other pixels (the compression is a function of the pixels): at
            // least one pixel differs, and only whether any does was asked.
            share = 1.0 / (static_cast<double>(a->Width()) * a->Height());
        else if (Alike(a, b)) {
            if (previousIndex != i - 1)
                previousIndex = a->DecodeInto(*previous) ? i - 1 : SIZE_MAX;
            if (previousIndex == i - 1 && b->DecodeInto(*current)) {
                share = DifferingShare(ViewOf(*previous), ViewOf(*current), limit);
                std::swap(previous, current);
                previousIndex = i;
            }
        }
        shares[i] = share;
        if (done)
            ++*done;
    }
}

} // namespace

PixelView ViewOf(const DecodedPicture& picture)
{
    return {picture.width, picture.height, picture.rgb.data(),
            picture.HasAlpha() ? picture.alpha.data() : nullptr, picture.mask};
}

PixelView ViewOf(const wxImage& image)
{
    if (!image.IsOk())
        return {};
    std::optional<MaskColour> mask;
    if (image.HasMask())
        mask = MaskColour{image.GetMaskRed(), image.GetMaskGreen(), image.GetMaskBlue()};
    return {image.GetWidth(), image.GetHeight(), image.GetData(),
            image.HasAlpha() ? image.GetAlpha() : nullptr, mask};
}

double DifferingShare(const PixelView& a, const PixelView& b, double limit)
{
    if (!Alike(a, b))
        return kNotAlike;
    const size_t width = static_cast<size_t>(a.width);
    const double total = static_cast<double>(width) * a.height;
    // Counting goes on while the count is at most this many pixels.
    const double most = limit * total;
    uint64_t differing = 0;
    for (int y = 0; y < a.height; ++y) {
        const size_t row = static_cast<size_t>(y) * width;
        const uint8_t* rowA = a.rgb + 3 * row;
        const uint8_t* rowB = b.rgb + 3 * row;
        const uint8_t* alphaA = a.alpha ? a.alpha + row : nullptr;
        const uint8_t* alphaB = b.alpha ? b.alpha + row : nullptr;
        // Most rows of screen content repeat whole: one memcmp settles them.
        if (std::memcmp(rowA, rowB, 3 * width) == 0 &&
            (!alphaA || std::memcmp(alphaA, alphaB, width) == 0))
            continue;
        differing += DifferingInRow(rowA, rowB, alphaA, alphaB, a.width);
        if (static_cast<double>(differing) > most)
            break;
    }
    return static_cast<double>(differing) / total;
}

std::vector<double> ConsecutiveDifferences(const std::vector<PictureRef>& pictures, double limit,
                                           const std::atomic<bool>& stop, std::atomic<int>* done)
{
    const size_t n = pictures.size();
    std::vector<double> shares(n, kNotAlike);
    if (n < 2)
        return shares;
    // Two halves at once: the machines we run on have two cores at the least, and each
    // picture but the one where the halves meet is still decoded once.
    const size_t middle = n / 2 + 1;
    std::thread second;
    if (n > 8) {
        try {
            second = std::thread(CompareRange, std::cref(pictures), middle, n, limit,
                                 std::cref(stop), done, std::ref(shares));
        } catch (const std::system_error&) {
        }
    }
    CompareRange(pictures, 1, second.joinable() ? middle : n, limit, stop, done, shares);
    if (second.joinable())
        second.join();
    if (stop)
        return {};
    return shares;
}
