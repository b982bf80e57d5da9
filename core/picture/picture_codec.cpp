#include "core/picture/picture_codec.h"

#include <cstring>
#include <memory>
#include <new>

#include <zstd.h>

namespace {

// Level 1 without a pre-filter: the fastest to make, and on screen content also the smallest
// (bench/frame_store_bench has the figures of the other choices).
constexpr int kLevel = 1;
// Pixels that hardly compress (photographs: 1.1 to 1.3 times at level 1, which costs as much
// time as decoding them) are kept as they are, behind a marker no zstd frame starts with: a
// copy, for a tenth or so more memory. Screen content shrinks 30 times.
constexpr double kWorthRatio = 1.5;
constexpr uint8_t kRawMarker[4] = {'R', 'A', 'W', 0};
constexpr size_t kRawHeader = sizeof kRawMarker + 8;

struct CompressorFree {
    void operator()(ZSTD_CCtx* context) const { ZSTD_freeCCtx(context); }
};
struct DecompressorFree {
    void operator()(ZSTD_DCtx* context) const { ZSTD_freeDCtx(context); }
};

// One context a thread, reused: making one costs more than compressing a small picture.
ZSTD_CCtx* Compressor()
{
    thread_local std::unique_ptr<ZSTD_CCtx, CompressorFree> context(ZSTD_createCCtx());
    if (!context)
        throw std::bad_alloc();
    return context.get();
}

ZSTD_DCtx* Decompressor()
{
    thread_local std::unique_ptr<ZSTD_DCtx, DecompressorFree> context(ZSTD_createDCtx());
    return context.get();
}

// Whether a plane of size bytes is worth compressing: four slices spread over it, compressed
// alone, shrink at least kWorthRatio. The slices cost at most a thirtieth of the whole.
bool WorthCompressing(ZSTD_CCtx* context, const uint8_t* input, size_t size)
{
    constexpr size_t kSlice = 8 * 1024;
    if (size < 16 * kSlice)
        return true;
    thread_local std::vector<uint8_t> scratch(ZSTD_compressBound(kSlice));
    size_t compressed = 0;
    for (size_t k = 0; k < 4; ++k) {
        const size_t at = (size - kSlice) * k / 3;
        const size_t n = ZSTD_compressCCtx(context, scratch.data(), scratch.size(), input + at,
                                           kSlice, kLevel);
        if (ZSTD_isError(n))
            return true;
        compressed += n;
    }
    return 4.0 * kSlice >= kWorthRatio * compressed;
}

void AppendRaw(const uint8_t* input, size_t size, std::vector<uint8_t>& out)
{
    out.reserve(out.size() + kRawHeader + size);
    out.insert(out.end(), kRawMarker, kRawMarker + sizeof kRawMarker);
    for (int shift = 0; shift < 64; shift += 8)
        out.push_back(static_cast<uint8_t>(uint64_t(size) >> shift));
    out.insert(out.end(), input, input + size);
}

// Reads a plane kept as it was: false unless bytes hold one of exactly size bytes.
bool ReadRaw(const uint8_t* bytes, size_t available, uint8_t* plane, size_t size,
             size_t& frameSize)
{
    if (available < kRawHeader || std::memcmp(bytes, kRawMarker, sizeof kRawMarker) != 0)
        return false;
    uint64_t stored = 0;
    for (int k = 0; k < 8; ++k)
        stored |= uint64_t(bytes[sizeof kRawMarker + k]) << (8 * k);
    if (stored != size || available - kRawHeader < size)
        return false;
    std::memcpy(plane, bytes + kRawHeader, size);
    frameSize = kRawHeader + size;
    return true;
}

// Appends one zstd frame of size bytes from input to out.
void AppendFrame(const uint8_t* input, size_t size, std::vector<uint8_t>& out)
{
    ZSTD_CCtx* context = Compressor();
    if (!WorthCompressing(context, input, size)) {
        AppendRaw(input, size, out);
        return;
    }
    ZSTD_CCtx_reset(context, ZSTD_reset_session_and_parameters);
    ZSTD_CCtx_setParameter(context, ZSTD_c_compressionLevel, kLevel);
    // No checksum: it costs a fifth of the time on photographs, and the bytes only travel
    // between this process's memory and its own cache file. The sizes are still checked.
    // Written into a buffer the thread keeps, then copied at their size: a fresh buffer of
    // the bound would be zeroed and mapped anew for every picture.
    thread_local std::vector<uint8_t> scratch;
    const size_t bound = ZSTD_compressBound(size);
    if (scratch.size() < bound)
        scratch.resize(bound);
    const size_t written = ZSTD_compress2(context, scratch.data(), bound, input, size);
    if (ZSTD_isError(written))
        throw std::bad_alloc();  // with room for the bound, only an allocation can fail
    out.reserve(out.size() + written);  // exactly: the picture is kept at this size
    out.insert(out.end(), scratch.data(), scratch.data() + written);
}

// Decodes the frame at the start of bytes into exactly size bytes at plane; frameSize
// receives its length. False unless the frame is whole, its checksum right and its size size.
bool ReadFrame(const uint8_t* bytes, size_t available, uint8_t* plane, size_t size,
               size_t& frameSize)
{
    if (available >= sizeof kRawMarker && std::memcmp(bytes, kRawMarker, sizeof kRawMarker) == 0)
        return ReadRaw(bytes, available, plane, size, frameSize);
    ZSTD_DCtx* context = Decompressor();
    frameSize = ZSTD_findFrameCompressedSize(bytes, available);
    if (!context || ZSTD_isError(frameSize) ||
        ZSTD_getFrameContentSize(bytes, frameSize) != size)
        return false;
    const size_t decoded = ZSTD_decompressDCtx(context, plane, size, bytes, frameSize);
    return !ZSTD_isError(decoded) && decoded == size;
}

} // namespace

std::vector<uint8_t> CompressPixels(const uint8_t* rgb, const uint8_t* alpha, size_t pixels)
{
    // Each plane is a frame of its own, so each compresses and decodes in one call straight
    // between the caller's planes and the result.
    std::vector<uint8_t> out;
    AppendFrame(rgb, pixels * 3, out);
    if (alpha)
        AppendFrame(alpha, pixels, out);
    return out;
}

bool DecompressPixels(const uint8_t* bytes, size_t size, size_t pixels, uint8_t* rgb,
                      uint8_t* alpha)
{
    size_t rgbFrame = 0, alphaFrame = 0;
    if (!ReadFrame(bytes, size, rgb, pixels * 3, rgbFrame))
        return false;
    if (alpha && !ReadFrame(bytes + rgbFrame, size - rgbFrame, alpha, pixels, alphaFrame))
        return false;
    return rgbFrame + alphaFrame == size;
}
