#include "core/input/picture_end.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/base/byte_order.h"

namespace {

// The bytes of a reader one at a time, fetched a block at a time.
class ByteCursor {
public:
    ByteCursor(const ByteReader& read, uint64_t size) : m_read(read), m_size(size) {}

    // The byte at offset; -1 past the end or when it can't be read.
    int At(uint64_t offset)
    {
        if (offset < m_start || offset >= m_start + m_block.size()) {
            if (offset >= m_size)
                return -1;
            m_block.resize(static_cast<size_t>(std::min<uint64_t>(kBlock, m_size - offset)));
            m_start = offset;
            if (!m_read(offset, m_block.data(), m_block.size())) {
                m_block.clear();
                return -1;
            }
        }
        return m_block[static_cast<size_t>(offset - m_start)];
    }

private:
    static constexpr size_t kBlock = 64 * 1024;
    const ByteReader& m_read;
    uint64_t m_size;
    uint64_t m_start = 0;
    std::vector<unsigned char> m_block;
};

bool EndsWith(const ByteReader& read, uint64_t size, const unsigned char* tail, size_t count)
{
    unsigned char last[16];
    return size >= count && count <= sizeof last && read(size - count, last, count) &&
           std::memcmp(last, tail, count) == 0;
}

const char* const kNoJpegEnd = "the file ends before its end-of-image marker";
const char* const kNoPngEnd = "the file ends before its IEND chunk";

bool IsJpegRestart(int marker)
{
    return marker >= 0xD0 && marker <= 0xD7;
}

// The offset of the next marker from at on: 0xFF and a code that is neither a stuffed zero, a
// fill byte nor a restart marker, which all occur inside a scan's data. 0 when none is left.
uint64_t NextJpegMarker(ByteCursor& bytes, uint64_t at)
{
    for (int byte = bytes.At(at); byte >= 0; byte = bytes.At(++at)) {
        if (byte != 0xFF)
            continue;
        const int code = bytes.At(at + 1);
        if (code < 0)
            return 0;
        if (code != 0x00 && code != 0xFF && !IsJpegRestart(code))
            return at;
    }
    return 0;
}

// Segment by segment from the start of image, the scans' data stepped over byte by byte,
// up to the end-of-image marker.
wxString JpegMissingEnd(const ByteReader& read, uint64_t size)
{
    static const unsigned char kEnd[] = {0xFF, 0xD9};
    if (EndsWith(read, size, kEnd, 2))
        return wxString();
    ByteCursor bytes(read, size);
    uint64_t at = 2;
    for (;;) {
        const uint64_t marker = NextJpegMarker(bytes, at);
        if (marker == 0)
            return kNoJpegEnd;
        const int code = bytes.At(marker + 1);
        if (code == 0xD9)
            return wxString();
        at = marker + 2;
        if (code == 0x01 || code == 0xD8)
            continue;  // no length follows
        const int high = bytes.At(at);
        const int low = bytes.At(at + 1);
        if (high < 0 || low < 0)
            return kNoJpegEnd;
        // A length below 2 can't step past itself; the next search starts after it anyway.
        at += std::max(2, (high << 8) | low);
    }
}

// Chunk by chunk from the signature to IEND; every chunk gives its length.
wxString PngMissingEnd(const ByteReader& read, uint64_t size)
{
    static const unsigned char kEnd[] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
    if (EndsWith(read, size, kEnd, sizeof kEnd))
        return wxString();
    for (uint64_t at = 8;;) {
        unsigned char chunk[8];
        if (!read(at, chunk, sizeof chunk))
            return kNoPngEnd;
        // Length, type, data, then a 4-byte checksum.
        const uint64_t end = at + 12 + Big32(chunk);
        if (end > size)
            return kNoPngEnd;
        if (std::memcmp(chunk + 4, "IEND", 4) == 0)
            return wxString();
        at = end;
    }
}

// The bytes of a BMP's pixel data as its header declares them; 0 when the header doesn't say
// (a compressed image without its size) or says nonsense.
uint64_t BmpPixelBytes(const unsigned char* h)
{
    const uint32_t dib = Little32(h + 14);
    int64_t width = 0;
    int64_t height = 0;
    uint32_t bits = 0;
    uint32_t compression = 0;
    if (dib == 12) {
        width = Little16(h + 18);
        height = Little16(h + 20);
        bits = Little16(h + 24);
    } else if (dib >= 40) {
        width = static_cast<int32_t>(Little32(h + 18));
        height = static_cast<int32_t>(Little32(h + 22));
        bits = Little16(h + 28);
        compression = Little32(h + 30);
    } else {
        return 0;
    }
    height = height < 0 ? -height : height;
    // Run-length, JPEG and PNG data: only the declared size tells.
    if (compression != 0 && compression != 3 && compression != 6)
        return Little32(h + 34);
    if (width <= 0 || width > (1 << 20) || height > (1 << 20) || bits == 0 || bits > 64)
        return 0;
    // Rows are padded to whole 4-byte words.
    const uint64_t row = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
    return row * static_cast<uint64_t>(height);
}

wxString BmpMissingEnd(const ByteReader& read, uint64_t size)
{
    // The old core header ends at byte 26, the others reach past the image size at 34.
    unsigned char h[38] = {};
    if (!read(0, h, 18) || !read(0, h, Little32(h + 14) == 12 ? 26 : 38))
        return wxString();  // too short even for a header: nothing decoded it
    const uint64_t pixels = BmpPixelBytes(h);
    const uint64_t end = Little32(h + 10) + pixels;
    if (pixels == 0 || end <= size)
        return wxString();
    return wxString::Format("the file ends inside its pixel data: %llu of %llu bytes are there",
                            static_cast<unsigned long long>(size),
                            static_cast<unsigned long long>(end));
}

} // namespace

wxString MissingEnd(ImageFormat format, const ByteReader& read, uint64_t size)
{
    switch (format) {
    case ImageFormat::Jpeg:
        return JpegMissingEnd(read, size);
    case ImageFormat::Png:
        return PngMissingEnd(read, size);
    case ImageFormat::Bmp:
        return BmpMissingEnd(read, size);
    default:
        return wxString();
    }
}

wxString MissingEnd(ImageFormat format, const unsigned char* bytes, size_t size)
{
    return MissingEnd(
        format,
        [&](uint64_t offset, unsigned char* out, size_t count) {
            if (offset > size || count > size - offset)
                return false;
            std::memcpy(out, bytes + offset, count);
            return true;
        },
        size);
}
