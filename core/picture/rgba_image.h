// Pixels a decoder composed as RGBA, as the toolkit's picture.
#pragma once

#include <cstdint>

#include <wx/image.h>

// width x height RGBA pixels (not premultiplied) as an RGB image, with an alpha channel only
// when some pixel is not opaque; an image that is not ok when memory runs out.
wxImage RgbaImage(const uint8_t* rgba, int width, int height);
