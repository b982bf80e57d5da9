#include "core/input/image_header.h"

#include <cstring>

#include "core/base/byte_order.h"
#include "core/base/file_byte_reader.h"

namespace {

// Sides that don't fit an int, or are 0, make no size.
wxSize SizeOf(int64_t width, int64_t height)
{
    if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX)
        return wxSize();
    return wxSize(static_cast<int>(width), static_cast<int>(height));
}

// PNG: the signature, then the IHDR chunk with width and height, big-endian.
wxSize PngSize(const unsigned char* h)
{
    if (std::memcmp(h + 12, "IHDR", 4) != 0)
        return wxSize();
    return SizeOf(Big32(h + 16), Big32(h + 20));
}

// BMP: the file header, then the DIB header whose size tells its kind: 12 bytes for the old
// core header (16-bit sides), 40 or more for the others (32-bit; a negative height means the
// rows are stored top-down).
wxSize BmpSize(const unsigned char* h)
{
    const uint32_t dib = Little32(h + 14);
    if (dib == 12)
        return SizeOf(Little16(h + 18), Little16(h + 20));
    if (dib < 40)
        return wxSize();
    const int64_t height = static_cast<int32_t>(Little32(h + 22));
    return SizeOf(static_cast<int32_t>(Little32(h + 18)), height < 0 ? -height : height);
}

bool IsStartOfFrame(unsigned char marker)
{
    // SOF0..SOF15, except DHT (C4), JPG (C8) and DAC (CC), which share the range.
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
           marker != 0xCC;
}

// JPEG: markers from the start of image on; every segment but the stand-alone markers gives
// its length, so the walk jumps from one to the next until a frame header.
wxSize JpegSize(const ByteReader& read)
{
    uint64_t at = 2;
    for (int segments = 0; segments < 100000; ++segments) {
        unsigned char m[2];
        if (!read(at, m, 2) || m[0] != 0xFF)
            return wxSize();
        if (m[1] == 0xFF) {  // fill byte before a marker
            ++at;
            continue;
        }
        at += 2;
        if (m[1] == 0x01 || (m[1] >= 0xD0 && m[1] <= 0xD8))
            continue;  // no length follows
        if (m[1] == 0xD9 || m[1] == 0xDA)
            return wxSize();  // the image ends, or its data starts, before any frame header
        unsigned char segment[7];
        if (!read(at, segment, IsStartOfFrame(m[1]) ? 7 : 2))
            return wxSize();
        const uint32_t length = Big16(segment);
        if (length < 2)
            return wxSize();
        if (IsStartOfFrame(m[1]))
            return SizeOf(Big16(segment + 5), Big16(segment + 3));
        at += length;
    }
    return wxSize();
}

} // namespace

ImageHeader ParseImageHeader(const ByteReader& read)
{
    ImageHeader header;
    unsigned char h[30] = {};
    if (!read(0, h, 2))
        return header;
    if (h[0] == 0xFF && h[1] == 0xD8) {
        header.format = ImageFormat::Jpeg;
        header.size = JpegSize(read);
        return header;
    }
    // The other formats' sizes are within the first 26 bytes.
    if (!read(0, h, 26))
        return header;
    if (std::memcmp(h, "\x89PNG\r\n\x1a\n", 8) == 0) {
        header.format = ImageFormat::Png;
        header.size = PngSize(h);
    } else if (std::memcmp(h, "GIF", 3) == 0) {
        // giflib takes any "GIF" as a GIF, whatever version follows; so does this test.
        header.format = ImageFormat::Gif;
        header.size = SizeOf(Little16(h + 6), Little16(h + 8));
    } else if (h[0] == 'B' && h[1] == 'M') {
        header.format = ImageFormat::Bmp;
        header.size = BmpSize(h);
    }
    return header;
}

ImageHeader ParseImageHeader(const unsigned char* bytes, size_t size)
{
    return ParseImageHeader([&](uint64_t offset, unsigned char* out, size_t count) {
        if (offset > size || count > size - offset)
            return false;
        std::memcpy(out, bytes + offset, count);
        return true;
    });
}

ImageHeader ReadImageHeader(const wxString& path)
{
    FileByteReader file(path);
    if (!file.IsOpen())
        return ImageHeader();
    return ParseImageHeader(file.Reader());
}
