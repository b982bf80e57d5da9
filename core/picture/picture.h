// A picture of the program: immutable pixels (RGB, optionally alpha) of a width and height,
// held compressed in a picture store and shared as std::shared_ptr<const Picture> by
// everything that shows or writes it. Made on the calling thread (a worker's, where pictures
// are loaded), decoded on demand on any thread into our own buffers, the last ones decoded
// kept in the store's small cache.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include <wx/image.h>

#include "core/picture/decoded_picture.h"

class PictureStore;

class Picture;
using PictureRef = std::shared_ptr<const Picture>;

class Picture {
public:
    // The pixels of image (its alpha and mask colour kept), compressed into store; null for
    // an image that is not ok. Throws std::bad_alloc when memory runs out.
    static PictureRef FromImage(const std::shared_ptr<PictureStore>& store, const wxImage& image);
    // width x height pixels from rgb (3 bytes a pixel, row after row) and alpha (1 byte a
    // pixel, or null for an opaque picture); null when a side is not positive.
    static PictureRef FromPlanes(const std::shared_ptr<PictureStore>& store, int width,
                                 int height, const uint8_t* rgb, const uint8_t* alpha,
                                 std::optional<MaskColour> mask = std::nullopt);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool HasAlpha() const { return m_hasAlpha; }
    const std::optional<MaskColour>& Mask() const { return m_mask; }
    size_t CompressedBytes() const { return m_compressedBytes; }

    // The pixels, from the cache or decoded now on the calling thread. Null when the bytes
    // can't be read back from the cache file (the store's TakeTrouble says why), or are
    // damaged, or memory runs out.
    DecodedPictureRef Decode() const;
    // A toolkit image of its own (a copy), decoded without entering the cache of decoded
    // pictures; an image that is not ok where Decode gives null.
    wxImage ToImage() const;
    // The pixels decoded into into's buffers, which keep their memory from one call to the
    // next (a pass over many pictures maps no new pages), without entering the cache. False
    // where Decode gives null.
    bool DecodeInto(DecodedPicture& into) const;
    // Whether both hold the same compressed bytes, read without decoding. The compression is
    // a pure function of the pixels, so equal bytes are equal pixels, and pictures of equal
    // pixels (same size, same alpha) have equal bytes. False when either can't be read.
    bool SameBytesAs(const Picture& other) const;

private:
    Picture(std::shared_ptr<PictureStore> store, uint64_t key, int width, int height,
            bool hasAlpha, std::optional<MaskColour> mask, size_t compressedBytes);

    const std::shared_ptr<PictureStore> m_store;
    const uint64_t m_key;
    const int m_width, m_height;
    const bool m_hasAlpha;
    const std::optional<MaskColour> m_mask;
    const size_t m_compressedBytes;
};
