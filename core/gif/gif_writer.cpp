#include "core/gif/gif_writer.h"

#include <limits>
#include <memory>
#include <new>
#include <string>

#include <wx/intl.h>
#include <wx/log.h>
#include <wx/strconv.h>

#include "core/gif/gif_blocks.h"
#include "core/colour/palette_lookup.h"

thread_local wxOutputStream* g_gifOutputStream = nullptr;

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

std::string CommentBytes(const wxImage& image)
{
    const wxString comment = image.GetOption(wxIMAGE_OPTION_GIF_COMMENT);
    // The current locale's multibyte encoding, as the format has no declared one; text that
    // doesn't convert gives no bytes.
    const wxCharBuffer converted = comment.mb_str(wxConvLibc);
    return std::string(converted.data() ? converted.data() : "", converted.length());
}

} // namespace

int LzwPixelCount(int width, int height)
{
    if (width <= 0 || height <= 0)
        return -1;
    const long long evenWidth = width + static_cast<long long>(width % 2);
    const long long count = evenWidth * height;
    return count <= std::numeric_limits<int>::max() ? static_cast<int>(count) : -1;
}

void MyGifHandler::ReleaseHashTable()
{
    // The base allocates the table in InitHashTable with a plain `new GifHashTableType()`, but
    // its type is complete only inside the toolkit's source and the base's destructor never
    // frees it. That type is a plain array of 32-bit words, trivially destructible and without
    // its own operator new or delete, so releasing the storage with the global deallocation
    // function is exactly what a delete-expression on the complete type does, and is defined
    // behaviour even though the type is incomplete here (`delete` on it would only warn).
    if (m_hashTable) {
        ::operator delete(static_cast<void*>(m_hashTable));
        m_hashTable = nullptr;
    }
}

bool MyGifHandler::WriteImageData(wxOutputStream& stream, const unsigned char* indices,
                                  int width, int height, int pixelCount)
{
    if (!InitHashTable()) {
        wxLogError(_("Couldn't initialize GIF hash table."));
        return false;
    }
    // The toolkit's compressor resets its code width to 9 bits on every clear code, as if the
    // minimum code size were 8, so 8 is the only size that decodes correctly, whatever the
    // table size. It ends the image data (last code, end code, rest of the bits and the block
    // terminator) only while compressing a row when the pixel count is 0, so the count starts
    // at height x even width (pixelCount, which fits the toolkit's int) and drops by the even
    // width before each row: 0 before the last.
    bool ok = SetupCompress(&stream, 8);
    const int evenWidth = width + (width % 2);
    m_pixelCount = pixelCount;
    for (int y = 0; ok && y < height; ++y) {
        m_pixelCount -= evenWidth;
        ok = CompressLine(&stream, indices + static_cast<size_t>(y) * width, width);
    }
    ReleaseHashTable();
    // The compressor ignores the result of its last write, the block terminator.
    return ok && stream.IsOk();
}

bool MyGifHandler::DoSaveFile(const wxImage& image, bool first, int delayMilliseconds,
                              const GifPaletteTable& palette, int colourCount,
                              int transparentIndex, int loopCount)
{
    wxOutputStream* stream = g_gifOutputStream;
    if (!stream || !image.IsOk() || colourCount <= 0 || colourCount > 256)
        return false;
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    const int pixelCount = LzwPixelCount(width, height);
    if (pixelCount < 0 || width > kGifMaxDimension || height > kGifMaxDimension)
        return false;

    // Every pixel is mapped before anything is written, so a colour outside the palette (more
    // than the palette's colours) refuses the frame instead of writing a wrong pixel.
    const size_t pixels = static_cast<size_t>(width) * height;
    std::unique_ptr<unsigned char[]> indices(new (std::nothrow) unsigned char[pixels]);
    if (!indices)
        return false;
    const PaletteLookup lookup(palette.data(), colourCount);
    if (lookup.Map(image.GetData(), static_cast<long>(pixels), indices.get()) >= 0)
        return false;

    GifIndexedImage indexed;
    indexed.indices = indices.get();
    indexed.width = width;
    indexed.height = height;
    indexed.palette = palette.data();
    indexed.colourCount = colourCount;
    indexed.transparentIndex = transparentIndex;
    // A comment that doesn't convert still writes its (empty) extension.
    const bool hasComment = image.HasOption(wxIMAGE_OPTION_GIF_COMMENT) &&
                            !image.GetOption(wxIMAGE_OPTION_GIF_COMMENT).empty();
    const std::string comment = hasComment ? CommentBytes(image) : std::string();
    return WriteBlocks(indexed, first, delayMilliseconds, loopCount,
                       hasComment ? &comment : nullptr);
}

bool MyGifHandler::WriteIndexed(const GifIndexedImage& image, bool first, int delayMilliseconds,
                                int loopCount)
{
    if (!g_gifOutputStream || !image.indices || !image.palette || image.colourCount <= 0 ||
        image.colourCount > 256 || image.left < 0 || image.top < 0 ||
        (first && (image.left != 0 || image.top != 0)) ||
        image.left + static_cast<long long>(image.width) > kGifMaxDimension ||
        image.top + static_cast<long long>(image.height) > kGifMaxDimension ||
        LzwPixelCount(image.width, image.height) < 0)
        return false;
    const size_t pixels = static_cast<size_t>(image.width) * image.height;
    for (size_t i = 0; i < pixels; ++i)
        if (image.indices[i] >= image.colourCount)
            return false;
    return WriteBlocks(image, first, delayMilliseconds, loopCount, nullptr);
}

bool MyGifHandler::WriteBlocks(const GifIndexedImage& image, bool first, int delayMilliseconds,
                               int loopCount, const std::string* comment)
{
    wxOutputStream* stream = g_gifOutputStream;
    const int width = image.width;
    const int height = image.height;
    const int colourCount = image.colourCount;
    bool ok = true;
    if (first) {
        const GifBytes looping = LoopingBlock(loopCount);
        ok = WriteBlock(*stream, GifHeader()) &&
             WriteBlock(*stream, LogicalScreenDescriptor(width, height, colourCount)) &&
             WriteBlock(*stream, ColourTable(image.palette, colourCount)) &&
             (looping.empty() || WriteBlock(*stream, looping));
    }

    if (ok && comment)
        ok = WriteBlock(*stream, CommentExtension(*comment));

    ok = ok &&
         WriteBlock(*stream, GraphicControlExtension(delayMilliseconds, image.transparentIndex,
                                                     image.disposal)) &&
         WriteBlock(*stream,
                    ImageDescriptor(width, height, first, colourCount, image.left, image.top));
    if (ok && !first)
        ok = WriteBlock(*stream, ColourTable(image.palette, colourCount));
    if (!ok)
        return false;
    return WriteImageData(*stream, image.indices, width, height,
                          LzwPixelCount(width, height));
}

bool SaveGifFrame(const wxImage& image, MyGifHandler& handler, int delayMilliseconds,
                  int frameCount, int frameIndex, int loopCount)
{
    GifPaletteTable palette;
    int colourCount = 0;
    int transparentIndex = -1;
    bool ok = ExtractGifPalette(image, palette, colourCount, transparentIndex) &&
              handler.DoSaveFile(image, frameIndex == 0, delayMilliseconds, palette,
                                 colourCount, transparentIndex, loopCount);
    if (ok && frameIndex + 1 == frameCount) {
        const uint8_t trailer = kGifTrailer;
        ok = g_gifOutputStream && WriteAll(*g_gifOutputStream, &trailer, 1);
    }
    return ok;
}

bool SaveIndexedGifFrame(const IndexedFrame& frame, MyGifHandler& handler, int delayMilliseconds,
                         int frameCount, int frameIndex, int loopCount)
{
    if (frame.width <= 0 || frame.height <= 0 ||
        frame.indices.size() != static_cast<size_t>(frame.width) * frame.height)
        return false;
    GifIndexedImage image;
    image.indices = frame.indices.data();
    image.width = frame.width;
    image.height = frame.height;
    image.palette = frame.palette.data();
    image.colourCount = frame.colourCount;
    bool ok = handler.WriteIndexed(image, frameIndex == 0, delayMilliseconds, loopCount);
    if (ok && frameIndex + 1 == frameCount) {
        const uint8_t trailer = kGifTrailer;
        ok = g_gifOutputStream && WriteAll(*g_gifOutputStream, &trailer, 1);
    }
    return ok;
}
