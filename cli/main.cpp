// zoruvede-cli: exports image files as an animated GIF through the application's own export
// pipeline, without a window. Exit status: 0 success, 1 an input or the output failed,
// 2 bad usage, 130 interrupted. Standard output stays empty unless --verbose asks for the trace lines.
#include <clocale>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include <unistd.h>

#include <wx/image.h>
#include <wx/init.h>
#include <wx/strconv.h>

#include "app/trace.h"
#include "cli/cli_options.h"
#include "cli/progress_bar.h"
#include "src/window/canvas_size.h"
#include "src/window/gif_export.h"
#include "src/window/input_frames.h"

namespace {

constexpr const char* kProgram = "zoruvede-cli";

// Set by SIGINT or SIGTERM: the export stops before its next frame and, through the atomic
// writer, leaves neither a partial output nor its temporary file.
volatile std::sig_atomic_t s_interrupted = 0;

void OnInterrupt(int)
{
    s_interrupted = 1;
}

int Fail(const wxString& message)
{
    std::fprintf(stderr, "%s: %s\n", kProgram, message.utf8_str().data());
    return 1;
}

wxString PathArgument(const std::string& arg)
{
    // File names are bytes in the user's encoding; the toolkit converts them back the same way.
    wxString path(arg.c_str(), *wxConvFileName);
    return path.empty() && !arg.empty() ? wxString::FromUTF8(arg.c_str()) : path;
}

} // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_CTYPE, "");
    CliOptions options;
    std::string usageError;
    if (!ParseCliOptions(argc, argv, options, usageError)) {
        std::fprintf(stderr, "%s: %s\n%s", kProgram, usageError.c_str(), CliUsage());
        return 2;
    }
    if (options.help) {
        std::fputs(CliUsage(), stdout);
        return 0;
    }
    SetTraceEnabled(options.verbose);

    wxInitializer toolkit;
    if (!toolkit.IsOk())
        return Fail("the toolkit could not be initialised");
    wxInitAllImageHandlers();

    std::vector<wxString> paths;
    for (const std::string& input : options.inputs)
        paths.push_back(PathArgument(input));
    const bool deriveCanvas = options.width == 0;
    InputFileFrames frames(std::move(paths));
    wxString error;
    if (!frames.Scan(deriveCanvas, error))
        return Fail(error);

    GifExportOptions exportOptions;
    exportOptions.canvas = deriveCanvas ? CanvasFromFrameSizes(frames.FrameSizes())
                                        : wxSize(options.width, options.height);
    exportOptions.delay = options.delay;
    exportOptions.reducer = options.reducer;
    exportOptions.threads = options.threads;

    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    ProgressBar bar(stderr, !options.quiet && isatty(STDERR_FILENO), frames.Count(),
                    &s_interrupted);
    const GifExportResult result =
        ExportGif(frames, PathArgument(options.output), exportOptions, &bar);
    bar.Finish();
    if (s_interrupted) {
        std::fprintf(stderr, "%s: interrupted; \"%s\" was not written\n", kProgram,
                     options.output.c_str());
        return 130;
    }
    if (!result.ok)
        return Fail(result.error);
    return 0;
}
