// Frames as the picture edits make them: a sequence of turns, flips and crops made in the
// window gives the pixels the same operations give on the composed picture, and a transparent
// background reaches the file as clear pixels.
#include <gtest/gtest.h>

#include <algorithm>

#include <wx/gifdecod.h>
#include <wx/mstream.h>

#include "core/export/compose_frame.h"
#include "core/export/gif_export.h"
#include "core/gif/clear_pixels.h"
#include "support/gif_test_helpers.h"
#include "support/test_images.h"

using namespace giftest;

namespace {

// A picture whose every pixel tells where it came from.
wxImage Numbered(int w, int h)
{
    wxImage image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.SetRGB(x, y, static_cast<unsigned char>(x), static_cast<unsigned char>(y),
                         static_cast<unsigned char>((x * 7 + y * 13) & 255));
    return image;
}

TEST(EditedFrame, TurnsFlipsAndCropsComposeInTheOrderMade)
{
    // Each step: 'r' right, 'l' left, 'h'/'v' flips, 'c' a crop of the picture as shown.
    const struct {
        const char* steps;
    } cases[] = {{"c"}, {"rc"}, {"cr"}, {"hcl"}, {"vrcrc"}, {"crhcv"}, {"lcc"}};
    const wxImage frame = Numbered(60, 40);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        EditedCanvas state{frame.GetSize(), CanvasEdit()};
        wxImage expected = frame.Copy();
        for (const char* s = c.steps; *s; ++s) {
            switch (*s) {
            case 'r':
                state = Turned(state, 1);
                expected = expected.Rotate90(true);
                break;
            case 'l':
                state = Turned(state, -1);
                expected = expected.Rotate90(false);
                break;
            case 'h':
            case 'v':
                state = Mirrored(state, *s == 'h');
                expected = expected.Mirror(*s == 'h');
                break;
            default: {
                const PixelRect keep{3, 2, state.canvas.x / 2, state.canvas.y / 2 + 1};
                state = *CroppedTo(state, keep);
                expected = expected.GetSubImage(wxRect(keep.x, keep.y, keep.width, keep.height));
            }
            }
        }
        const wxImage got = ComposeEdited(frame, state.canvas, state.edit, false);
        EXPECT_TRUE(SamePixels(got, expected));
    }
}

TEST(EditedFrame, BackgroundFillsBarsAndShowsThroughMasksOrStaysClear)
{
    wxImage frame = SolidImage(20, 10, 200, 0, 0);
    frame.SetMaskColour(200, 0, 0);
    frame.SetRGB(5, 5, 0, 0, 200);  // the one pixel the mask leaves
    CanvasEdit edit;
    edit.fit = FitMode::Centre;
    edit.background = Background{false, 0, 255, 0};
    const wxImage green = ComposeEdited(frame, wxSize(30, 30), edit, false);
    EXPECT_FALSE(green.HasAlpha());
    EXPECT_EQ(green.GetGreen(0, 0), 255);   // a bar
    EXPECT_EQ(green.GetGreen(6, 11), 255);  // a masked pixel
    EXPECT_EQ(green.GetBlue(10, 15), 200);  // the frame's own
    edit.background = Background{true};
    const wxImage clear = ComposeEdited(frame, wxSize(30, 30), edit, false);
    ASSERT_TRUE(clear.HasAlpha());
    EXPECT_EQ(clear.GetAlpha(0, 0), 0);
    EXPECT_EQ(clear.GetAlpha(6, 11), 0);
    EXPECT_EQ(clear.GetAlpha(10, 15), 255);
}

TEST(EditedFrame, ClearPixelsGetAnEntryOfTheirOwnEvenInAFullPalette)
{
    IndexedFrame full;
    full.width = 256;
    full.height = 2;
    full.colourCount = 256;
    for (int i = 0; i < 256; ++i) {
        full.palette[i] = GifRgb{static_cast<unsigned char>(i), 0, 0};
        full.indices.push_back(static_cast<unsigned char>(i));
        full.indices.push_back(static_cast<unsigned char>(i == 7 ? 8 : i));  // 7 used least
    }
    std::vector<uint8_t> clear(full.indices.size(), 0);
    clear[0] = 1;
    const int entry = MarkClearPixels(full, clear);
    EXPECT_EQ(entry, 7);
    EXPECT_EQ(full.indices[0], 7);
    EXPECT_EQ(full.indices[14], 6);  // pixel 7's colour went to its nearest neighbour
    IndexedFrame few = full;
    few.colourCount = 200;
    std::replace_if(few.indices.begin(), few.indices.end(), [](int i) { return i >= 200; }, 0);
    EXPECT_EQ(MarkClearPixels(few, clear), 200);
    EXPECT_EQ(MarkClearPixels(few, std::vector<uint8_t>(few.indices.size(), 0)), -1);
}

TEST(EditedFrame, TransparentBackgroundWritesClearPixelsThatNoLaterFrameShowsThrough)
{
    QuietTrace quiet;
    for (const bool optimize : {false, true}) {
        SCOPED_TRACE(optimize);
        GifExportOptions options;
        options.canvas = wxSize(40, 40);
        options.edit.fit = FitMode::Fit;
        options.edit.background = Background{true};
        options.optimize = optimize;
        ImageListFrameSource frames({SolidImage(40, 20, 250, 0, 0), SolidImage(20, 40, 0, 0, 250)});
        wxMemoryOutputStream out;
        ASSERT_TRUE(WriteGifAnimation(frames, out, options).ok);
        const std::vector<wxImage> decoded = DecodeWithToolkit(StreamBytes(out));
        ASSERT_EQ(decoded.size(), 2u);
        for (const wxImage& image : decoded)
            ASSERT_TRUE(image.HasMask());
        // The wide frame's bars above and below, the tall one's at the sides.
        EXPECT_TRUE(decoded[0].IsTransparent(20, 2));
        EXPECT_FALSE(decoded[0].IsTransparent(20, 20));
        EXPECT_TRUE(decoded[1].IsTransparent(2, 20));
        EXPECT_FALSE(decoded[1].IsTransparent(20, 2));
        // Each frame clears its place before the next is drawn.
        const Bytes bytes = StreamBytes(out);
        wxMemoryInputStream in(bytes.data(), bytes.size());
        wxGIFDecoder decoder;
        ASSERT_EQ(decoder.LoadGIF(in), wxGIF_OK);
        for (unsigned i = 0; i < 2; ++i)
            EXPECT_EQ(decoder.GetDisposalMethod(i), wxANIM_TOBACKGROUND);
    }
}

} // namespace
