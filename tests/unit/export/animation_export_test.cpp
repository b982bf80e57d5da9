// The export to types other than GIF: the encoder gets the composed frames and their delays,
// and a failure at any step leaves the old file and nothing else.
#include <gtest/gtest.h>

#include <wx/dir.h>
#include <wx/ffile.h>

#include "core/export/animation_export.h"
#include "support/temp_dir.h"
#include "support/test_images.h"

namespace {

// Writes a byte per call and fails where told; remembers what it was given.
class FakeEncoder : public AnimationEncoder {
public:
    enum class Step { None, Begin, Add, Finish };
    explicit FakeEncoder(Step failing) : m_failing(failing) {}
    bool Begin(wxOutputStream& out, const AnimationEncoding& encoding, std::string& error) override
    {
        m_out = &out;
        given = encoding;
        return Step_(Step::Begin, error);
    }
    bool Add(const wxImage& frame, int delay, std::string& error) override
    {
        sizes.push_back(frame.GetSize());
        delays.push_back(delay);
        return Step_(Step::Add, error);
    }
    bool Finish(std::string& error) override { return Step_(Step::Finish, error); }

    AnimationEncoding given;
    std::vector<wxSize> sizes;
    std::vector<int> delays;

private:
    bool Step_(Step step, std::string& error)
    {
        m_out->PutC('x');
        if (step != m_failing)
            return true;
        error = "the coder had no room";
        return false;
    }
    Step m_failing;
    wxOutputStream* m_out = nullptr;
};

class Sink : public ExportProgressSink {
public:
    void Progress(int percent) override { reports.push_back(percent); }
    bool StopRequested() override { return stopAfter >= 0 && static_cast<int>(reports.size()) >= stopAfter; }
    std::vector<int> reports;
    int stopAfter = -1;
};

class FailingSource : public FrameSource {
public:
    explicit FailingSource(int failing) : m_failing(failing) {}
    int Count() const override { return 3; }
    bool Frame(int index, wxImage& frame, FrameError& error) override
    {
        if (index == m_failing) {
            error = {"broken.png", "damaged"};
            return false;
        }
        frame = SolidImage(10 + index, 8, 200, 10, 10);
        return true;
    }

private:
    int m_failing;
};

wxString Contents(const wxString& path)
{
    wxFFile f(path, "rb");
    wxString text;
    f.ReadAll(&text);
    return text;
}

int Entries(const wxString& folder)
{
    wxArrayString names;
    return static_cast<int>(wxDir::GetAllFiles(folder, &names, wxEmptyString, wxDIR_FILES | wxDIR_HIDDEN));
}

} // namespace

TEST(AnimationExport, FramesComposedAndTimedAsForAGif)
{
    TempDir dir;
    FailingSource source(-1);
    FakeEncoder encoder(FakeEncoder::Step::None);
    Sink sink;
    AnimationExportOptions options;
    options.frames.canvas = wxSize(12, 8);
    options.frames.delays = {5, -1, 70000};
    options.frames.delay = 9;
    options.frames.loopCount = 4;
    options.frames.quality = 60;
    options.lossless = true;
    options.effort = 30;
    const GifExportResult result = ExportAnimation(source, dir.File("a.webp"), options, encoder, &sink);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(encoder.given.width, 12);
    EXPECT_EQ(encoder.given.height, 8);
    EXPECT_EQ(encoder.given.frameCount, 3);
    EXPECT_EQ(encoder.given.loopCount, 4);
    EXPECT_EQ(encoder.given.quality, 60);
    EXPECT_TRUE(encoder.given.lossless);
    EXPECT_EQ(encoder.given.effort, 30);
    EXPECT_EQ(encoder.sizes, std::vector<wxSize>(3, wxSize(12, 8)));
    EXPECT_EQ(encoder.delays, (std::vector<int>{5, 9, 65535}));
    EXPECT_EQ(sink.reports, (std::vector<int>{33, 66, 100}));
    EXPECT_EQ(Contents(dir.File("a.webp")), "xxxxx");
}

TEST(AnimationExport, AFailureLeavesTheOldFileAndNothingElse)
{
    using Kind = ExportFailure::Kind;
    using Step = FakeEncoder::Step;
    const struct {
        const char* what;
        int failingFrame;
        Step failingStep;
        int stopAfter;
        Kind kind;
        const char* error;
    } cases[] = {
        {"input", 1, Step::None, -1, Kind::InputRead, "can't read \"broken.png\": damaged"},
        {"begin", -1, Step::Begin, -1, Kind::Encoder, "the coder had no room"},
        {"frame", -1, Step::Add, -1, Kind::Encoder, "the coder had no room"},
        {"finish", -1, Step::Finish, -1, Kind::Encoder, "the coder had no room"},
        {"stop", -1, Step::None, 1, Kind::Stopped, "the export was stopped"},
        {"stop after the last", -1, Step::None, 3, Kind::Stopped, "the export was stopped"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const wxString path = dir.File("a.webp");
        {
            wxFFile old(path, "wb");
            old.Write(wxString("old"));
        }
        FailingSource source(c.failingFrame);
        FakeEncoder encoder(c.failingStep);
        Sink sink;
        sink.stopAfter = c.stopAfter;
        AnimationExportOptions options;
        options.frames.canvas = wxSize(12, 8);
        const GifExportResult result = ExportAnimation(source, path, options, encoder, &sink);
        EXPECT_FALSE(result.ok) << c.what;
        EXPECT_EQ(result.failure.kind, c.kind) << c.what;
        EXPECT_NE(result.error.Find(c.error), wxNOT_FOUND) << c.what << ": " << result.error;
        if (c.kind != Kind::InputRead) {
            EXPECT_NE(result.error.Find(path), wxNOT_FOUND) << c.what << ": " << result.error;
        }
        EXPECT_EQ(Contents(path), "old") << c.what;
        EXPECT_EQ(Entries(dir.Path()), 1) << c.what;
    }
}
