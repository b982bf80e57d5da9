// Imports a stretch of a clip into the real main window and prints what it cost, from the
// moment the video dialog's OK returns to the last frame in the strip: frames, wall seconds,
// CPU seconds (every thread), the window's resident memory growth (at the end and at its
// peak) and the bound it should stay under, as "name value" lines for bench/video_bench.sh.
// Needs a display: xvfb-run -a -s "-screen 0 1280x1024x24" bin/video_window_bench
//   CLIP START DURATION FPS WIDTH
#include <cstdio>
#include <cstdlib>

#include <wx/app.h>
#include <wx/image.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>
#include <wx/xrc/xmlres.h>

#include "app/startup.h"
#include "core/base/trace.h"
#include "bench/process_figures.h"
#include "ui/window/main_window.h"
#include "tests/support/main_window_probe.h"
#include "core/video/video_decoder.h"
#include "core/video/video_geometry.h"
#include "core/video/video_import.h"
#include "core/jobs/load_session.h"

namespace {

struct Request {
    wxString clip;
    VideoSampling sampling;
    int width = 640;
};

// What the dialog is shown with: the clip's facts and its first picture, decoded narrow.
// Done before the measured stretch, as the user sees the dialog before OK.
bool ReadClip(const wxString& clip, VideoInfo& info)
{
    wxString reason;
    std::unique_ptr<VideoDecoder> video = VideoDecoder::Open(clip, reason);
    if (!video) {
        std::fprintf(stderr, "%s: %s\n", static_cast<const char*>(clip.utf8_str()),
                     static_cast<const char*>(reason.utf8_str()));
        return false;
    }
    info = video->Info();
    wxImage first;
    video->FrameAt(0, std::min(320, info.display.x), first, reason);
    return true;
}

void Settle()
{
    for (int i = 0; i < 20; ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(5);
    }
}

int Run(const Request& request)
{
    VideoInfo info;
    if (!ReadClip(request.clip, info))
        return 1;
    const VideoImportFrames frames =
        VideoImportEntries(request.clip, info, request.sampling, request.width);
    const wxSize size = VideoFrameSize(info.display, request.width);
    MainWindow* window = CreateMainWindow();
    window->Show();
    Settle();
    const long before = bench::ResidentKiB();
    bench::ResetPeak();
    const double cpuStart = bench::CpuSeconds();
    wxStopWatch watch;
    LoadRequest load;
    load.entries = frames.entries;
    if (!Probe(*window).StartImageLoad(std::move(load)))
        return 1;
    while (window->IsLoading()) {
        wxTheApp->Yield(true);
        wxMilliSleep(1);
    }
    const double wall = watch.Time() / 1000.0;
    const double cpu = bench::CpuSeconds() - cpuStart;
    const long after = bench::ResidentKiB();
    const long peak = bench::PeakKiB();
    const int loaded = window->FrameCount();
    const uint64_t bound =
        bench::VideoImportMemoryBound(static_cast<int>(frames.entries.size()), size.x, size.y);
    std::printf("frames %d\nasked %zu\nsize %dx%d\nwall_s %.3f\ncpu_s %.3f\n"
                "rss_growth_mib %.1f\npeak_growth_mib %.1f\nbound_mib %.1f\n",
                loaded, frames.entries.size(), size.x, size.y, wall, cpu, (after - before) / 1024.0,
                (peak - before) / 1024.0, bound / 1048576.0);
    window->Destroy();
    wxTheApp->Yield(true);
    return loaded == static_cast<int>(frames.entries.size()) ? 0 : 1;
}

class BenchApp : public wxApp {
public:
    bool OnInit() override
    {
        if (argc != 6) {
            std::fprintf(stderr, "usage: video_window_bench CLIP START DURATION FPS WIDTH\n");
            return false;
        }
        wxInitAllImageHandlers();
        wxXmlResource::Get()->InitAllHandlers();
        LoadThemes(wxString(ZORUVEDE_BUILD_DIR) + "/Themes");
        SetTraceEnabled(false);
        Request request;
        request.clip = argv[1];
        request.sampling.start = std::atof(argv[2].c_str());
        request.sampling.end = request.sampling.start + std::atof(argv[3].c_str());
        request.sampling.fps = std::atof(argv[4].c_str());
        request.width = std::atoi(argv[5].c_str());
        CallAfter([this, request] {
            m_status = Run(request);
            ExitMainLoop();
        });
        return true;
    }
    // The process's exit status says whether every frame came.
    int OnRun() override
    {
        const int loop = wxApp::OnRun();
        return loop != 0 ? loop : m_status;
    }

private:
    int m_status = 1;
};

} // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv)
{
    return wxEntry(argc, argv);
}
