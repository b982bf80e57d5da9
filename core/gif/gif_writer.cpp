#include "core/gif/gif_writer.h"

#include <algorithm>
#include <limits>

#include <wx/imaggif.h>
#include <wx/intl.h>
#include <wx/log.h>

#include "core/gif/gif_blocks.h"
#include "core/gif/gif_limits.h"

namespace {

// A write counts only when the stream reports the full length.
bool WriteAll(wxOutputStream& stream, const void* data, size_t size)
{
    return stream.Write(data, size).LastWrite() == size;
}

template <typename Bytes>
bool WriteBlock(wxOutputStream& stream, const Bytes& bytes)
{
    return WriteAll(stream, bytes.data(), bytes.size());
}

bool SameColour(const GifRgb& a, const GifRgb& b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

// Whether image can be written at all: checked before its first byte.
bool Writable(const GifIndexedImage& image)
{
    if (!image.indices || !image.palette || image.colourCount <= 0 || image.colourCount > 256 ||
        image.left < 0 || image.top < 0 ||
        image.left + static_cast<long long>(image.width) > kGifMaxSide ||
        image.top + static_cast<long long>(image.height) > kGifMaxSide ||
        LzwPixelCount(image.width, image.height) < 0)
        return false;
    const size_t pixels = static_cast<size_t>(image.width) * image.height;
    return std::all_of(image.indices, image.indices + pixels,
                       [&](unsigned char index) { return index < image.colourCount; });
}

// The toolkit's LZW compressor, reached through the handler's protected members.
class ToolkitLzw : public wxGIFHandler {
public:
    ~ToolkitLzw() override { ReleaseHashTable(); }

    bool Compress(wxOutputStream& stream, const unsigned char* indices, int width, int height)
    {
        if (!InitHashTable()) {
            wxLogError(_("Couldn't initialize GIF hash table."));
            return false;
        }
        // The toolkit's compressor resets its code width to 9 bits on every clear code, as if
        // the minimum code size were 8, so 8 is the only size that decodes correctly, whatever
        // the table size. It ends the image data (last code, end code, rest of the bits and
        // the block terminator) only while compressing a row when the pixel count is 0, so the
        // count starts at height x even width (LzwPixelCount, which fits the toolkit's int) and
        // drops by the even width before each row: 0 before the last.
        bool ok = SetupCompress(&stream, 8);
        const int evenWidth = width + (width % 2);
        m_pixelCount = LzwPixelCount(width, height);
        for (int y = 0; ok && y < height; ++y) {
            m_pixelCount -= evenWidth;
            ok = CompressLine(&stream, indices + static_cast<size_t>(y) * width, width);
        }
        ReleaseHashTable();
        // The compressor ignores the result of its last write, the block terminator.
        return ok && stream.IsOk();
    }

private:
    void ReleaseHashTable()
    {
        // The base allocates the table in InitHashTable with a plain `new GifHashTableType()`,
        // but its type is complete only inside the toolkit's source and the base's destructor
        // never frees it. That type is a plain array of 32-bit words, trivially destructible
        // and without its own operator new or delete, so releasing the storage with the global
        // deallocation function is exactly what a delete-expression on the complete type does,
        // and is defined behaviour even though the type is incomplete here (`delete` on it
        // would only warn).
        if (m_hashTable) {
            ::operator delete(static_cast<void*>(m_hashTable));
            m_hashTable = nullptr;
        }
    }
};

} // namespace

int LzwPixelCount(int width, int height)
{
    if (width <= 0 || height <= 0)
        return -1;
    const long long evenWidth = width + static_cast<long long>(width % 2);
    const long long count = evenWidth * height;
    return count <= std::numeric_limits<int>::max() ? static_cast<int>(count) : -1;
}

bool GifWriter::Begin(const GifIndexedImage& first, int loopCount)
{
    if (!Writable(first) || first.left != 0 || first.top != 0)
        return false;
    m_screenImagePending = true;
    m_screenWidth = first.width;
    m_screenHeight = first.height;
    m_globalTable.assign(first.palette, first.palette + first.colourCount);
    const GifBytes looping = LoopingBlock(loopCount);
    return WriteBlock(m_stream, GifHeader()) &&
           WriteBlock(m_stream, LogicalScreenDescriptor(first.width, first.height,
                                                        first.colourCount)) &&
           WriteBlock(m_stream, ColourTable(first.palette, first.colourCount)) &&
           (looping.empty() || WriteBlock(m_stream, looping));
}

bool GifWriter::ScreenImage(const GifIndexedImage& image) const
{
    return image.left == 0 && image.top == 0 && image.width == m_screenWidth &&
           image.height == m_screenHeight &&
           static_cast<size_t>(image.colourCount) == m_globalTable.size() &&
           std::equal(m_globalTable.begin(), m_globalTable.end(), image.palette, SameColour);
}

bool GifWriter::Image(const GifIndexedImage& image, int delayMilliseconds)
{
    if (!Writable(image) || (m_screenImagePending && !ScreenImage(image)))
        return false;
    const bool global = m_screenImagePending;
    m_screenImagePending = false;
    bool ok = !image.comment || WriteBlock(m_stream, CommentExtension(*image.comment));
    ok = ok &&
         WriteBlock(m_stream, GraphicControlExtension(delayMilliseconds, image.transparentIndex,
                                                      image.disposal)) &&
         WriteBlock(m_stream, ImageDescriptor(image.width, image.height, global,
                                              image.colourCount, image.left, image.top)) &&
         (global || WriteBlock(m_stream, ColourTable(image.palette, image.colourCount)));
    return ok && ToolkitLzw().Compress(m_stream, image.indices, image.width, image.height);
}

bool GifWriter::Append(const wxMemoryOutputStream& encoded)
{
    const wxStreamBuffer* buffer = encoded.GetOutputStreamBuffer();
    return WriteAll(m_stream, buffer->GetBufferStart(), encoded.GetLength());
}

bool GifWriter::Finish()
{
    const uint8_t trailer = kGifTrailer;
    return WriteAll(m_stream, &trailer, 1);
}
