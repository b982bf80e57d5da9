// The exporter's inputs: which frames files give, the default canvas, and the messages for
// inputs that can't be used.
#include <gtest/gtest.h>

#include <wx/ffile.h>
#include <wx/wfstream.h>

#include "core/document/canvas_size.h"
#include "core/document/frame_delays.h"
#include "core/gif/gif_writer.h"
#include "core/input/image_decode.h"
#include "core/export/input_frames.h"
#include "support/temp_dir.h"
#include "support/test_images.h"
#include "support/gif_test_helpers.h"

using giftest::QuietTrace;

namespace {

TEST(CliCanvas, LargerFrameReplacesBothDimensionsAtOnce)
{
    QuietTrace quiet;
    const struct {
        std::vector<wxSize> frames;
        wxSize canvas;
    } cases[] = {
        {{wxSize(640, 480), wxSize(320, 240)}, wxSize(640, 480)},
        {{wxSize(100, 50), wxSize(50, 100)}, wxSize(50, 100)},
        {{wxSize(50, 100), wxSize(100, 50)}, wxSize(100, 50)},
        {{wxSize(0, 0), wxSize(30, 20)}, wxSize(30, 20)},
        {{}, wxSize(0, 0)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CanvasFromFrameSizes(c.frames), c.canvas) << c.frames.size() << " frames";
}

// Frames that already carry their palette, written unchanged by the writer under test.
void WriteGif(const wxString& path, const std::vector<wxImage>& frames)
{
    wxFileOutputStream out(path);
    ASSERT_TRUE(out.IsOk());
    for (bool ok : giftest::WriteGifFrames(out, frames))
        ASSERT_TRUE(ok);
}

TEST(CliInputs, GifInAnyCaseGivesEveryFrameOtherNamesOnePicture)
{
    QuietTrace quiet;
    TempDir dir;
    const std::vector<GifRgb> colours = giftest::DistinctColours(3);
    std::vector<wxImage> gifFrames;
    for (int f = 0; f < 3; ++f)
        gifFrames.push_back(giftest::PalettedImage(8, 6, colours, [f](int x, int) { return (x + f) % 3; }));
    WriteGif(dir.File("anim.gif"), gifFrames);
    WriteGif(dir.File("ANIM.GIF"), gifFrames);
    ASSERT_TRUE(WriteImage(GradientImage(20, 10), dir.File("still.png"), wxBITMAP_TYPE_PNG));

    InputFileFrames inputs({dir.File("anim.gif"), dir.File("still.png"), dir.File("ANIM.GIF")});
    wxString error;
    ASSERT_TRUE(inputs.Scan(true, error)) << error;
    EXPECT_EQ(inputs.Count(), 7);
    EXPECT_EQ(inputs.FrameSizes(), (std::vector<wxSize>{wxSize(8, 6), wxSize(8, 6), wxSize(8, 6),
                                                        wxSize(20, 10), wxSize(8, 6), wxSize(8, 6),
                                                        wxSize(8, 6)}));
    FrameError frameError;
    for (int i = 0; i < inputs.Count(); ++i) {
        wxImage frame;
        ASSERT_TRUE(inputs.Frame(i, frame, frameError)) << frameError.reason;
        if (i < 3 || i > 3) {
            EXPECT_TRUE(SamePixels(frame, gifFrames[i < 3 ? i : i - 4])) << i;
        }
    }
    wxImage extra;
    EXPECT_FALSE(inputs.Frame(7, extra, frameError));

    InputFileFrames unsized({dir.File("anim.gif"), dir.File("still.png")});
    ASSERT_TRUE(unsized.Scan(false, error));
    EXPECT_EQ(unsized.Count(), 4);
    EXPECT_TRUE(unsized.FrameSizes().empty());
}

TEST(CliInputs, UnreadableInputsAreNamedWithTheReason)
{
    QuietTrace quiet;
    TempDir dir;
    {
        wxFFile f(dir.File("corrupt.png"), "wb");
        f.Write("\x89PNG\r\n\x1a\nthis is not an image", 28);
        wxFFile g(dir.File("corrupt.gif"), "wb");
        g.Write("GIF89a\x05", 7);
    }
    const struct {
        wxString name;
        bool withSizes;
        const char* reason;
    } cases[] = {{"missing.png", false, "No such file or directory"},
                 {"missing.gif", true, "No such file or directory"},
                 {"corrupt.png", true, "damaged"},
                 {"corrupt.gif", false, "damaged"}};
    for (const auto& c : cases) {
        InputFileFrames inputs({dir.File(c.name)});
        wxString error;
        EXPECT_FALSE(inputs.Scan(c.withSizes, error)) << c.name;
        EXPECT_TRUE(error.Contains(dir.File(c.name))) << error;
        EXPECT_TRUE(error.Contains(c.reason)) << error;
    }

    // Without sizes a damaged picture is found when its frame is asked for.
    InputFileFrames late({dir.File("corrupt.png")});
    wxString error;
    ASSERT_TRUE(late.Scan(false, error));
    wxImage frame;
    FrameError frameError;
    EXPECT_FALSE(late.Frame(0, frame, frameError));
    EXPECT_EQ(frameError.file, dir.File("corrupt.png"));
    EXPECT_TRUE(frameError.reason.Contains("damaged")) << frameError.reason;

    std::vector<wxImage> frames;
    wxString reason;
    EXPECT_FALSE(DecodeImageFile(dir.Path(), frames, &reason));
    EXPECT_TRUE(reason.Contains("directory")) << reason;
}

// The file at path without its last drop bytes.
void CutShort(const wxString& path, size_t drop)
{
    wxFFile in(path, "rb");
    std::vector<char> bytes(static_cast<size_t>(in.Length()));
    in.Read(bytes.data(), bytes.size());
    in.Close();
    wxFFile(path, "wb").Write(bytes.data(), bytes.size() - drop);
}

TEST(CliInputs, InputsCutShortAreUsedAndNamedOnceEach)
{
    QuietTrace quiet;
    TempDir dir;
    const std::vector<GifRgb> colours = giftest::DistinctColours(2);
    std::vector<wxImage> gifFrames;
    for (int f = 0; f < 3; ++f)
        gifFrames.push_back(giftest::PalettedImage(8, 6, colours, [f](int x, int) { return (x + f) % 2; }));
    const wxString gif = dir.File("open.gif");
    WriteGif(gif, gifFrames);
    CutShort(gif, 1);  // only the trailer
    const wxString jpeg = dir.File("cut.jpg");
    ASSERT_TRUE(WriteImage(PhotoLikeImage(48, 32, 4), jpeg, wxBITMAP_TYPE_JPEG));
    CutShort(jpeg, 60);
    const wxString png = dir.File("still.png");
    ASSERT_TRUE(WriteImage(GradientImage(20, 10), png, wxBITMAP_TYPE_PNG));

    for (bool withSizes : {true, false}) {
        InputFileFrames inputs({jpeg, gif, png, jpeg});
        wxString error;
        ASSERT_TRUE(inputs.Scan(withSizes, error)) << error;
        EXPECT_EQ(inputs.Count(), 6);
        ASSERT_EQ(inputs.Damaged().size(), 2u) << "sizes " << withSizes;
        EXPECT_EQ(inputs.Damaged()[0].path, jpeg);
        EXPECT_TRUE(inputs.Damaged()[0].damage.Contains("end-of-image")) << inputs.Damaged()[0].damage;
        EXPECT_EQ(inputs.Damaged()[1].path, gif);

        // A project's frame of the GIF is whole, whatever follows it.
        InputFileFrames project({gif + "_2", png}, true);
        ASSERT_TRUE(project.Scan(withSizes, error)) << error;
        EXPECT_TRUE(project.Damaged().empty());
    }
}

} // namespace

namespace {

TEST(CliTiming, DelaysComeFromTheStrongestSourceGiven)
{
    FrameDelaySources s;
    s.own = {10, 0, 250, -1};
    s.inputs = {0, 0, 0, 1};
    EXPECT_EQ(ResolveFrameDelays(s), s.own) << "GIF frames keep their own";
    s.project = {-1, 40};
    EXPECT_EQ(ResolveFrameDelays(s), (std::vector<int>{-1, -1, -1, 40})) << "a project's own win";
    s.commonAsked = true;
    EXPECT_TRUE(ResolveFrameDelays(s).empty()) << "--delay puts every frame on it";
    s.listed = {1, 2, 3, 4};
    EXPECT_EQ(ResolveFrameDelays(s), s.listed);
}

TEST(CliInputs, EveryFrameKnowsItsOwnDelayAndInput)
{
    QuietTrace quiet;
    TempDir dir;
    const std::vector<GifRgb> colours = giftest::DistinctColours(4);
    const wxString gif = dir.File("anim.gif");
    {
        wxFileOutputStream out(gif);
        std::vector<wxImage> frames;
        for (int i = 0; i < 3; ++i)
            frames.push_back(giftest::PalettedImage(4, 4, colours, [i](int, int) { return i; }));
        for (bool ok : giftest::WriteGifFrames(out, frames, {100, 0, 2500}))
            ASSERT_TRUE(ok);
    }
    const wxString png = dir.File("p.png");
    ASSERT_TRUE(WriteImage(SolidImage(4, 4, 1, 2, 3), png, wxBITMAP_TYPE_PNG));
    InputFileFrames frames({png, gif, gif + "_2", gif + "_9"}, true);
    wxString error;
    ASSERT_TRUE(frames.Scan(false, error)) << error;
    EXPECT_EQ(frames.FrameDelays(), (std::vector<int>{-1, 10, 0, 250, 250}));
    EXPECT_EQ(frames.FrameInputs(), (std::vector<size_t>{0, 1, 1, 1, 2}));
}

} // namespace
