#include "core/picture/picture_codec.h"

#include <memory>
#include <new>

#include <zstd.h>

namespace {

// Level 1 without a pre-filter: the fastest to make, and on screen content also the smallest
// (bench/frame_store_bench has the figures of the other choices).
constexpr int kLevel = 1;

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

// Appends one zstd frame of size bytes from input to out.
void AppendFrame(const uint8_t* input, size_t size, std::vector<uint8_t>& out)
{
    ZSTD_CCtx* context = Compressor();
    ZSTD_CCtx_reset(context, ZSTD_reset_session_and_parameters);
    ZSTD_CCtx_setParameter(context, ZSTD_c_compressionLevel, kLevel);
    // No checksum: it costs a fifth of the time on photographs, and the bytes only travel
    // between this process's memory and its own cache file. The sizes are still checked.
    const size_t start = out.size();
    out.resize(start + ZSTD_compressBound(size));
    const size_t written = ZSTD_compress2(context, out.data() + start, out.size() - start, input, size);
    if (ZSTD_isError(written))
        throw std::bad_alloc();  // with room for the bound, only an allocation can fail
    out.resize(start + written);
}

// Decodes the frame at the start of bytes into exactly size bytes at plane; frameSize
// receives its length. False unless the frame is whole, its checksum right and its size size.
bool ReadFrame(const uint8_t* bytes, size_t available, uint8_t* plane, size_t size,
               size_t& frameSize)
{
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
    out.shrink_to_fit();
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
