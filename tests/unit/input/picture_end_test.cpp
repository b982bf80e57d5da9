// Pictures cut short are told apart from whole ones by their bytes alone, whatever follows a
// proper end.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include <wx/mstream.h>

#include "core/input/picture_end.h"
#include "support/test_images.h"

namespace {
using Bytes = std::vector<unsigned char>;

Bytes Encoded(const wxImage& image, wxBitmapType type)
{
    wxMemoryOutputStream out;
    EXPECT_TRUE(image.SaveFile(out, type));
    Bytes bytes(out.GetSize());
    out.CopyTo(bytes.data(), bytes.size());
    return bytes;
}

wxString Missing(ImageFormat format, const Bytes& bytes)
{
    return MissingEnd(format, bytes.data(), bytes.size());
}

Bytes Cut(const Bytes& bytes, size_t keep)
{
    return Bytes(bytes.begin(), bytes.begin() + std::min(keep, bytes.size()));
}

Bytes Joined(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

// Bytes some programs append after a picture's end: text, and a block larger than the
// blocks the walk reads, full of marker-like bytes but without a JPEG end marker.
Bytes Trailers()
{
    Bytes tail = {'t', 'r', 'a', 'i', 'l', 'e', 'r', '\n'};
    for (int i = 0; i < 200000; ++i)
        tail.push_back(i % 3 == 0 ? 0xFF : 0xD8);
    return tail;
}

struct Sample {
    const char* name;
    ImageFormat format;
    Bytes bytes;
};

std::vector<Sample> WholePictures()
{
    const wxImage photo = PhotoLikeImage(61, 47, 3);
    return {{"jpeg", ImageFormat::Jpeg, Encoded(photo, wxBITMAP_TYPE_JPEG)},
            {"png", ImageFormat::Png, Encoded(photo, wxBITMAP_TYPE_PNG)},
            {"bmp", ImageFormat::Bmp, Encoded(photo, wxBITMAP_TYPE_BMP)}};
}

// A JPEG segment: marker, then its length (counting itself) and payload.
Bytes Segment(unsigned char marker, const Bytes& payload)
{
    const size_t length = payload.size() + 2;
    Bytes out = {0xFF, marker, static_cast<unsigned char>(length >> 8),
                 static_cast<unsigned char>(length)};
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

// A BMP of 24-bit pixels with a header of dib bytes (12: the old core header) and the
// pixel bytes that width and height need, rows padded to 4 bytes.
Bytes Bmp(unsigned dib, int width, int height)
{
    const size_t row = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    const size_t rows = static_cast<size_t>(height < 0 ? -height : height);
    Bytes b(14 + dib + row * rows, 0x55);
    const auto put = [&](size_t at, unsigned v, int count) {
        for (int i = 0; i < count; ++i)
            b[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put(2, static_cast<unsigned>(b.size()), 4);
    put(10, 14 + dib, 4);
    put(14, dib, 4);
    if (dib == 12) {
        put(18, static_cast<unsigned>(width), 2);
        put(20, static_cast<unsigned>(height), 2);
        put(22, 1, 2);
        put(24, 24, 2);
    } else {
        put(18, static_cast<unsigned>(width), 4);
        put(22, static_cast<unsigned>(height), 4);
        put(26, 1, 2);
        put(28, 24, 2);
        put(30, 0, 4);
        put(34, 0, 4);
    }
    return b;
}
} // namespace

TEST(PictureEnd, WholePicturesAndWhatFollowsTheirEndAreNoDamage)
{
    for (const Sample& whole : WholePictures()) {
        EXPECT_EQ(Missing(whole.format, whole.bytes), "") << whole.name;
        EXPECT_EQ(Missing(whole.format, Joined({whole.bytes, Trailers()})), "") << whole.name;
        EXPECT_EQ(Missing(whole.format, Joined({whole.bytes, {0, 0}})), "") << whole.name;
    }
}

TEST(PictureEnd, PicturesCutAnywhereAfterTheirHeaderAreDamaged)
{
    for (const Sample& whole : WholePictures()) {
        const size_t size = whole.bytes.size();
        for (size_t keep : {size - 1, size - 2, size - 13, size * 3 / 4, size / 2, size_t{200}})
            EXPECT_NE(Missing(whole.format, Cut(whole.bytes, keep)), "")
                << whole.name << " cut to " << keep << " of " << size << " bytes";
    }
}

TEST(PictureEnd, AJpegEndsWithTheEndOfItsLastScanNotAnEarlierEndMarker)
{
    const Bytes main = Encoded(PhotoLikeImage(64, 48, 5), wxBITMAP_TYPE_JPEG);
    // An EXIF segment carrying a whole thumbnail, end marker and all, before the frame.
    Bytes exif = {'E', 'x', 'i', 'f', 0, 0};
    const Bytes thumbnail = Encoded(SolidImage(8, 8, 10, 200, 10), wxBITMAP_TYPE_JPEG);
    exif.insert(exif.end(), thumbnail.begin(), thumbnail.end());
    const Bytes withThumbnail =
        Joined({Cut(main, 2), Segment(0xE1, exif), Bytes(main.begin() + 2, main.end())});
    EXPECT_EQ(Missing(ImageFormat::Jpeg, withThumbnail), "");
    EXPECT_NE(Missing(ImageFormat::Jpeg, Cut(withThumbnail, withThumbnail.size() - 40)), "");
    EXPECT_NE(Missing(ImageFormat::Jpeg, Cut(withThumbnail, 6 + exif.size() + 40)), "")
        << "cut just after the thumbnail";

    // A progressive JPEG: scans with tables between them. Scan data holds stuffed bytes
    // (FF 00), restart markers and fill bytes; a table's payload may hold any bytes.
    const Bytes scan1 = {0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD3, 0x56, 0xFF, 0xFF, 0xD4, 0x78};
    const Bytes table = Segment(0xC4, {0x10, 0xFF, 0xD9, 0x01, 0x02});
    const Bytes scan2 = {0x9A, 0xFF, 0x00, 0xBC};
    const Bytes progressive =
        Joined({{0xFF, 0xD8}, Segment(0xDB, Bytes(65, 1)), Segment(0xC2, Bytes(9, 8)),
                Segment(0xDA, Bytes(6, 0)), scan1, table, Segment(0xDA, Bytes(6, 0)), scan2,
                {0xFF, 0xD9}});
    EXPECT_EQ(Missing(ImageFormat::Jpeg, progressive), "");
    EXPECT_EQ(Missing(ImageFormat::Jpeg, Joined({progressive, {'x', 0xFF}})), "");
    const size_t afterTable = progressive.size() - 2 - scan2.size() - 8;
    EXPECT_NE(Missing(ImageFormat::Jpeg, Cut(progressive, afterTable)), "")
        << "cut after the table between the scans";
    EXPECT_NE(Missing(ImageFormat::Jpeg, Cut(progressive, afterTable - 1)), "")
        << "cut inside the table, after the FF D9 in it";
}

TEST(PictureEnd, ABmpIsAsLongAsItsHeaderSaysItsRowsAre)
{
    for (const Bytes& whole : {Bmp(40, 5, 3), Bmp(40, 5, -3), Bmp(12, 5, 3), Bmp(108, 7, 2)}) {
        EXPECT_EQ(Missing(ImageFormat::Bmp, whole), "") << "header of " << int(whole[14]);
        const wxString cut = Missing(ImageFormat::Bmp, Cut(whole, whole.size() - 1));
        EXPECT_NE(cut.Find(wxString::Format("%zu of %zu bytes", whole.size() - 1, whole.size())),
                  wxNOT_FOUND)
            << cut;
    }
    // Compressed rows without a declared size can't be measured: not called damaged.
    Bytes rle = Bmp(40, 5, 3);
    rle[30] = 1;
    EXPECT_EQ(Missing(ImageFormat::Bmp, Cut(rle, 60)), "");
}

TEST(PictureEnd, GifsAndUnknownBytesAreNotJudgedHere)
{
    const Bytes cutGif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0x2C};
    EXPECT_EQ(Missing(ImageFormat::Gif, cutGif), "");
    EXPECT_EQ(Missing(ImageFormat::Unknown, cutGif), "");
}
