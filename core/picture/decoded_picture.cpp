#include "core/picture/decoded_picture.h"

#include <cstring>

void SetMask(wxImage& image, const std::optional<MaskColour>& mask)
{
    if (mask)
        image.SetMaskColour(mask->red, mask->green, mask->blue);
}

wxImage DecodedPicture::View() const
{
    // Static data: the image neither frees nor copies the buffers. The toolkit's signature
    // takes them writable; the contract above keeps them unchanged.
    wxImage image(width, height, const_cast<uint8_t*>(rgb.data()),
                  HasAlpha() ? const_cast<uint8_t*>(alpha.data()) : nullptr, true);
    SetMask(image, mask);
    return image;
}

wxImage DecodedPicture::ToImage() const
{
    wxImage image(width, height, false);
    if (!image.IsOk())
        return image;
    std::memcpy(image.GetData(), rgb.data(), rgb.size());
    if (HasAlpha()) {
        image.InitAlpha();
        std::memcpy(image.GetAlpha(), alpha.data(), alpha.size());
    }
    SetMask(image, mask);
    return image;
}
