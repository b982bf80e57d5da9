// A picture's pixels decoded into buffers of our own, never a toolkit image: immutable once
// made, so any number of threads read one at once through a shared_ptr<const>.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <wx/image.h>

// The colour an image without alpha marks as transparent (the toolkit's mask), kept so that
// a picture gives back the image it was made from.
struct MaskColour {
    uint8_t red = 0, green = 0, blue = 0;
};

struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;    // 3 bytes a pixel, row after row
    std::vector<uint8_t> alpha;  // 1 byte a pixel, or empty: the picture is opaque
    std::optional<MaskColour> mask;

    bool HasAlpha() const { return !alpha.empty(); }
    size_t Bytes() const { return rgb.size() + alpha.size(); }

    // A toolkit image over these very pixels, made on the calling thread without a copy: valid
    // while this picture lives, and to be read only (a change would reach every holder).
    wxImage View() const;
    // A toolkit image of its own: a copy of the pixels.
    wxImage ToImage() const;
};

using DecodedPictureRef = std::shared_ptr<const DecodedPicture>;

// Gives image the mask colour, when there is one.
void SetMask(wxImage& image, const std::optional<MaskColour>& mask);
