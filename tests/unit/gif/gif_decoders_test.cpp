// Files written by the exporter read back identically in decoders that share no code with the
// writer: the toolkit's own and the system's ImageMagick and gifsicle.
#include <gtest/gtest.h>

#include <wx/ffile.h>

#include "core/export/compose_frame.h"
#include "core/export/gif_export.h"
#include "support/temp_dir.h"
#include "support/test_images.h"
#include "support/gif_test_helpers.h"

using namespace giftest;

namespace {

struct Animation {
    std::vector<wxImage> reduced;  // what each frame must decode to
    wxString path;
    Bytes bytes;
};

// Four frames on an odd canvas: a photo (large LZW output with clear codes), a frame with two
// colours, a shrunk one on black and a masked one.
Animation WriteAnimation(const TempDir& dir)
{
    const wxSize canvas(121, 77);
    wxImage masked = PhotoLikeImage(60, 60, 8);
    masked.SetRGB(wxRect(10, 10, 20, 20), 255, 0, 255);
    masked.SetMaskColour(255, 0, 255);
    wxImage twoColours = SolidImage(121, 77, 0, 0, 255);
    twoColours.SetRGB(wxRect(0, 0, 50, 77), 255, 255, 0);
    const std::vector<wxImage> frames = {PhotoLikeImage(121, 77, 1), twoColours,
                                         GradientImage(400, 90, 3), masked};

    Animation a;
    GifExportOptions options;
    for (const wxImage& f : frames) {
        wxImage composed = ComposeFrame(f, canvas);
        a.reduced.push_back(ReduceWith(options.reducer, composed));
    }
    options.canvas = canvas;
    options.delay = 7;
    a.path = dir.File("anim.gif");
    const GifExportResult r = ExportGif(frames, a.path, options);
    EXPECT_TRUE(r.ok) << r.error;
    wxFFile f(a.path, "rb");
    a.bytes.resize(f.Length());
    f.Read(a.bytes.data(), a.bytes.size());
    return a;
}

TEST(GifDecoders, ToolkitDecoderSeesEveryReducedFrame)
{
    QuietTrace quiet;
    TempDir dir;
    const Animation a = WriteAnimation(dir);
    const std::vector<wxImage> decoded = DecodeWithToolkit(a.bytes);
    ASSERT_EQ(decoded.size(), a.reduced.size());
    for (size_t i = 0; i < decoded.size(); ++i)
        EXPECT_TRUE(SamePixels(decoded[i], a.reduced[i])) << "frame " << i;
}

TEST(GifDecoders, ImageMagickSeesEveryReducedFrame)
{
    QuietTrace quiet;
    const std::string convert = ImageMagickConvert();
    if (convert.empty())
        GTEST_SKIP() << "ImageMagick is not installed";
    TempDir dir;
    const Animation a = WriteAnimation(dir);
    std::string raw;
    int status = 0;
    ASSERT_TRUE(RunCommand(convert + " '" + a.path.ToStdString() + "' -depth 8 rgb:- 2>/dev/null", raw, &status));
    ASSERT_EQ(status, 0);
    const size_t frameBytes = 121 * 77 * 3;
    ASSERT_EQ(raw.size(), frameBytes * a.reduced.size());
    for (size_t i = 0; i < a.reduced.size(); ++i)
        EXPECT_EQ(std::memcmp(raw.data() + i * frameBytes, a.reduced[i].GetData(), frameBytes), 0)
            << "frame " << i;
}

TEST(GifDecoders, GifsicleReadsLoopDelayAndAllImagesWithoutComplaint)
{
    QuietTrace quiet;
    const std::string gifsicle = Gifsicle();
    if (gifsicle.empty())
        GTEST_SKIP() << "gifsicle is not installed";
    TempDir dir;
    const Animation a = WriteAnimation(dir);
    const std::string path = "'" + a.path.ToStdString() + "'";
    std::string info;
    int status = 0;
    ASSERT_TRUE(RunCommand(gifsicle + " --info " + path + " 2>&1", info, &status));
    EXPECT_EQ(status, 0) << info;
    EXPECT_NE(info.find("4 images"), std::string::npos) << info;
    EXPECT_NE(info.find("logical screen 121x77"), std::string::npos) << info;
    EXPECT_NE(info.find("loop forever"), std::string::npos) << info;
    EXPECT_NE(info.find("delay 0.07s"), std::string::npos) << info;
    EXPECT_EQ(info.find("warning"), std::string::npos) << info;

    // Re-encoding decompresses every image, so damaged image data would be reported here.
    // Its only expected remark is advice about merging the local colour tables.
    std::string reencode;
    ASSERT_TRUE(RunCommand(gifsicle + " " + path + " -o /dev/null 2>&1 | grep -v -e 'too many colors' -e '--colors'",
                           reencode, &status));
    EXPECT_TRUE(reencode.empty()) << reencode;
}

} // namespace
