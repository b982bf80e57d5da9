// The export pipeline: progress, identical bytes whatever the threads or reducer, and files
// that are either complete or not there.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include <unistd.h>

#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filename.h>

#include "core/files/atomic_file.h"
#include "core/export/compose_frame.h"
#include "core/export/gif_export.h"
#include "support/temp_dir.h"
#include "support/test_images.h"
#include "support/gif_test_helpers.h"

using namespace giftest;

namespace {

class RecordingSink : public ExportProgressSink {
public:
    void Progress(int percent) override { reports.push_back(percent); }
    bool StopRequested() override { return stopAfter >= 0 && static_cast<int>(reports.size()) >= stopAfter; }
    std::vector<int> reports;
    int stopAfter = -1;
};

std::vector<wxImage> Frames(int n, const wxSize& size)
{
    std::vector<wxImage> frames;
    for (int i = 0; i < n; ++i)
        frames.push_back(PhotoLikeImage(size.x + i % 3, size.y, i));
    return frames;
}

Bytes ReadFile(const wxString& path)
{
    wxFFile f(path, "rb");
    Bytes b(f.IsOpened() ? f.Length() : 0);
    if (!b.empty())
        f.Read(b.data(), b.size());
    return b;
}

std::vector<wxString> FilesIn(const wxString& dir)
{
    std::vector<wxString> names;
    wxDir d(dir);
    wxString name;
    for (bool more = d.GetFirst(&name, wxEmptyString, wxDIR_FILES | wxDIR_HIDDEN); more; more = d.GetNext(&name))
        names.push_back(name);
    return names;
}

Bytes ExportToMemory(std::vector<wxImage> frames, const GifExportOptions& options)
{
    ImageListFrameSource source(std::move(frames));
    wxMemoryOutputStream out;
    const GifExportResult r = WriteGifAnimation(source, out, options);
    EXPECT_TRUE(r.ok) << r.error;
    return StreamBytes(out);
}

// A source whose frame `failing` can't be read.
class BrokenSource : public FrameSource {
public:
    BrokenSource(int count, int failing) : m_count(count), m_failing(failing) {}
    int Count() const override { return m_count; }
    bool Frame(int index, wxImage& frame, FrameError& error) override
    {
        if (index == m_failing) {
            error = {"broken.png", "damaged"};
            return false;
        }
        frame = SolidImage(8, 8, 10, 20, 30);
        return true;
    }

private:
    int m_count, m_failing;
};

TEST(GifExport, ProgressReportsFloorOfFramesDoneAndEndsAt100)
{
    QuietTrace quiet;
    GifExportOptions options;
    options.canvas = wxSize(4, 3);
    for (int n : {1, 3, 200}) {
        ImageListFrameSource source(Frames(n, wxSize(4, 3)));
        wxMemoryOutputStream out;
        RecordingSink sink;
        ASSERT_TRUE(WriteGifAnimation(source, out, options, &sink).ok);
        ASSERT_EQ(static_cast<int>(sink.reports.size()), n);
        for (int i = 0; i < n; ++i)
            EXPECT_EQ(sink.reports[i], 100 * (i + 1) / n) << n << " frames, frame " << i;
    }
    RecordingSink three;
    ImageListFrameSource source(Frames(3, wxSize(4, 3)));
    wxMemoryOutputStream out;
    WriteGifAnimation(source, out, options, &three);
    EXPECT_EQ(three.reports, (std::vector<int>{33, 66, 100}));
}

TEST(GifExport, BytesDoNotDependOnThreadsOrReducer)
{
    QuietTrace quiet;
    GifExportOptions options;
    options.canvas = wxSize(61, 47);
    options.delay = 7;
    const std::vector<wxImage> frames = Frames(7, wxSize(80, 40));

    options.threads = 1;
    options.reducer = PaletteReducer::BmpPass;
    const Bytes reference = ExportToMemory(frames, options);
    options.reducer = PaletteReducer::Direct;
    for (int threads : {1, 2, 5}) {
        options.threads = threads;
        std::vector<wxImage> copies;
        for (const wxImage& f : frames)
            copies.push_back(f.Copy());
        EXPECT_EQ(ExportToMemory(copies, options), reference) << threads << " threads";
    }
}

TEST(GifExport, ExportsOnTwoThreadsAtOnceWriteOnlyTheirOwnBytes)
{
    QuietTrace quiet;
    GifExportOptions options;
    options.canvas = wxSize(24, 16);
    options.threads = 1;
    const std::vector<int> sizes = {40, 41};
    std::vector<Bytes> reference, concurrent(sizes.size());
    for (int n : sizes)
        reference.push_back(ExportToMemory(Frames(n, wxSize(24, 16)), options));
    std::vector<std::vector<wxImage>> inputs;
    for (int n : sizes)
        inputs.push_back(Frames(n, wxSize(24, 16)));
    std::vector<std::thread> threads;
    for (size_t t = 0; t < sizes.size(); ++t)
        threads.emplace_back([&, t] {
            ImageListFrameSource source(std::move(inputs[t]));
            wxMemoryOutputStream out;
            if (WriteGifAnimation(source, out, options).ok)
                concurrent[t] = StreamBytes(out);
        });
    for (std::thread& t : threads)
        t.join();
    for (size_t t = 0; t < sizes.size(); ++t)
        EXPECT_EQ(concurrent[t], reference[t]) << "export " << t;
}

TEST(GifExport, FailedFrameLeavesExistingFileAndNoTemporaryFile)
{
    QuietTrace quiet;
    TempDir dir;
    const wxString target = dir.File("anim.gif");
    ASSERT_TRUE(WriteFileAtomically(target, "old", 3, nullptr));
    GifExportOptions options;
    options.canvas = wxSize(8, 8);
    for (int failing : {0, 2, 4}) {
        for (int threads : {1, 2}) {
            options.threads = threads;
            BrokenSource source(5, failing);
            RecordingSink sink;
            const GifExportResult r = ExportGif(source, target, options, &sink);
            EXPECT_FALSE(r.ok);
            EXPECT_EQ(r.failure.kind, ExportFailure::Kind::InputRead);
            EXPECT_EQ(r.failure.file, "broken.png");
            EXPECT_EQ(r.error, "can't read \"broken.png\": damaged");
            EXPECT_EQ(static_cast<int>(sink.reports.size()), failing);
            EXPECT_EQ(ReadFile(target), (Bytes{'o', 'l', 'd'}));
            EXPECT_EQ(FilesIn(dir.Path()), std::vector<wxString>{"anim.gif"});
        }
    }
}

TEST(GifExport, StopRequestKeepsNothing)
{
    QuietTrace quiet;
    TempDir dir;
    GifExportOptions options;
    options.canvas = wxSize(8, 8);
    RecordingSink sink;
    sink.stopAfter = 2;
    const GifExportResult r = ExportGif(Frames(5, wxSize(8, 8)), dir.File("a.gif"), options, &sink);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.failure.kind, ExportFailure::Kind::Stopped);
    EXPECT_TRUE(FilesIn(dir.Path()).empty());
}

TEST(GifExport, CancelledSourceIsAStopNotAnInputFailure)
{
    // A source whose owner stopped it gives no frame and says it was stopped.
    struct StoppedSource : FrameSource {
        int Count() const override { return 3; }
        bool Frame(int, wxImage&, FrameError& error) override
        {
            error.stopped = true;
            return false;
        }
    };
    QuietTrace quiet;
    TempDir dir;
    StoppedSource source;
    GifExportOptions options;
    options.canvas = wxSize(8, 8);
    const GifExportResult r = ExportGif(source, dir.File("a.gif"), options);
    EXPECT_EQ(r.failure.kind, ExportFailure::Kind::Stopped);
    EXPECT_EQ(r.failure.file, dir.File("a.gif"));
    EXPECT_TRUE(FilesIn(dir.Path()).empty());
}

TEST(GifExport, FolderThatCantTakeTheFileIsFolderNotWritableWithTheFolderAndReason)
{
    QuietTrace quiet;
    TempDir dir;
    ASSERT_TRUE(WriteFileAtomically(dir.File("plain"), "x", 1, nullptr));
    struct Case {
        wxString output;
        wxString folder;
        int reason;
    };
    std::vector<Case> cases = {{"/nonexistent-folder/out.gif", "/nonexistent-folder", ENOENT},
                               {dir.File("plain/out.gif"), dir.File("plain"), ENOTDIR}};
    // Root writes into any folder; a locked one only stops other users.
    if (::geteuid() != 0) {
        ASSERT_TRUE(wxMkdir(dir.File("locked"), 0500));
        cases.push_back({dir.File("locked/out.gif"), dir.File("locked"), EACCES});
    }
    GifExportOptions options;
    options.canvas = wxSize(8, 8);
    for (const Case& c : cases) {
        const GifExportResult r = ExportGif(Frames(2, wxSize(8, 8)), c.output, options);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.failure.kind, ExportFailure::Kind::FolderNotWritable) << c.output;
        EXPECT_EQ(r.failure.file, c.output);
        EXPECT_EQ(r.failure.folder, c.folder);
        EXPECT_EQ(r.failure.reason, std::strerror(c.reason));
        EXPECT_TRUE(r.error.Contains("choose another folder")) << r.error;
    }
}

TEST(GifExport, NothingToWriteOrBadCanvasIsAnErrorNotAnEmptyFile)
{
    QuietTrace quiet;
    TempDir dir;
    GifExportOptions options;
    options.canvas = wxSize(8, 8);
    GifExportResult r = ExportGif(std::vector<wxImage>(), dir.File("empty.gif"), options);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.failure.kind, ExportFailure::Kind::NoFrames);
    EXPECT_TRUE(r.error.Contains("empty.gif")) << r.error;
    options.canvas = wxSize(0, 8);
    r = ExportGif(Frames(1, wxSize(8, 8)), dir.File("zero.gif"), options);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.failure.kind, ExportFailure::Kind::BadCanvas);
    options.canvas = wxSize(70000, 8);
    r = ExportGif(Frames(1, wxSize(8, 8)), dir.File("huge.gif"), options);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.failure.canvas, wxSize(70000, 8));
    EXPECT_TRUE(FilesIn(dir.Path()).empty());
}

} // namespace
