#include "cli/screen_recording.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include <unistd.h>

#include "core/base/file_length_text.h"
#include "core/picture/picture_store.h"
#include "core/record/recorder.h"
#include "core/screen/screen_opening.h"

namespace {

using namespace std::chrono_literals;

volatile std::sig_atomic_t s_presses = 0;
volatile std::sig_atomic_t* s_abandon = nullptr;

void OnSignal(int)
{
    if (++s_presses >= 2 && s_abandon)
        *s_abandon = 1;
}

// Waits seconds, counting them down on the terminal; false when Ctrl+C came first.
bool CountDown(int seconds, bool shown)
{
    for (int left = seconds; left > 0; --left) {
        if (shown) {
            std::fprintf(stderr, "\rrecording in %d...", left);
            std::fflush(stderr);
        }
        for (int tick = 0; tick < 10; ++tick) {
            if (s_presses)
                return false;
            std::this_thread::sleep_for(100ms);
        }
    }
    return !s_presses;
}

void ShowStatus(const RecordStatus& status)
{
    const int tenths = static_cast<int>(status.seconds * 10);
    std::fprintf(stderr, "\rrecording %d:%02d.%d  %d frames  %s  (Ctrl+C ends it)   ",
                 tenths / 600, tenths / 10 % 60, tenths % 10, status.frames,
                 FileLengthText(status.memoryBytes).utf8_str().data());
    std::fflush(stderr);
}

} // namespace

void CatchRecordingSignals(volatile std::sig_atomic_t* abandon)
{
    s_abandon = abandon;
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
}

bool RecordFromCommandLine(const CliOptions& options, CliRecording& recording,
                           std::string& error, int& status)
{
    const std::atomic<bool> never{false};
    ScreenOpening screen = OpenSessionScreen(options.recordPointer, "", never);
    status = 1;
    if (!screen.source) {
        error = screen.refused ? "the screen was not shared" : screen.error;
        return false;
    }
    const int width = screen.source->Width(), height = screen.source->Height();
    const CaptureRect region =
        options.recordRegion.Empty() ? WholeSource(width, height) : options.recordRegion;
    if (FitRegion(region, width, height) != RegionFit::Inside) {
        error = "the region " + FormatGeometry(region) + " doesn't lie within the screen (" +
                std::to_string(width) + "x" + std::to_string(height) + ")";
        status = 2;
        return false;
    }
    const bool shown = !options.quiet && isatty(STDERR_FILENO);
    if (!CountDown(options.countdown, shown)) {
        error = "interrupted before the recording began";
        status = 130;
        return false;
    }
    RecordOptions recordOptions;
    recordOptions.fps = options.recordFps;
    recordOptions.pointer = options.recordPointer;
    recordOptions.limitSeconds = options.recordSeconds;
    Recorder recorder(std::move(screen.source), region, recordOptions, PictureStore::Create());
    while (!s_presses && !recorder.Status().finished) {
        if (shown)
            ShowStatus(recorder.Status());
        std::this_thread::sleep_for(100ms);
    }
    recorder.Stop();
    if (shown) {
        ShowStatus(recorder.Status());
        std::fputc('\n', stderr);
    }
    Recording taken = recorder.Take();
    recording.pictures = std::move(taken.pictures);
    recording.delays = std::move(taken.delays);
    recording.problem = std::move(taken.problem);
    recording.width = region.width;
    recording.height = region.height;
    if (recording.pictures.empty()) {
        error = recording.problem.empty() ? "nothing was recorded" : recording.problem;
        return false;
    }
    return true;
}
