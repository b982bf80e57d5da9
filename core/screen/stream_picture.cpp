#include "core/screen/stream_picture.h"

#include "core/screen/screen_pixels.h"

ChannelOffsets ChannelsOf(StreamPixelOrder order)
{
    switch (order) {
    case StreamPixelOrder::BGRx:
    case StreamPixelOrder::BGRA: return {2, 1, 0};
    case StreamPixelOrder::RGBx:
    case StreamPixelOrder::RGBA: return {0, 1, 2};
    case StreamPixelOrder::xRGB: return {1, 2, 3};
    case StreamPixelOrder::xBGR: return {3, 2, 1};
    }
    return {2, 1, 0};
}

bool BufferHoldsPicture(size_t size, int stride, int width, int height)
{
    if (width <= 0 || height <= 0 || stride < 0)
        return false;
    const uint64_t row = uint64_t{4} * static_cast<uint64_t>(width);
    if (static_cast<uint64_t>(stride) < row)
        return false;
    const uint64_t needed = static_cast<uint64_t>(stride) * static_cast<uint64_t>(height - 1) + row;
    return needed <= size;
}

bool CutToRgb(const StreamPicture& picture, const CaptureRect& region, std::vector<uint8_t>& rgb)
{
    if (FitRegion(region, picture.width, picture.height) != RegionFit::Inside ||
        !BufferHoldsPicture(picture.bytes.size(), picture.stride, picture.width, picture.height))
        return false;
    const ChannelOffsets at = ChannelsOf(picture.order);
    rgb.resize(size_t{3} * static_cast<size_t>(region.width) * static_cast<size_t>(region.height));
    const uint8_t* corner = picture.bytes.data() +
                            static_cast<size_t>(region.y) * static_cast<size_t>(picture.stride) +
                            size_t{4} * static_cast<size_t>(region.x);
    // The order of most compositors, and of X screens: converted four pixels at a time.
    if (at.red == 2 && at.green == 1 && at.blue == 0) {
        BgrxToRgb(corner, picture.stride, region.width, region.height, rgb.data());
        return true;
    }
    uint8_t* out = rgb.data();
    for (int y = 0; y < region.height; ++y) {
        const uint8_t* in = corner + static_cast<size_t>(y) * static_cast<size_t>(picture.stride);
        for (int x = 0; x < region.width; ++x, in += 4, out += 3) {
            out[0] = in[at.red];
            out[1] = in[at.green];
            out[2] = in[at.blue];
        }
    }
    return true;
}
