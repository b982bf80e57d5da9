// Optimised GIFs: each frame after the first holds only what changed, yet decodes to exactly
// the full frames written with the same palettes, in the toolkit's decoder and in ours.
#include <gtest/gtest.h>

#include <wx/ffile.h>

#include "core/export/compose_frame.h"
#include "core/export/gif_export.h"
#include "core/gif/gif_frame_reader.h"
#include "core/gif/gif_optimised_writer.h"
#include "support/temp_dir.h"
#include "support/test_images.h"
#include "support/gif_test_helpers.h"

using namespace giftest;

namespace {

const wxSize kCanvas(48, 32);

void Fill(wxImage& image, int x, int y, int w, int h, unsigned char r, unsigned char g,
          unsigned char b)
{
    image.SetRGB(wxRect(x, y, w, h), r, g, b);
}

// A desktop-like picture of few colours, then every kind of change one after the other.
std::vector<wxImage> ChangingFrames()
{
    wxImage base = SolidImage(kCanvas.x, kCanvas.y, 230, 230, 230);
    Fill(base, 0, 0, kCanvas.x, 4, 40, 60, 160);
    Fill(base, 5, 10, 20, 12, 255, 255, 255);
    std::vector<wxImage> frames{base, base.Copy()};     // no change
    wxImage f = base.Copy();
    Fill(f, 10, 14, 3, 2, 0, 0, 0);                     // a small change
    frames.push_back(f.Copy());
    const wxRect edges[] = {{0, 20, 1, 2}, {kCanvas.x - 1, 7, 1, 3}, {20, 0, 4, 1},
                            {30, kCanvas.y - 1, 2, 1}};
    for (const wxRect& e : edges) {                     // a change at each edge
        Fill(f, e.x, e.y, e.width, e.height, 200, 30, 30);
        frames.push_back(f.Copy());
    }
    wxImage seeThrough = f.Copy();                      // transparency in the source
    seeThrough.InitAlpha();
    for (int x = 30; x < 40; ++x)
        for (int y = 10; y < 20; ++y)
            seeThrough.SetAlpha(x, y, static_cast<unsigned char>(x * 20));
    frames.push_back(seeThrough);
    frames.push_back(PhotoLikeImage(kCanvas.x, kCanvas.y, 3));  // a full change, quantised
    wxImage photo = PhotoLikeImage(kCanvas.x, kCanvas.y, 3);
    Fill(photo, 8, 8, 6, 6, 255, 255, 0);               // a change on a dithered picture
    frames.push_back(photo);
    frames.push_back(photo.Copy());                     // identical to the one before
    frames.push_back(base.Copy());                      // back to few colours
    return frames;
}

Bytes Write(const std::vector<wxImage>& frames, bool difference)
{
    QuietTrace quiet;
    wxMemoryOutputStream out;
    GifWriter gif(out);
    OptimisedGifWriter writer(gif, 0, difference);
    for (size_t i = 0; i < frames.size(); ++i) {
        wxImage composed = ComposeFrame(frames[i], kCanvas);
        wxImage source = composed.Copy();
        const wxImage reduced = ReduceWith(PaletteReducer::Quant, source);
        EXPECT_TRUE(writer.Write(composed, reduced, 70)) << i;
    }
    EXPECT_TRUE(gif.Finish());
    return StreamBytes(out);
}

std::vector<wxImage> ReadBack(const Bytes& gif, const TempDir& dir)
{
    const wxString path = dir.File("read.gif");
    wxFFile file(path, "wb");
    file.Write(gif.data(), gif.size());
    file.Close();
    GifFrameReader reader;
    std::vector<wxImage> frames;
    if (!reader.Open(path, nullptr))
        return frames;
    for (unsigned i = 0; i < reader.Count(); ++i) {
        wxImage image;
        if (!reader.Frame(i, image))
            break;
        frames.push_back(image);
    }
    return frames;
}

// The toolkit decodes images one by one; a viewer draws each over what is left of the others.
std::vector<wxImage> ComposeWithToolkit(const Bytes& gif)
{
    std::vector<wxImage> frames;
    wxMemoryInputStream in(gif.data(), gif.size());
    wxGIFDecoder decoder;
    if (decoder.LoadGIF(in) != wxGIF_OK)
        return frames;
    wxImage canvas(decoder.GetAnimationSize());
    for (unsigned i = 0; i < decoder.GetFrameCount(); ++i) {
        wxImage image;
        if (!decoder.ConvertToImage(i, &image))
            break;
        EXPECT_NE(decoder.GetDisposalMethod(i), wxANIM_TOBACKGROUND);
        const wxPoint at = decoder.GetFramePosition(i);
        canvas.Paste(image, at.x, at.y);
        frames.push_back(canvas.Copy());
    }
    return frames;
}

void ExpectSameFrames(const std::vector<wxImage>& a, const std::vector<wxImage>& b,
                      size_t count, const char* decoder)
{
    ASSERT_EQ(a.size(), count) << decoder;
    ASSERT_EQ(b.size(), count) << decoder;
    for (size_t i = 0; i < count; ++i)
        EXPECT_TRUE(SamePixels(a[i], b[i])) << decoder << " frame " << i;
}

} // namespace

TEST(OptimisedGif, DecodesToTheFullFramesInBothDecodersAndIsSmaller)
{
    TempDir dir;
    const std::vector<wxImage> frames = ChangingFrames();
    const Bytes whole = Write(frames, false);
    const Bytes optimised = Write(frames, true);
    EXPECT_LT(optimised.size(), whole.size());

    ExpectSameFrames(ReadBack(optimised, dir), ReadBack(whole, dir), frames.size(), "reader");
    ExpectSameFrames(ComposeWithToolkit(optimised), ComposeWithToolkit(whole), frames.size(),
                     "toolkit");

    // Where the source has few colours, nothing is lost against it either.
    const std::vector<wxImage> shown = ReadBack(optimised, dir);
    for (size_t i : {0u, 1u, 2u, 6u, 7u, 11u}) {
        QuietTrace quiet;
        const wxImage source = ComposeFrame(frames[i], kCanvas);
        EXPECT_TRUE(SamePixels(shown[i], source)) << i;
    }
}

TEST(OptimisedGif, EachFrameIsOnlyItsChangeAndARepeatIsOnePixel)
{
    const std::vector<wxImage> frames = ChangingFrames();
    const Bytes optimised = Write(frames, true);
    wxMemoryInputStream in(optimised.data(), optimised.size());
    wxGIFDecoder decoder;
    ASSERT_EQ(decoder.LoadGIF(in), wxGIF_OK);
    ASSERT_EQ(decoder.GetFrameCount(), frames.size());
    EXPECT_EQ(decoder.GetFrameSize(0), kCanvas);
    EXPECT_EQ(decoder.GetFrameSize(1), wxSize(1, 1));
    EXPECT_EQ(decoder.GetFrameSize(2), wxSize(3, 2));
    EXPECT_EQ(decoder.GetFramePosition(2), wxPoint(10, 14));
    EXPECT_EQ(decoder.GetFramePosition(3), wxPoint(0, 20));
    EXPECT_EQ(decoder.GetFramePosition(4), wxPoint(kCanvas.x - 1, 7));
    EXPECT_EQ(decoder.GetFrameSize(10), wxSize(1, 1));
    for (unsigned i = 0; i < decoder.GetFrameCount(); ++i)
        EXPECT_EQ(decoder.GetDelay(i), 70) << i;
}

TEST(OptimisedGif, TheExportGivesTheSameBytesForAnyThreadCount)
{
    QuietTrace quiet;
    std::vector<wxImage> frames = ChangingFrames();
    for (int i = 0; i < 6; ++i)
        frames.push_back(PhotoLikeImage(kCanvas.x, kCanvas.y, 5 + i % 2));
    Bytes first;
    for (int threads : {1, 2, 4}) {
        std::vector<wxImage> copies;
        for (const wxImage& f : frames)
            copies.push_back(f.Copy());
        ImageListFrameSource source(std::move(copies));
        wxMemoryOutputStream out;
        GifExportOptions options;
        options.canvas = kCanvas;
        options.optimize = true;
        options.threads = threads;
        ASSERT_TRUE(WriteGifAnimation(source, out, options).ok) << threads;
        const Bytes bytes = StreamBytes(out);
        if (first.empty())
            first = bytes;
        EXPECT_EQ(bytes, first) << threads;
    }
    GifExportOptions plain;
    plain.canvas = kCanvas;
    ImageListFrameSource source(frames);
    wxMemoryOutputStream out;
    ASSERT_TRUE(WriteGifAnimation(source, out, plain).ok);
    EXPECT_GT(StreamBytes(out).size(), first.size());
}
