#include "core/picture/rgba_image.h"

#include <cstring>

wxImage RgbaImage(const uint8_t* rgba, int width, int height)
{
    wxImage image(width, height, false);
    if (!image.IsOk())
        return image;
    const size_t count = static_cast<size_t>(width) * height;
    unsigned char* rgb = image.GetData();
    bool clear = false;
    for (size_t i = 0; i < count; ++i) {
        std::memcpy(rgb + i * 3, rgba + i * 4, 3);
        clear = clear || rgba[i * 4 + 3] != 255;
    }
    if (clear) {
        image.InitAlpha();
        unsigned char* alpha = image.GetAlpha();
        for (size_t i = 0; i < count; ++i)
            alpha[i] = rgba[i * 4 + 3];
    }
    return image;
}
