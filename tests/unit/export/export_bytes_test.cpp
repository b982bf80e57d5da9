// The exact files a few representative exports write, held by their length and a 64-bit
// FNV-1a digest of their bytes: a change of the writer or the pipeline that moves one byte of
// a saved GIF shows here, whichever path (indices from the default reducer, a reduced image,
// the optimised writer) wrote it.
#include <gtest/gtest.h>

#include <cstdint>

#include <wx/mstream.h>

#include "core/export/gif_export.h"
#include "support/gif_test_helpers.h"
#include "support/test_images.h"

using namespace giftest;

namespace {

uint64_t Fnv1a(const Bytes& bytes)
{
    uint64_t hash = 0xcbf29ce484222325ull;
    for (uint8_t b : bytes) {
        hash ^= b;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

// Frames of three sizes (so composing pads and centres them), one with see-through pixels, one
// repeated and one of few colours.
std::vector<wxImage> Frames()
{
    std::vector<wxImage> frames;
    for (int i = 0; i < 3; ++i)
        frames.push_back(PhotoLikeImage(40 + 3 * i, 30 - 2 * i, i));
    wxImage clear = GradientImage(40, 30, 5);
    clear.InitAlpha();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            clear.SetAlpha(x, y, static_cast<unsigned char>(x < 20 ? 0 : 255));
    frames.push_back(clear);
    frames.push_back(frames[2].Copy());
    frames.push_back(SolidImage(40, 30, 250, 20, 90));
    return frames;
}

TEST(ExportBytes, RepresentativeExportsWriteTheSameFileAsEver)
{
    QuietTrace quiet;
    const struct {
        const char* name;
        PaletteReducer reducer;
        bool optimize;
        int quality;
        int loopCount;
        std::vector<int> delays;
        size_t length;
        uint64_t digest;
    } cases[] = {
        {"default reducer, indices", PaletteReducer::Quant, false, 100, 0, {},
         9344, 0x11c89331d5cd3170},
        {"own delays, plays 3 times", PaletteReducer::Quant, false, 100, 3, {0, 5, -1, 250},
         9344, 0x0a0757555ae8db89},
        {"toolkit reducer, plays once", PaletteReducer::Direct, false, 100, 1, {},
         9986, 0x3c40a948915dbaa4},
        {"optimised", PaletteReducer::Quant, true, 100, 0, {},
         9335, 0x04e11ebd347214ec},
        {"optimised, lower quality", PaletteReducer::Quant, true, 40, 2, {7},
         3542, 0x0dbe37ba649bcd30},
    };
    for (const auto& c : cases) {
        GifExportOptions options;
        options.canvas = wxSize(40, 30);
        options.reducer = c.reducer;
        options.optimize = c.optimize;
        options.quality = c.quality;
        options.loopCount = c.loopCount;
        options.delays = c.delays;
        ImageListFrameSource source(Frames());
        wxMemoryOutputStream out;
        const GifExportResult result = WriteGifAnimation(source, out, options);
        ASSERT_TRUE(result.ok) << c.name << ": " << result.error;
        const Bytes bytes = StreamBytes(out);
        EXPECT_EQ(bytes.size(), c.length) << c.name;
        EXPECT_EQ(Fnv1a(bytes), c.digest) << c.name << std::hex << " 0x" << Fnv1a(bytes);
    }
}

} // namespace
