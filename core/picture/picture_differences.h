// How much consecutive pictures differ: the share of their pixels that are not the same, for
// finding frames that repeat the one before them (exactly, or but for a few pixels).
#pragma once

#include <atomic>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include <wx/image.h>

#include "core/picture/decoded_picture.h"
#include "core/picture/picture.h"

// The share given to pictures that can never repeat each other: of other sizes, one with
// alpha and one without, other mask colours, a missing or unreadable one.
constexpr double kNotAlike = std::numeric_limits<double>::infinity();

// Pixels to compare, held by someone else: RGB rows and an optional alpha plane.
struct PixelView {
    int width = 0;
    int height = 0;
    const uint8_t* rgb = nullptr;
    const uint8_t* alpha = nullptr;  // null: opaque
    std::optional<MaskColour> mask;
};
PixelView ViewOf(const DecodedPicture& picture);
PixelView ViewOf(const wxImage& image);

// The share (0..1) of the pixels whose colour or alpha differ at all, or kNotAlike. Counting
// stops once the share passes limit (0: at the first differing pixel), with a share above
// limit that may be lower than the whole count would give.
double DifferingShare(const PixelView& a, const PixelView& b, double limit);

// shares[i] for pictures i - 1 and i (shares[0] is kNotAlike: the first has none before
// it), each counted up to limit as DifferingShare counts. The same picture twice, and
// pictures of equal compressed bytes, are 0 without being decoded, and with limit 0 so are
// the others (other bytes are other pixels); otherwise every picture is decoded once, the
// list split between two threads. Stops early, with an empty result, once
// stop is set; done counts the pairs compared so far (for a progress bar on another thread).
std::vector<double> ConsecutiveDifferences(const std::vector<PictureRef>& pictures, double limit,
                                           const std::atomic<bool>& stop,
                                           std::atomic<int>* done = nullptr);
