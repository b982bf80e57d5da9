#include "core/gif/gif_graphic_control.h"

GifGraphicControl ParseGraphicControl(const uint8_t* data, size_t size)
{
    GifGraphicControl control;
    if (!data || size < 4)
        return control;
    const int disposal = (data[0] >> 2) & 0x07;
    if (disposal <= 3)
        control.disposal = static_cast<GifDisposal>(disposal);
    if (data[0] & 0x01)
        control.transparentIndex = data[3];
    control.delay = data[1] | (data[2] << 8);
    return control;
}
