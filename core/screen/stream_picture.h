// A picture as a screen cast's video stream delivers it: rows of four bytes a pixel in one of
// the channel orders compositors use, each row possibly padded, and the region of it a
// recording keeps, turned into red, green and blue.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/screen/capture_region.h"

// The byte order of a pixel in memory; x is a byte nobody reads, A is alpha (ignored too: a
// screen is opaque).
enum class StreamPixelOrder { BGRx, BGRA, RGBx, RGBA, xRGB, xBGR };

struct StreamPicture {
    int width = 0, height = 0;
    int stride = 0;  // bytes from the start of one row to the start of the next
    StreamPixelOrder order = StreamPixelOrder::BGRx;
    std::vector<uint8_t> bytes;
};

// Where red, green and blue lie within a pixel's four bytes.
struct ChannelOffsets {
    int red, green, blue;
};
ChannelOffsets ChannelsOf(StreamPixelOrder order);

// Whether a buffer of size bytes with rows stride bytes apart holds width x height pixels
// (the last row needs no padding). Sizes come from another process: nothing is trusted.
bool BufferHoldsPicture(size_t size, int stride, int width, int height);

// Cuts region out of picture into rgb (region.width * region.height * 3 bytes, resized);
// false, with rgb untouched, when the region does not lie inside the picture or the
// picture's bytes are too few for its size.
bool CutToRgb(const StreamPicture& picture, const CaptureRect& region, std::vector<uint8_t>& rgb);
