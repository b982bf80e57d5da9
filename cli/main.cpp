// zoruvede-cli: exports image files as an animated GIF through the application's own export
// pipeline, without a window. Exit status: 0 success, 1 an input or the output failed,
// 2 bad usage, 130 interrupted. Standard output stays empty unless --verbose asks for the trace lines.
#include <clocale>
#include <functional>
#include <memory>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include <unistd.h>

#include <wx/debug.h>
#include <wx/image.h>
#include <wx/imagjpeg.h>
#include <wx/imagpng.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/strconv.h>

#include "core/base/file_name_encoding.h"
#include "core/settings/product.h"
#include "core/files/target_node.h"
#include "core/base/trace.h"
#include "cli/cli_options.h"
#include "cli/progress_bar.h"
#include "cli/screen_recording.h"
#include "core/export/picture_frame_source.h"
#include "core/project/project_file.h"
#include "core/document/canvas_size.h"
#include "core/document/frame_delays.h"
#include "core/input/frame_reference.h"
#include "core/export/animation_export.h"
#include "core/export/gif_export.h"
#include "core/export/output_format.h"
#include "core/gif/gif_geometry.h"
#include "core/export/gif_save_options.h"
#include "core/input/image_decode.h"
#include "core/export/input_frames.h"
#include "core/export/kept_frame_source.h"
#include "core/document/frame_thinning.h"
#include "core/picture/picture_differences.h"
#include "core/export/size_estimate.h"
#include "core/export/size_limit.h"
#include "usage/zoruvede_cli_usage.h"
#include "core/base/readable_file.h"
#include "core/base/file_length_text.h"
#include "core/gif/gif_limits.h"

namespace {

constexpr const char* kProgram = "zoruvede-cli";

// Set by SIGINT or SIGTERM: the export stops before its next frame and, through the atomic
// writer, leaves neither a partial output nor its temporary file.
volatile std::sig_atomic_t s_interrupted = 0;

void OnInterrupt(int)
{
    s_interrupted = 1;
}

// A message as bytes for the terminal: through the file-name encoding, so that a file name
// in it comes out as the bytes the user typed, even when they are no valid text.
std::string Printable(const wxString& message)
{
    const std::string bytes = FileNameBytes(message);
    return bytes.empty() ? message.utf8_string() : bytes;
}

// The toolkit's own complaints (a failed assertion inside it: its decoders assert on some
// damaged files before they refuse them; a decoder's warning) are chatter to the user of a
// command: shown with --verbose, otherwise kept quiet. The refusal is what we report.
void QuietAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                 const wxString& msg)
{
    if (IsTraceEnabled())
        std::fprintf(stderr, "%s: toolkit assertion \"%s\" in %s (%s:%d): %s\n", kProgram,
                     cond.utf8_str().data(), func.utf8_str().data(), file.utf8_str().data(), line,
                     msg.utf8_str().data());
}

void RouteToolkitMessages(bool verbose)
{
    wxSetAssertHandler(QuietAssert);
    if (verbose)
        delete wxLog::SetActiveTarget(new wxLogStderr);
    else
        wxLog::EnableLogging(false);
}

int Fail(const wxString& message)
{
    std::fprintf(stderr, "%s: %s\n", kProgram, Printable(message).c_str());
    return 1;
}

wxString PathArgument(const std::string& arg)
{
    // File names are bytes in the file-name encoding; every path goes back the same way.
    wxString path = FileNameFromBytes(arg);
    return path.empty() && !arg.empty() ? wxString::FromUTF8(arg.c_str()) : path;
}

wxString ProjectProblemText(const wxString& file, const ProjectReading& project)
{
    switch (project.problem) {
    case ProjectProblem::Unreadable:
        return wxString::Format("can't read \"%s\": %s", file, project.detail);
    case ProjectProblem::NotXml:
        return wxString::Format("can't read \"%s\": not a project file (not well-formed XML)", file);
    case ProjectProblem::NotProject:
        return wxString::Format("can't read \"%s\": not a project file (element \"%s\" missing "
                                "or out of place)", file, project.detail);
    case ProjectProblem::TooLarge:
        return wxString::Format("can't read \"%s\": not a project file (larger than %d MB, far "
                                "more than any project)",
                                file, static_cast<int>(kMaxProjectBytes / 1000000));
    case ProjectProblem::TooDeep:
        return wxString::Format("can't read \"%s\": not a project file (elements nested more "
                                "than %d deep)",
                                file, kMaxProjectDepth);
    case ProjectProblem::TooManyAttributes:
        return wxString::Format("can't read \"%s\": not a project file (an element with more "
                                "than %d attributes)",
                                file, kMaxProjectAttributes);
    case ProjectProblem::DocumentType:
        return wxString::Format("can't read \"%s\": not a project file (it declares a document "
                                "type)",
                                file);
    default:
        return wxString::Format("\"%s\" names no frame", file);
    }
}

// The project's entries whose source files can be read (a frame reference's GIF, a video
// frame's clip, a picture), with their own delays; the others are named on standard error.
// False when any can't be read and the user didn't ask to leave them out.
bool KeepExistingSources(wxArrayString& sources, std::vector<int>& delays, bool skipMissing)
{
    wxArrayString kept;
    std::vector<int> keptDelays;
    bool missing = false;
    for (size_t i = 0; i < sources.size(); ++i) {
        const wxString& entry = sources[i];
        const wxString file = FrameSourceFile(entry);
        wxString reason;
        if (CheckReadable(file, &reason)) {
            kept.Add(entry);
            keptDelays.push_back(i < delays.size() ? delays[i] : -1);
            continue;
        }
        missing = true;
        if (!wxFileName::Exists(file, wxFILE_EXISTS_ANY | wxFILE_EXISTS_NO_FOLLOW))
            std::fprintf(stderr, "%s: %s \"%s\"\n", kProgram,
                         skipMissing ? "leaving out the missing file" : "missing file",
                         Printable(entry).c_str());
        else
            std::fprintf(stderr, "%s: %s \"%s\": %s\n", kProgram,
                         skipMissing ? "leaving out the unreadable file" : "unreadable file",
                         Printable(entry).c_str(), Printable(reason).c_str());
    }
    if (missing && !skipMissing) {
        Fail("the project's frames above are missing or no files; --skip-missing leaves them "
             "out");
        return false;
    }
    sources = kept;
    delays = keptDelays;
    return true;
}

// A project's frame reference whose GIF has no such frame gives no frame: named like a missing
// file, and refused unless the user asked to leave such frames out.
bool CheckEveryEntryGaveAFrame(const InputFileFrames& frames, const std::vector<wxString>& entries,
                               bool skipMissing)
{
    std::vector<bool> gave(entries.size(), false);
    for (size_t input : frames.FrameInputs())
        gave[input] = true;
    bool missing = false;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (gave[i])
            continue;
        missing = true;
        std::fprintf(stderr, "%s: %s \"%s\": its GIF has no frame %d\n", kProgram,
                     skipMissing ? "leaving out the missing frame" : "missing frame",
                     Printable(entries[i]).c_str(), GetGifFrameIndex(entries[i]) + 1);
    }
    if (missing && !skipMissing) {
        Fail("the project's frames above are missing; --skip-missing leaves them out");
        return false;
    }
    return true;
}

// Reads the project file that paths holds, as the application opens it, and replaces it by
// the project's frame sources; the project's delays, loop setting and canvas apply unless
// given as options. ownDelays gets each source's own delay (-1: the project's delay); edit the
// project's picture edits, which the picture options add to.
bool ApplyProject(std::vector<wxString>& paths, CliOptions& options, std::vector<int>& ownDelays,
                  CanvasEdit& edit)
{
    const wxString file = paths[0];
    ProjectReading project = ReadProjectFile(file);
    if (!project.Usable()) {
        Fail(ProjectProblemText(file, project));
        return false;
    }
    if (!KeepExistingSources(project.frames, project.frameDelays, options.skipMissing))
        return false;
    if (project.frames.empty()) {
        Fail(wxString::Format("\"%s\" names no image that can be loaded", file));
        return false;
    }
    if (!options.delayGiven)
        options.delay = std::clamp(project.delay, 0, kGifMaxDelay);
    if (!options.loopGiven && project.loopInGif)
        options.loopCount = project.loopCount;
    ownDelays = project.frameDelays;
    edit = project.edit;
    if (options.width == 0 && project.width > 0 && project.height > 0 && project.width <= kGifMaxSide &&
        project.height <= kGifMaxSide) {
        options.width = project.width;
        options.height = project.height;
    }
    const wxArrayString load = ProjectLoadEntries(project.frames);
    paths.assign(load.begin(), load.end());
    return true;
}

// The frames for each try of a size-limited export: first the ones already scanned, then the
// same inputs read again from the start.
FrameSourceFactory ReopenFrames(const std::vector<wxString>& paths, bool project,
                                InputFileFrames& scanned, const VideoSampling& sampling,
                                int width)
{
    return [paths, project, first = &scanned, sampling,
            width]() mutable -> std::unique_ptr<FrameSource> {
        if (first) {
            auto borrowed = std::make_unique<LentFrameSource>(*first);
            first = nullptr;
            return borrowed;
        }
        auto again = std::make_unique<InputFileFrames>(paths, project);
        again->SetVideoSampling(sampling, width);
        wxString error;
        if (!again->Scan(false, error))
            return nullptr;
        return again;
    };
}

// Names the GIF inputs whose frames past the most read from one file were left out. False
// when there are such inputs and the user didn't ask for their first frames alone.
bool TellFramesLeftOut(const std::vector<wxString>& inputs, bool skipExtra)
{
    for (const wxString& path : inputs) {
        const std::string name = Printable(path);
        if (skipExtra)
            std::fprintf(stderr, "%s: using the first %u frames of \"%s\", which has more\n",
                         kProgram, kGifMaxFrames, name.c_str());
        else
            std::fprintf(stderr, "%s: \"%s\" has more than %u frames, the most read from one GIF\n",
                         kProgram, name.c_str(), kGifMaxFrames);
    }
    if (inputs.empty() || skipExtra)
        return true;
    Fail(wxString::Format("the GIF files above were not exported; --skip-extra-frames uses "
                          "their first %u frames", kGifMaxFrames));
    return false;
}

// Names the damaged inputs from the one at index from on; how many there are.
size_t TellDamaged(const std::vector<DamagedInput>& damaged, size_t from)
{
    for (size_t i = from; i < damaged.size(); ++i)
        std::fprintf(stderr, "%s: using what could be read of the damaged file \"%s\": %s\n",
                     kProgram, Printable(damaged[i].path).c_str(),
                     Printable(damaged[i].damage).c_str());
    return damaged.size();
}

// --estimate-only: the length the window's estimate shows for these frames, on stdout.
int PrintEstimate(FrameSource& frames, const GifExportOptions& options)
{
    const std::atomic<bool> never{false};
    const std::optional<uint64_t> bytes = EstimateGifSize(frames, options, never);
    if (!bytes)
        return Fail("the frames could not be read");
    std::printf("%llu\n", static_cast<unsigned long long>(*bytes));
    return 0;
}

// Writes frames to the output as options say, with a progress bar on a terminal; afterwards
// runs told (before any message about the result). The exit status.
int WriteGif(FrameSource& frames, const FrameSourceFactory& reopen,
             const GifExportOptions& exportOptions, const CliOptions& options,
             const std::function<void()>& told)
{
    std::unique_ptr<AnimationEncoder> encoder;
    if (options.format != OutputFormat::Gif) {
        encoder = MakeAnimationEncoder(options.format);
        if (!encoder)
            return Fail(wxString::Format("writing %s is not available in this build",
                                         OutputFormatTitle(options.format)));
    }
    ProgressBar bar(stderr, !options.quiet && isatty(STDERR_FILENO), frames.Count(),
                    &s_interrupted);
    SizeLimitReport report;
    GifExportResult result;
    if (encoder) {
        AnimationExportOptions animation;
        animation.frames = exportOptions;
        animation.lossless = options.lossless;
        result = ExportAnimation(frames, PathArgument(options.output), animation, *encoder, &bar);
    } else {
        result = options.maxSize == 0
                     ? ExportGif(frames, PathArgument(options.output), exportOptions, &bar)
                     : ExportGifWithinSize(reopen, PathArgument(options.output), exportOptions,
                                           options.maxSize, &bar, &report);
    }
    bar.Finish();
    told();
    if (s_interrupted) {
        std::fprintf(stderr, "%s: interrupted; \"%s\" was not written\n", kProgram,
                     options.output.c_str());
        return 130;
    }
    if (!result.ok)
        return Fail(result.error);
    if (options.maxSize > 0 && !options.quiet)
        std::fprintf(stderr, "%s: kept under %s at quality %d, %d x %d (%s)\n", kProgram,
                     FileLengthText(options.maxSize).utf8_str().data(), report.quality,
                     report.canvas.x, report.canvas.y,
                     FileLengthText(report.bytes).utf8_str().data());
    return 0;
}

// The export options that options give for frames of canvas with delays.
GifExportOptions ExportOptionsOf(const CliOptions& options, const EditedCanvas& picture,
                                 std::vector<int> delays)
{
    GifExportOptions exportOptions;
    exportOptions.canvas = picture.canvas;
    exportOptions.edit = picture.edit;
    exportOptions.delay = options.delay;
    exportOptions.delays = std::move(delays);
    exportOptions.loopCount = options.loopCount;
    exportOptions.reducer = options.reducer;
    exportOptions.threads = options.threads;
    exportOptions.optimize = options.optimize;
    exportOptions.quality = options.quality;
    return exportOptions;
}

// The canvas frames of sizes give, as the window derives it: their sizes as edit turns them.
wxSize OrientedCanvas(std::vector<wxSize> sizes, const CanvasEdit& edit)
{
    for (wxSize& size : sizes)
        size = OrientedSize(size, edit.orientation);
    return CanvasFromFrameSizes(sizes);
}

bool ThinsFrames(const CliOptions& options)
{
    return options.dedupe || options.every > 0 || options.maxFps > 0;
}

// The frames that stay after --dedupe, then --every or --max-fps, with the delays they are
// written with; delays: every frame's as exportOptions writes it, shares: how each frame
// differs from the one before (for --dedupe).
ThinnedFrames FewerFrames(const CliOptions& options, const GifExportOptions& exportOptions,
                          int count, const std::vector<double>& shares)
{
    std::vector<int> delays;
    for (int i = 0; i < count; ++i)
        delays.push_back(GifFrameDelay(exportOptions, i));
    ThinnedFrames thinned =
        MergeRuns(delays, options.dedupe ? DuplicateJoins(shares, options.dedupeTolerance)
                                         : FrameJoins());
    if (options.every > 0)
        thinned = MergeAgain(thinned, EveryNthJoins(static_cast<int>(thinned.kept.size()),
                                                    options.every));
    else if (options.maxFps > 0)
        thinned = MergeAgain(thinned, FrameRateJoins(thinned.delays, options.maxFps));
    return thinned;
}

// zoruvede-cli --record: the screen recorded, then written as the inputs would be.
int RecordGif(const CliOptions& options)
{
    CatchRecordingSignals(&s_interrupted);
    CliRecording recording;
    std::string error;
    int status = 1;
    if (!RecordFromCommandLine(options, recording, error, status)) {
        std::fprintf(stderr, "%s: %s\n", kProgram, error.c_str());
        return status;
    }
    if (!recording.problem.empty())
        std::fprintf(stderr, "%s: the recording ended early: %s\n", kProgram,
                     recording.problem.c_str());
    EditedCanvas picture{wxSize(recording.width, recording.height), CanvasEdit()};
    if (!ApplyPictureOptions(options.picture, picture, error)) {
        std::fprintf(stderr, "%s: %s; nothing was written\n", kProgram, error.c_str());
        return 2;
    }
    std::vector<PictureRef> pictures = recording.pictures;
    GifExportOptions exportOptions = ExportOptionsOf(options, picture, recording.delays);
    if (ThinsFrames(options)) {
        const std::atomic<bool> never{false};
        const std::vector<double> shares =
            options.dedupe ? ConsecutiveDifferences(pictures,
                                                    ToleranceShare(options.dedupeTolerance), never)
                           : std::vector<double>();
        const ThinnedFrames thinned = FewerFrames(options, exportOptions,
                                                  static_cast<int>(pictures.size()), shares);
        std::vector<PictureRef> kept;
        for (int index : thinned.kept)
            kept.push_back(pictures[index]);
        pictures = std::move(kept);
        exportOptions.delays = thinned.delays;
    }
    PictureFrameSource frames(pictures);
    const FrameSourceFactory reopen = [pictures] {
        return std::make_unique<PictureFrameSource>(pictures);
    };
    return WriteGif(frames, reopen, exportOptions, options, [] {});
}

} // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_CTYPE, "");
    CliOptions options;
    std::string usageError;
    if (!ParseCliOptions(argc, argv, options, usageError)) {
        std::fprintf(stderr, "%s: %s\n%s", kProgram, usageError.c_str(), kUsageShort);
        return 2;
    }
    if (options.help) {
        std::fputs(kUsageHelp, stdout);
        return 0;
    }
    if (options.version) {
        std::printf("%s %s\n", kProgram, GetProductVersion().utf8_str().data());
        return 0;
    }
    SetTraceEnabled(options.verbose);
    RouteToolkitMessages(options.verbose);

    wxInitializer toolkit;
    if (!toolkit.IsOk())
        return Fail("the toolkit could not be initialised");
    // Only the formats the inputs may have: no other decoder of the toolkit is reachable.
    wxImage::AddHandler(new wxPNGHandler);
    wxImage::AddHandler(new wxJPEGHandler);
    wxImage::AddHandler(new wxBMPHandler);
    UseFileNameEncoding();
    if (options.record)
        return RecordGif(options);

    std::vector<wxString> paths;
    for (const std::string& input : options.inputs)
        paths.push_back(PathArgument(input));
    const bool project = paths.size() == 1 && paths[0].Lower().EndsWith(".xml");
    FrameDelaySources delaySources;
    CanvasEdit projectEdit;
    if (project && !ApplyProject(paths, options, delaySources.project, projectEdit))
        return 1;
    const bool deriveCanvas = options.width == 0;
    const std::vector<wxString> inputPaths = paths;
    InputFileFrames frames(std::move(paths), project);
    const VideoSampling sampling{options.videoStart, options.videoEnd, options.fps};
    frames.SetVideoSampling(sampling, options.videoWidth);
    wxString error;
    if (!frames.Scan(deriveCanvas, error))
        return Fail(error);
    if (project && !CheckEveryEntryGaveAFrame(frames, inputPaths, options.skipMissing))
        return 1;
    if (frames.Count() == 0)
        return Fail("the project's images hold no frame that can be read");
    const size_t toldDamage = TellDamaged(frames.Damaged(), 0);
    if (!TellFramesLeftOut(frames.FramesLeftOut(), options.skipExtraFrames))
        return 1;

    if (!options.delays.empty() && options.delays.size() != static_cast<size_t>(frames.Count())) {
        std::fprintf(stderr, "%s: --delays gives %zu delays for %d frames (a GIF input counts "
                     "each of its frames)\n%s", kProgram, options.delays.size(), frames.Count(),
                     kUsageShort);
        return 2;
    }
    delaySources.listed = options.delays;
    delaySources.commonAsked = options.delayGiven;
    delaySources.own = frames.FrameDelays();
    delaySources.inputs = frames.FrameInputs();

    // Fewer frames first: the canvas derives from the frames that stay, as the window's does.
    std::vector<int> delays = ResolveFrameDelays(delaySources);
    std::vector<wxSize> sizes = frames.FrameSizes();
    FrameSource* written = &frames;
    FrameSourceFactory reopen =
        ReopenFrames(inputPaths, project, frames, sampling, options.videoWidth);
    std::unique_ptr<FrameSource> thinnedFrames;
    if (ThinsFrames(options)) {
        std::vector<double> shares;
        if (options.dedupe) {
            // A pass of its own over the inputs, holding two frames at a time.
            InputFileFrames again(inputPaths, project);
            again.SetVideoSampling(sampling, options.videoWidth);
            FrameError frameError;
            if (!again.Scan(false, error))
                return Fail(error);
            if (!SourceDifferences(again, ToleranceShare(options.dedupeTolerance), shares,
                                   frameError))
                return Fail(frameError.file.empty()
                                ? frameError.reason
                                : InputError(frameError.file, frameError.reason));
        }
        GifExportOptions timing;
        timing.delay = options.delay;
        timing.delays = delays;
        const ThinnedFrames thinned = FewerFrames(options, timing, frames.Count(), shares);
        delays = thinned.delays;
        std::vector<wxSize> keptSizes;
        for (int index : thinned.kept)
            if (index < static_cast<int>(sizes.size()))
                keptSizes.push_back(sizes[index]);
        sizes = keptSizes;
        thinnedFrames = std::make_unique<KeptFrameSource>(
            std::make_unique<LentFrameSource>(frames), thinned.kept);
        written = thinnedFrames.get();
        reopen = [reopen, kept = thinned.kept]() -> std::unique_ptr<FrameSource> {
            std::unique_ptr<FrameSource> all = reopen();
            if (!all)
                return nullptr;
            return std::make_unique<KeptFrameSource>(std::move(all), kept);
        };
    }
    EditedCanvas picture{deriveCanvas ? OrientedCanvas(sizes, projectEdit)
                                      : wxSize(options.width, options.height),
                         projectEdit};
    std::string pictureError;
    if (!ApplyPictureOptions(options.picture, picture, pictureError)) {
        std::fprintf(stderr, "%s: %s; nothing was written\n", kProgram, pictureError.c_str());
        return 2;
    }
    const GifExportOptions exportOptions = ExportOptionsOf(options, picture, std::move(delays));
    if (options.estimateOnly)
        return PrintEstimate(*written, exportOptions);

    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    return WriteGif(*written, reopen, exportOptions, options,
                    // A video's pictures that don't decode are found as its frames are read.
                    [&] { TellDamaged(frames.Damaged(), toldDamage); });
}
