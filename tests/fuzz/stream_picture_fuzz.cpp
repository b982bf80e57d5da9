// Pictures of a screen cast's stream, whose sizes, row stride and pixel order come from
// another process: a buffer is only read when it holds the picture it claims, and the region
// cut from it has exactly its own size, with no byte read outside the buffer.
#include "fuzz/fuzz_support.h"
#include "core/screen/stream_picture.h"

namespace {

// The next two bytes as a number, 0 past the end.
int Take16(const uint8_t*& data, size_t& size)
{
    if (size < 2)
        return 0;
    const int value = data[0] | data[1] << 8;
    data += 2;
    size -= 2;
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StreamPicture picture;
    picture.width = Take16(data, size) % 300;
    picture.height = Take16(data, size) % 300;
    picture.stride = Take16(data, size) - 8;  // negative ones too
    picture.order = static_cast<StreamPixelOrder>(Take16(data, size) % 6);
    CaptureRect region;
    region.x = Take16(data, size) % 300;
    region.y = Take16(data, size) % 300;
    region.width = Take16(data, size) % 300;
    region.height = Take16(data, size) % 300;
    // The buffer exactly as long as what is left, so that a read past it is found.
    picture.bytes.assign(data, data + size);
    picture.bytes.shrink_to_fit();

    std::vector<uint8_t> rgb;
    const bool cut = CutToRgb(picture, region, rgb);
    const bool holds =
        BufferHoldsPicture(picture.bytes.size(), picture.stride, picture.width, picture.height);
    FUZZ_CHECK(!cut || holds);
    FUZZ_CHECK(!cut || FitRegion(region, picture.width, picture.height) == RegionFit::Inside);
    FUZZ_CHECK(!cut || rgb.size() == size_t(region.width) * region.height * 3);
    FUZZ_CHECK(cut || rgb.empty());
    return 0;
}
