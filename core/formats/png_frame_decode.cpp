#include "core/formats/png_frame_decode.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <png.h>

bool StandalonePng(const ApngLayout& layout, const ApngFrameLayout& frame, const ByteReader& read,
                   PngBytes& png)
{
    PngHeader header = layout.header;
    header.width = frame.control.width;
    header.height = frame.control.height;
    const auto ihdr = IhdrData(header);
    const auto append = [&png](const PngBytes& bytes) {
        png.insert(png.end(), bytes.begin(), bytes.end());
    };
    png.assign(kPngSignature.begin(), kPngSignature.end());
    append(PngChunk("IHDR", ihdr.data(), ihdr.size()));
    if (!layout.palette.empty())
        append(PngChunk("PLTE", layout.palette.data(), layout.palette.size()));
    if (!layout.transparency.empty())
        append(PngChunk("tRNS", layout.transparency.data(), layout.transparency.size()));
    PngBytes data;
    for (const PngDataSpan& span : frame.data) {
        data.resize(span.length);
        if (span.length > 0 && !read(span.offset, data.data(), span.length))
            return false;
        append(PngChunk("IDAT", data.data(), data.size()));
    }
    append(PngChunk("IEND", nullptr, 0));
    return true;
}

namespace {

// The library's state for one image; it reports errors by a long jump, so nothing with a
// destructor may live between setjmp and the jump: the frames that run under it hold plain
// pointers only.
struct PngSource {
    const PngBytes* bytes = nullptr;
    size_t at = 0;
    char message[160] = {};
};

void ReadFromMemory(png_structp png, png_bytep out, size_t count)
{
    PngSource* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (count > source->bytes->size() - source->at)
        png_error(png, "the data ends too soon");
    std::memcpy(out, source->bytes->data() + source->at, count);
    source->at += count;
}

void OnError(png_structp png, png_const_charp message)
{
    PngSource* source = static_cast<PngSource*>(png_get_error_ptr(png));
    std::snprintf(source->message, sizeof source->message, "%s", message);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp)
{
    // Warnings (an unknown chunk, extra compressed data) leave the picture as it is.
}

// Reads the image of width x height with every transformation to 8-bit RGBA; rows point into
// the caller's buffer. False on any error of the library, or when the header has another size.
bool ReadRgba(png_structp png, png_infop info, png_bytep* rows, uint32_t width, uint32_t height)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_info(png, info);
    if (png_get_image_width(png, info) != width || png_get_image_height(png, info) != height)
        png_error(png, "the frame has an unexpected size");
    png_set_expand(png);    // palettes and small grey depths to 8 bits, tRNS to alpha
    png_set_scale_16(png);  // 16-bit samples rounded to 8
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t{width} * 4)
        png_error(png, "unexpected row size");
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    return true;
}

} // namespace

bool DecodePngRgba(const PngBytes& bytes, uint32_t width, uint32_t height,
                   std::vector<uint8_t>& rgba, wxString* reason)
{
    PngSource source;
    source.bytes = &bytes;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &source, OnError, OnWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        if (reason)
            *reason = "not enough memory to decode a frame";
        return false;
    }
    png_set_read_fn(png, &source, ReadFromMemory);
    png_set_user_limits(png, width, height);
    rgba.resize(size_t{width} * height * 4);
    std::vector<png_bytep> rows(height);
    for (uint32_t y = 0; y < height; ++y)
        rows[y] = rgba.data() + size_t{y} * width * 4;
    const bool ok = ReadRgba(png, info, rows.data(), width, height);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok && reason)
        *reason = wxString::FromUTF8(source.message);
    return ok;
}
