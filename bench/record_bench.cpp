// record_bench: a region of an X screen recorded for a while at a frame rate, while a painter
// process of its own changes the whole region every frame (the screen frames of
// screen_frames.h: scrolling text, a dragged window). Prints, beside FFmpeg's X11 grabber
// writing to nowhere (and, for scale, keeping the pictures in a lossless file at the
// encoder's fastest) on the same screen in the same run: the frames kept against those
// expected, the sum of the delays against the wall time, and CPU time.
//
// Usage: record_bench [--size WxH] [--fps N] [--seconds S]   (DISPLAY must be set)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "bench/process_figures.h"
#include "bench/screen_frames.h"
#include "core/picture/picture_store.h"
#include "core/record/recorder.h"
#include "core/screen/x11_screen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#undef Status  // Xlib's macro, and the recorder's member function

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Settings {
    int width = 1280, height = 720, fps = 30;
    double seconds = 10;
};

// Paints 60 screen frames in turn on a window at 0,0 twice as often as the recording takes
// pictures, so that every picture finds a new one; until killed.
int Paint(const Settings& s)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 1;
    const int screen = DefaultScreen(display);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    const Window window = XCreateWindow(display, RootWindow(display, screen), 0, 0, s.width,
                                        s.height, 0, CopyFromParent, InputOutput, CopyFromParent,
                                        CWOverrideRedirect, &attributes);
    XMapRaised(display, window);
    const GC gc = XCreateGC(display, window, 0, nullptr);
    bench::ScreenFrames frames(s.width, s.height);
    std::vector<std::vector<char>> bgrx(60);
    std::vector<uint8_t> rgb;
    for (int i = 0; i < 60; ++i) {
        frames.Draw(i, rgb);
        bgrx[i].resize(size_t(s.width) * s.height * 4);
        for (size_t p = 0; p < size_t(s.width) * s.height; ++p) {
            bgrx[i][p * 4] = static_cast<char>(rgb[p * 3 + 2]);
            bgrx[i][p * 4 + 1] = static_cast<char>(rgb[p * 3 + 1]);
            bgrx[i][p * 4 + 2] = static_cast<char>(rgb[p * 3]);
        }
    }
    XImage* image = XCreateImage(display, DefaultVisual(display, screen), 24, ZPixmap, 0,
                                 bgrx[0].data(), s.width, s.height, 32, 0);
    const auto period = std::chrono::microseconds(500000 / s.fps);
    for (int i = 0;; ++i) {
        image->data = bgrx[i % 60].data();
        XPutImage(display, window, gc, image, 0, 0, 0, 0, s.width, s.height);
        XSync(display, False);
        std::this_thread::sleep_for(period);
    }
}

pid_t Spawn(std::vector<std::string> args)
{
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    return pid;
}

struct Figures {
    double wall = 0, cpu = 0;
};

// FFmpeg's grabber for the same time, its pictures going to output (arguments after -i...).
Figures RunFfmpeg(const Settings& s, const std::vector<std::string>& output)
{
    const std::string size = std::to_string(s.width) + "x" + std::to_string(s.height);
    const auto start = Clock::now();
    std::vector<std::string> args = {"ffmpeg", "-hide_banner", "-loglevel", "error", "-y",
                                     "-f", "x11grab", "-framerate", std::to_string(s.fps),
                                     "-video_size", size, "-i",
                                     std::string(std::getenv("DISPLAY")) + "+0,0", "-t",
                                     std::to_string(s.seconds)};
    args.insert(args.end(), output.begin(), output.end());
    const pid_t pid = Spawn(args);
    Figures figures;
    if (pid < 0)
        return figures;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    figures.wall = std::chrono::duration<double>(Clock::now() - start).count();
    figures.cpu = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
                  (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    return figures;
}

struct RecordFigures : Figures {
    size_t frames = 0;
    double delays = 0;
    uint64_t compressed = 0;
};

RecordFigures RunRecorder(const Settings& s)
{
    RecordFigures figures;
    std::string error;
    std::unique_ptr<ScreenSource> screen = OpenX11Screen("", error);
    if (!screen) {
        std::fprintf(stderr, "record_bench: %s\n", error.c_str());
        return figures;
    }
    RecordOptions options;
    options.fps = s.fps;
    options.limitSeconds = s.seconds;
    options.mergeUnchanged = true;
    const double cpu = bench::CpuSeconds();
    const auto start = Clock::now();
    Recorder recorder(std::move(screen), {0, 0, s.width, s.height}, options,
                      PictureStore::Create());
    while (!recorder.Status().finished)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    figures.compressed = recorder.Status().memoryBytes;
    const Recording recording = recorder.Take();
    figures.wall = std::chrono::duration<double>(Clock::now() - start).count();
    figures.cpu = bench::CpuSeconds() - cpu;
    figures.frames = recording.pictures.size();
    figures.delays = std::accumulate(recording.delays.begin(), recording.delays.end(), 0) / 100.0;
    if (!recording.problem.empty())
        std::fprintf(stderr, "record_bench: %s\n", recording.problem.c_str());
    return figures;
}

bool ReadSettings(int argc, char** argv, Settings& s)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--size"))
            std::sscanf(argv[i + 1], "%dx%d", &s.width, &s.height);
        else if (!std::strcmp(argv[i], "--fps"))
            s.fps = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--seconds"))
            s.seconds = std::atof(argv[i + 1]);
        else if (std::strcmp(argv[i], "--paint"))
            return false;
    }
    return s.width > 0 && s.height > 0 && s.fps > 0 && s.seconds > 0;
}

} // namespace

int main(int argc, char** argv)
{
    Settings s;
    if (argc > 1 && !std::strcmp(argv[1], "--paint")) {
        ReadSettings(argc - 1, argv + 1, s);
        return Paint(s);
    }
    if (!ReadSettings(argc, argv, s) || !std::getenv("DISPLAY")) {
        std::fprintf(stderr, "usage: record_bench [--size WxH] [--fps N] [--seconds S] "
                             "(with DISPLAY set)\n");
        return 2;
    }
    const std::string size = std::to_string(s.width) + "x" + std::to_string(s.height);
    const pid_t painter = Spawn({"/proc/self/exe", "--paint", "--size", size, "--fps",
                                 std::to_string(s.fps)});
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const Figures ffmpeg = RunFfmpeg(s, {"-f", "null", "-"});
    // Keeping the pictures, as the recorder does: losslessly, at the encoder's fastest.
    const std::string kept = "/tmp/record_bench_" + std::to_string(getpid()) + ".mkv";
    const Figures lossless = RunFfmpeg(s, {"-c:v", "libx264rgb", "-preset", "ultrafast", "-qp",
                                           "0", kept});
    unlink(kept.c_str());
    const RecordFigures ours = RunRecorder(s);
    kill(painter, SIGTERM);
    waitpid(painter, nullptr, 0);

    const double expected = s.seconds * s.fps;
    std::printf("record_bench: %s at %d fps for %.0f s of a changing screen (DISPLAY %s)\n",
                size.c_str(), s.fps, s.seconds, std::getenv("DISPLAY"));
    std::printf("%-26s %8s %10s %9s %9s %8s\n", "", "frames", "delays", "wall", "CPU", "vs ffmpeg");
    std::printf("%-26s %8s %10s %8.2fs %8.2fs %8s\n", "ffmpeg x11grab -f null", "-", "-",
                ffmpeg.wall, ffmpeg.cpu, "1.00x");
    std::printf("%-26s %8s %10s %8.2fs %8.2fs %7.2fx\n", "ffmpeg x11grab, lossless", "-", "-",
                lossless.wall, lossless.cpu, ffmpeg.cpu > 0 ? lossless.cpu / ffmpeg.cpu : 0.0);
    std::printf("%-26s %8zu %9.2fs %8.2fs %8.2fs %7.2fx\n", "recorder (kept, merged)",
                ours.frames, ours.delays, ours.wall, ours.cpu,
                ffmpeg.cpu > 0 ? ours.cpu / ffmpeg.cpu : 0.0);
    std::printf("frames kept: %.1f %% of %.0f expected; delays %.2f %% off the recorded time; "
                "%.1f MB compressed (%.0f kB a frame)\n",
                100.0 * ours.frames / expected, expected,
                100.0 * (ours.delays - s.seconds) / s.seconds, ours.compressed / 1e6,
                ours.frames ? ours.compressed / 1e3 / ours.frames : 0.0);
    return 0;
}
