#include "core/picture/picture.h"

#include <new>

#include "core/picture/picture_codec.h"
#include "core/picture/picture_store.h"

PictureRef Picture::FromImage(const std::shared_ptr<PictureStore>& store, const wxImage& image)
{
    if (!image.IsOk())
        return nullptr;
    std::optional<MaskColour> mask;
    if (image.HasMask())
        mask = MaskColour{image.GetMaskRed(), image.GetMaskGreen(), image.GetMaskBlue()};
    return FromPlanes(store, image.GetWidth(), image.GetHeight(), image.GetData(),
                      image.GetAlpha(), mask);
}

PictureRef Picture::FromPlanes(const std::shared_ptr<PictureStore>& store, int width, int height,
                               const uint8_t* rgb, const uint8_t* alpha,
                               std::optional<MaskColour> mask)
{
    if (width <= 0 || height <= 0 || !rgb)
        return nullptr;
    std::vector<uint8_t> bytes =
        CompressPixels(rgb, alpha, static_cast<size_t>(width) * static_cast<size_t>(height));
    const size_t size = bytes.size();
    const uint64_t key = store->Add(std::move(bytes));
    return PictureRef(new Picture(store, key, width, height, alpha != nullptr, mask, size));
}

Picture::Picture(std::shared_ptr<PictureStore> store, uint64_t key, int width, int height,
                 bool hasAlpha, std::optional<MaskColour> mask, size_t compressedBytes)
    : m_store(std::move(store)), m_key(key), m_width(width), m_height(height),
      m_hasAlpha(hasAlpha), m_mask(mask), m_compressedBytes(compressedBytes)
{
}

Picture::~Picture()
{
    m_store->Release(m_key);
}

DecodedPictureRef Picture::Decode() const
{
    if (DecodedPictureRef cached = m_store->Decoded().Find(m_key))
        return cached;
    const PictureStore::Bytes bytes = m_store->Read(m_key);
    if (!bytes)
        return nullptr;
    try {
        auto decoded = std::make_shared<DecodedPicture>();
        const size_t pixels = static_cast<size_t>(m_width) * static_cast<size_t>(m_height);
        decoded->width = m_width;
        decoded->height = m_height;
        decoded->mask = m_mask;
        decoded->rgb.resize(pixels * 3);
        decoded->alpha.resize(m_hasAlpha ? pixels : 0);
        if (!DecompressPixels(bytes->data(), bytes->size(), pixels, decoded->rgb.data(),
                              m_hasAlpha ? decoded->alpha.data() : nullptr))
            return nullptr;
        m_store->Decoded().Put(m_key, decoded);
        return decoded;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

wxImage Picture::ToImage() const
{
    if (const DecodedPictureRef cached = m_store->Decoded().Find(m_key))
        return cached->ToImage();
    // Decoded straight into the image, and not kept: a copy of its own is what an export
    // takes of each frame once, and the cache stays with the pictures shown again.
    const PictureStore::Bytes bytes = m_store->Read(m_key);
    if (!bytes)
        return wxImage();
    wxImage image(m_width, m_height, false);
    if (!image.IsOk())
        return image;
    if (m_hasAlpha)
        image.InitAlpha();
    const size_t pixels = static_cast<size_t>(m_width) * static_cast<size_t>(m_height);
    if (!DecompressPixels(bytes->data(), bytes->size(), pixels, image.GetData(),
                          m_hasAlpha ? image.GetAlpha() : nullptr))
        return wxImage();
    SetMask(image, m_mask);
    return image;
}

bool Picture::DecodeInto(DecodedPicture& into) const
{
    into.width = m_width;
    into.height = m_height;
    into.mask = m_mask;
    try {
        if (const DecodedPictureRef cached = m_store->Decoded().Find(m_key)) {
            into.rgb = cached->rgb;
            into.alpha = cached->alpha;
            return true;
        }
        const PictureStore::Bytes bytes = m_store->Read(m_key);
        if (!bytes)
            return false;
        const size_t pixels = static_cast<size_t>(m_width) * static_cast<size_t>(m_height);
        into.rgb.resize(pixels * 3);
        into.alpha.resize(m_hasAlpha ? pixels : 0);
        return DecompressPixels(bytes->data(), bytes->size(), pixels, into.rgb.data(),
                                m_hasAlpha ? into.alpha.data() : nullptr);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool Picture::SameBytesAs(const Picture& other) const
{
    if (m_width != other.m_width || m_height != other.m_height ||
        m_hasAlpha != other.m_hasAlpha || m_compressedBytes != other.m_compressedBytes)
        return false;
    if (m_store == other.m_store && m_key == other.m_key)
        return true;
    const PictureStore::Bytes mine = m_store->Read(m_key);
    const PictureStore::Bytes theirs = other.m_store->Read(other.m_key);
    return mine && theirs && *mine == *theirs;
}
