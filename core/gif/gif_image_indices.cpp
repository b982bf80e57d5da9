#include "core/gif/gif_image_indices.h"

#include <new>

#include <wx/strconv.h>

#include "core/colour/palette.h"
#include "core/colour/palette_lookup.h"

bool IndexGifImage(const wxImage& image, GifImageIndices& out)
{
    IndexedFrame& frame = out.frame;
    if (!image.IsOk() ||
        !ExtractGifPalette(image, frame.palette, frame.colourCount, out.transparentIndex) ||
        frame.colourCount <= 0)
        return false;
    frame.width = image.GetWidth();
    frame.height = image.GetHeight();
    const size_t pixels = static_cast<size_t>(frame.width) * frame.height;
    try {
        frame.indices.resize(pixels);
    } catch (const std::bad_alloc&) {
        return false;
    }
    // Every pixel is mapped before anything is written, so a colour outside the palette
    // refuses the frame instead of writing a wrong pixel.
    const PaletteLookup lookup(frame.palette.data(), frame.colourCount);
    if (lookup.Map(image.GetData(), static_cast<long>(pixels), frame.indices.data()) >= 0)
        return false;
    const wxString comment = image.GetOption(wxIMAGE_OPTION_GIF_COMMENT);
    out.hasComment = image.HasOption(wxIMAGE_OPTION_GIF_COMMENT) && !comment.empty();
    const wxCharBuffer converted = comment.mb_str(wxConvLibc);
    out.comment = out.hasComment && converted.data()
                      ? std::string(converted.data(), converted.length())
                      : std::string();
    return true;
}

GifIndexedImage ImageView(const IndexedFrame& frame)
{
    GifIndexedImage image;
    if (frame.indices.size() != static_cast<size_t>(frame.width) * frame.height)
        return image;
    image.indices = frame.indices.data();
    image.width = frame.width;
    image.height = frame.height;
    image.palette = frame.palette.data();
    image.colourCount = frame.colourCount;
    return image;
}

GifIndexedImage ImageView(const GifImageIndices& looked)
{
    GifIndexedImage image = ImageView(looked.frame);
    image.transparentIndex = looked.transparentIndex;
    image.comment = looked.hasComment ? &looked.comment : nullptr;
    return image;
}
