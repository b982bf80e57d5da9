#include "core/gif/gif_optimised_writer.h"

#include <algorithm>
#include <cstdlib>

#include <wx/mstream.h>

#include "core/gif/frame_difference.h"
#include "core/gif/gif_image_indices.h"

namespace {

// Disposal 1: the image stays for the next one to be drawn over.
constexpr int kLeaveInPlace = 1;

bool ToIndexed(const wxImage& reduced, IndexedPicture& picture)
{
    GifImageIndices indexed;
    if (!IndexGifImage(reduced, indexed))
        return false;
    const IndexedFrame& frame = indexed.frame;
    picture.palette.assign(frame.palette.begin(), frame.palette.begin() + frame.colourCount);
    picture.indices = std::move(indexed.frame.indices);
    return true;
}

GifIndexedImage ImageOf(const FramePatch& patch)
{
    GifIndexedImage image;
    image.indices = patch.indices.data();
    image.width = patch.rect.width;
    image.height = patch.rect.height;
    image.left = patch.rect.x;
    image.top = patch.rect.y;
    image.palette = patch.colours.data();
    image.colourCount = static_cast<int>(patch.colours.size());
    image.transparentIndex = patch.transparentIndex;
    image.disposal = kLeaveInPlace;
    return image;
}

bool WithinTolerance(const uint8_t* a, const uint8_t* b, int tolerance)
{
    return std::abs(a[0] - b[0]) <= tolerance && std::abs(a[1] - b[1]) <= tolerance &&
           std::abs(a[2] - b[2]) <= tolerance;
}

} // namespace

bool OptimisedGifWriter::Choose(const uint8_t* source, const wxImage& reduced,
                                IndexedPicture& picture) const
{
    if (!ToIndexed(reduced, picture))
        return false;
    if (m_first)
        return true;
    const size_t n = picture.indices.size();
    const ChangedError fresh =
        ErrorWhereChanged(source, m_source.data(), reduced.GetData(), n);
    IndexedPicture reused{m_picture.palette,
                          MapOntoPalette(source, m_source.data(), m_picture, n)};
    const ChangedError kept =
        ErrorWhereChanged(source, m_source.data(), Shown(reused).data(), n);
    if (ReusePalette(kept.sum, fresh.sum, fresh.pixels, m_reusePerPixel)) {
        picture = std::move(reused);
        return true;
    }
    // New colours the old palette lacks take the entries the still parts don't show.
    IndexedPicture merged = MergePalettes(source, m_source.data(), m_picture, picture);
    const ChangedError mergedError =
        ErrorWhereChanged(source, m_source.data(), Shown(merged).data(), n);
    if (ReusePalette(mergedError.sum, fresh.sum, fresh.pixels, m_reusePerPixel))
        picture = std::move(merged);
    else
        KeepStableColours(source, m_source.data(), m_shown.data(), picture);
    return true;
}

bool OptimisedGifWriter::WritePatch(const std::vector<uint8_t>& shown,
                                    const IndexedPicture& picture, int delayMilliseconds)
{
    const int height = static_cast<int>(shown.size() / 3) / m_width;
    GifRect rect = ChangedRect(m_shown.data(), shown.data(), m_width, height);
    // A frame equal to the one before still gets its own image, a single pixel: merging it
    // into the previous delay would change the frame count and how viewers stretch short
    // delays.
    if (rect.Empty())
        rect = GifRect{0, 0, 1, 1};
    const uint8_t* indices = picture.indices.data();
    const GifRgb* palette = picture.palette.data();
    const FramePatch opaque =
        MakePatch(indices, palette, m_shown.data(), shown.data(), m_width, rect, false);
    const FramePatch clear =
        MakePatch(indices, palette, m_shown.data(), shown.data(), m_width, rect, true);
    if (clear.transparentIndex < 0)
        return m_writer.Image(ImageOf(opaque), delayMilliseconds);

    // Transparency shortens runs of still pixels but can lengthen the table; the shorter
    // encoding wins, measured rather than guessed.
    wxMemoryOutputStream a;
    wxMemoryOutputStream b;
    if (!GifWriter(a).Image(ImageOf(opaque), delayMilliseconds) ||
        !GifWriter(b).Image(ImageOf(clear), delayMilliseconds))
        return false;
    return m_writer.Append(b.GetLength() < a.GetLength() ? b : a);
}

bool OptimisedGifWriter::WriteWhole(const IndexedPicture& picture, int height,
                                    int delayMilliseconds)
{
    GifIndexedImage image;
    image.indices = picture.indices.data();
    image.width = m_width;
    image.height = height;
    image.palette = picture.palette.data();
    image.colourCount = static_cast<int>(picture.palette.size());
    image.disposal = kLeaveInPlace;
    return (!m_first || m_writer.Begin(image, m_loopCount)) &&
           m_writer.Image(image, delayMilliseconds);
}

std::vector<uint8_t> OptimisedGifWriter::SourceOf(const wxImage& composed) const
{
    const uint8_t* data = composed.GetData();
    std::vector<uint8_t> source(data, data + size_t(composed.GetWidth()) * composed.GetHeight() * 3);
    if (m_first || m_stillTolerance <= 0)
        return source;
    // Such a pixel takes the previous frame's source colour: every later choice then treats it
    // as still, so it keeps its index and the drift stays within the tolerance of the screen.
    for (size_t at = 0; at < source.size(); at += 3)
        if (WithinTolerance(&source[at], &m_shown[at], m_stillTolerance))
            std::copy_n(&m_source[at], 3, &source[at]);
    return source;
}

bool OptimisedGifWriter::Write(const wxImage& composed, const wxImage& reduced,
                               int delayMilliseconds)
{
    std::vector<uint8_t> sourcePixels = SourceOf(composed);
    const uint8_t* source = sourcePixels.data();
    IndexedPicture picture;
    if (!Choose(source, reduced, picture))
        return false;
    std::vector<uint8_t> shown = Shown(picture);
    if (m_first)
        m_width = composed.GetWidth();
    const bool ok = m_first || !m_difference
                        ? WriteWhole(picture, composed.GetHeight(), delayMilliseconds)
                        : WritePatch(shown, picture, delayMilliseconds);
    m_first = false;
    m_source = std::move(sourcePixels);
    m_shown = std::move(shown);
    m_picture = std::move(picture);
    return ok;
}
