#include <gtest/gtest.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/progdlg.h>
#include <wx/statusbr.h>

#include "core/settings/gif_save_setting.h"
#include "core/settings/settings_store.h"
#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"
#include "core/jobs/background_estimate.h"
#include "core/jobs/export_session.h"
#include "core/export/gif_export.h"
#include "core/gif/gif_frame_reader.h"
#include "core/jobs/thread_update_event.h"
#include "support/file_bytes.h"
#include "support/gui_helpers.h"
#include "support/temp_dir.h"
#include "support/test_images.h"
#include "core/base/file_length_text.h"

namespace {
constexpr int kSide = 48;

// A still background with a square that moves: most of each frame repeats the last one.
wxImage MovingSquare(int step)
{
    wxImage image = SolidImage(kSide, kSide, 30, 90, 160);
    for (int y = 10; y < 22; ++y)
        for (int x = 4 + 6 * step; x < 16 + 6 * step; ++x)
            image.SetRGB(x, y, 240, 200, 20);
    return image;
}

std::vector<wxImage> DecodedFrames(const wxString& path)
{
    GifFrameReader reader;
    wxString reason;
    EXPECT_TRUE(reader.Open(path, &reason)) << reason;
    std::vector<wxImage> frames;
    for (unsigned i = 0; i < reader.Count(); ++i) {
        wxImage frame;
        EXPECT_TRUE(reader.Frame(i, frame)) << reader.Error();
        frames.push_back(frame);
    }
    return frames;
}

GifSaveOptions Chosen(bool optimize, int quality, uint64_t limit = 0)
{
    GifSaveOptions options;
    options.optimize = optimize;
    options.quality = quality;
    options.keepUnder = limit > 0;
    options.limitBytes = limit;
    return options;
}

class GifSaveOptionsTest : public testing::Test {
protected:
    void SetUp() override
    {
        // Each window reads the one settings store: start from the defaults.
        WriteGifSaveOptions(Settings(), GifSaveOptions());
    }
    void TearDown() override { WriteGifSaveOptions(Settings(), GifSaveOptions()); }

    // Writes frames as PNG files and adds them to the window.
    std::vector<wxImage> AddFrames(MainWindowFixture& window, const std::vector<wxImage>& frames,
                                   const char* prefix = "f")
    {
        wxArrayString paths;
        for (size_t i = 0; i < frames.size(); ++i) {
            paths.Add(dir.File(wxString::Format("%s%zu.png", prefix, i)));
            EXPECT_TRUE(WriteImage(frames[i], paths.Last(), wxBITMAP_TYPE_PNG));
        }
        window.AddImages(paths);
        return frames;
    }

    // Save As to name with options chosen in the dialog; the file's bytes.
    std::string SaveAs(const wxString& name, const GifSaveOptions& options)
    {
        fixture.Paths().gifOptionAnswers.push_back(options);
        fixture.SaveWith(ID_SAVE_GIF_AS, dir.File(name));
        return wxFileExists(dir.File(name)) ? FileBytes(dir.File(name)) : std::string();
    }

    // What ExportGif writes for frames under the window's canvas and delay and options.
    std::string Direct(const std::vector<wxImage>& frames, const GifSaveOptions& chosen)
    {
        GifExportOptions options;
        options.canvas = wxSize(kSide, kSide);
        options.delay = Probe(fixture.Frame()).Document().Delay();
        options.optimize = chosen.optimize;
        options.quality = chosen.quality;
        const wxString path = dir.File("direct.gif");
        EXPECT_TRUE(ExportGif(frames, path, options).ok);
        return FileBytes(path);
    }

    wxString StatusText() { return fixture.Frame().GetStatusBar()->GetStatusText(2); }
    // The estimate's part of the status text.
    wxString EstimateText() { return StatusText().AfterFirst(wxUniChar(0xb7)).Trim(false); }

    TempDir dir;
    MainWindowFixture fixture;
};
}

TEST_F(GifSaveOptionsTest, OptionsChosenInTheDialogReachTheFileAsTheExporterWritesThem)
{
    const std::vector<wxImage> frames =
        AddFrames(fixture, {MovingSquare(0), MovingSquare(1), MovingSquare(2), MovingSquare(3)});
    const std::string plain = SaveAs("plain.gif", Chosen(false, 100));
    const std::string optimised = SaveAs("optimised.gif", Chosen(true, 100));
    ASSERT_FALSE(plain.empty());
    EXPECT_LT(optimised.size(), plain.size());
    EXPECT_TRUE(optimised == Direct(frames, Chosen(true, 100)));
    const std::vector<wxImage> a = DecodedFrames(dir.File("plain.gif"));
    const std::vector<wxImage> b = DecodedFrames(dir.File("optimised.gif"));
    ASSERT_EQ(a.size(), 4u);
    ASSERT_EQ(b.size(), 4u);
    for (size_t i = 0; i < a.size(); ++i)
        EXPECT_TRUE(SamePixels(a[i], b[i])) << "frame " << i;

    const std::string low = SaveAs("low.gif", Chosen(true, 40));
    EXPECT_TRUE(low == Direct(frames, Chosen(true, 40)));
    EXPECT_LE(low.size(), optimised.size());
}

TEST_F(GifSaveOptionsTest, ChoicesAreShownAgainInANewWindowAndUsedByAPlainSave)
{
    AddFrames(fixture, {MovingSquare(0), MovingSquare(1)});
    SaveAs("first.gif", Chosen(true, 60, 2500000));
    ASSERT_EQ(fixture.Paths().gifOptionsShown.size(), 1u);
    EXPECT_EQ(fixture.Paths().gifOptionsShown[0], GifSaveOptions());

    MainWindowFixture second;
    const std::vector<wxImage> frames = AddFrames(second, {MovingSquare(2), MovingSquare(3)}, "g");
    second.SaveWith(ID_SAVE_GIF, dir.File("second.gif"));
    ASSERT_EQ(second.Paths().gifOptionsShown.size(), 1u);
    EXPECT_EQ(second.Paths().gifOptionsShown[0], Chosen(true, 60, 2500000));
    EXPECT_TRUE(FileBytes(dir.File("second.gif")) == Direct(frames, Chosen(true, 60)));

    // Save without a dialog writes again when only the options changed.
    const std::string before = FileBytes(dir.File("second.gif"));
    WriteGifSaveOptions(Settings(), Chosen(false, 100));
    second.SaveWith(ID_SAVE_GIF, wxString());
    EXPECT_TRUE(FileBytes(dir.File("second.gif")) == Direct(frames, Chosen(false, 100)));
    EXPECT_FALSE(FileBytes(dir.File("second.gif")) == before);
}

TEST_F(GifSaveOptionsTest, ALimitNothingFitsIsToldAndLeavesTheOldFileAsItWas)
{
    AddFrames(fixture, {MovingSquare(0), MovingSquare(1)});
    SaveAs("anim.gif", Chosen(false, 100));
    const std::string old = FileBytes(dir.File("anim.gif"));
    wxTEST_DIALOG(SaveAs("anim.gif", Chosen(false, 100, 40)),
                  ExpectMessage(wxID_OK, "anim.gif was not saved"));
    EXPECT_TRUE(FileBytes(dir.File("anim.gif")) == old);
    wxTEST_DIALOG(SaveAs("new.gif", Chosen(true, 40, 40)),
                  ExpectMessage(wxID_OK, "more than the limit of 1 kB"));
    EXPECT_FALSE(wxFileExists(dir.File("new.gif")));
    EXPECT_EQ(Probe(fixture.Frame()).GifName(), "anim.gif") << "the failed file names nothing";
}

TEST_F(GifSaveOptionsTest, ALimitThatFitsWritesAFileWithinIt)
{
    AddFrames(fixture, {MovingSquare(0), MovingSquare(1), MovingSquare(2)});
    const size_t plain = SaveAs("plain.gif", Chosen(false, 100)).size();
    const uint64_t limit = plain + 10;
    const std::string limited = SaveAs("limited.gif", Chosen(false, 100, limit));
    ASSERT_FALSE(limited.empty());
    EXPECT_LE(limited.size(), limit);

    // When the export had to go lower, the user learns how.
    SizeLimitReport report;
    report.fitted = true;
    report.quality = 60;
    report.canvas = wxSize(24, 24);
    report.bytes = 900;
    report.attempts = 3;
    wxTEST_DIALOG(Probe(fixture.Frame()).TellHowItWasMadeSmaller(report),
                  ExpectMessage(wxID_OK, "quality 60 of 100\ncanvas 24 * 24 px instead of 48 * 48 px"
                                         "\nfile length 1 kB"));
    report.quality = 100;
    report.canvas = wxSize(kSide, kSide);
    Probe(fixture.Frame()).TellHowItWasMadeSmaller(report);  // nothing lowered: no message
}

TEST_F(GifSaveOptionsTest, EstimateFollowsTheFramesAndTheChosenOptions)
{
    EXPECT_EQ(StatusText(), "");
    AddFrames(fixture, {PhotoLikeImage(kSide, kSide, 1)});
    ASSERT_TRUE(WaitFor("an estimate", [&] { return EstimateText().StartsWith("about "); }));
    const wxString one = EstimateText();
    EXPECT_TRUE(StatusText().StartsWith("Length: 0.10 s")) << StatusText();

    AddFrames(fixture, {PhotoLikeImage(kSide, kSide, 2), PhotoLikeImage(kSide, kSide, 3),
                        PhotoLikeImage(kSide, kSide, 4)}, "more");
    ASSERT_TRUE(WaitFor("a new estimate",
                        [&] { return EstimateText().StartsWith("about ") && EstimateText() != one; }));

    // The estimate is the length Save writes, give or take.
    const wxString three = EstimateText();
    const std::string saved = SaveAs("saved.gif", Chosen(false, 100));
    wxString expected = wxString::Format("about %s", FileLengthText(saved.size()));
    EXPECT_EQ(three, expected);

    // A lower remembered quality is estimated again (never more than the best).
    WriteGifSaveOptions(Settings(), Chosen(true, 40));
    Probe(fixture.Frame()).ScheduleEstimate();
    EXPECT_EQ(EstimateText(), "estimating...") << "what was shown is no longer counted";
    ASSERT_TRUE(WaitFor("an estimate of the new options",
                        [&] { return EstimateText().StartsWith("about "); }));

    for (int i = 0; i < 4; ++i) {
        Probe(fixture.Frame()).Strip()->Select(0);
        wxTEST_DIALOG(fixture.Command(ID_DELETE_FRAMES),
                      wxExpectModal<wxMessageDialog>(wxID_YES));
    }
    ASSERT_EQ(fixture.Frame().FrameCount(), 0);
    ASSERT_TRUE(WaitFor("no estimate", [&] { return StatusText().empty(); }));
}

TEST_F(GifSaveOptionsTest, ClosingWhileAnEstimateRunsEndsItWithoutWaitingForIt)
{
    std::vector<wxImage> big;
    for (int i = 0; i < 6; ++i)
        big.push_back(PhotoLikeImage(700, 700, i));
    auto window = std::make_unique<MainWindowFixture>();
    AddFrames(*window, big, "big");
    Probe(window->Frame()).EstimateTimer().Stop();
    Probe(window->Frame()).StartEstimate();
    ASSERT_TRUE(Probe(window->Frame()).Estimate()->Running());
    EXPECT_TRUE(window->Frame().GetStatusBar()->GetStatusText(2).EndsWith("estimating..."));
    YieldFor(30);
    window.reset();
    YieldFor(50);
}

TEST_F(GifSaveOptionsTest, ProgressGoingBackSaysANewTryHasStarted)
{
    std::vector<wxImage> big;
    for (int i = 0; i < 8; ++i)
        big.push_back(PhotoLikeImage(600, 600, i));
    AddFrames(fixture, big, "big");
    fixture.Paths().saveAnswers.push_back(dir.File("anim.gif"));
    // Sent without yielding: the export is still running when the reports below arrive.
    wxCommandEvent save(wxEVT_MENU, ID_SAVE_GIF);
    fixture.Frame().ProcessWindowEvent(save);
    ASSERT_TRUE(fixture.Frame().IsSaving());
    for (int percent : {60, 20}) {
        wxThreadEvent report(wxEVT_THREAD_UPDATE, ID_GIF_FRAME_SAVED);
        report.SetInt(percent);
        Probe(fixture.Frame()).Export()->ProcessEvent(report);
    }
    EXPECT_TRUE(Probe(fixture.Frame()).SaveProgress()->GetMessage().Contains("try 2"))
        << Probe(fixture.Frame()).SaveProgress()->GetMessage();
    WaitFor("the export to end", [&] { return !fixture.Frame().IsSaving(); }, 60000);
    EXPECT_TRUE(wxFileExists(dir.File("anim.gif")));
}
