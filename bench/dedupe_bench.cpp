// How long finding duplicate frames takes: 1,800 generated 1920 x 1080 screen frames held in a
// picture store as a recording leaves them, compared pair by pair as the Remove Duplicate
// Frames dialog compares them (every pair's share counted up to the slider's 20 %), and as
// the exporter's --dedupe compares them (equal pixels only). Three kinds of recording: every
// frame different (the worst case: each picture decoded), each picture held for three frames
// (a screen that changes now and then), and a still screen with a moving pointer.
//
// Usage: bin/dedupe_bench   (FRAMES=N sets the count, default 1800)
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <wx/init.h>

#include "bench/process_figures.h"
#include "bench/screen_frames.h"
#include "core/document/frame_thinning.h"
#include "core/picture/picture.h"
#include "core/picture/picture_differences.h"
#include "core/picture/picture_store.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Recording {
    const char* name;
    // The generated picture frame i shows.
    int (*picture)(int i);
    // Whether only the pointer moves (a few pixels of a still screen).
    bool pointerOnly;
};

std::vector<PictureRef> Make(const Recording& kind, int count,
                             const std::shared_ptr<PictureStore>& store)
{
    bench::ScreenFrames screen(1920, 1080);
    std::vector<PictureRef> pictures;
    std::vector<uint8_t> rgb, still;
    screen.Draw(0, still);
    int drawn = -1;
    for (int i = 0; i < count; ++i) {
        const int index = kind.picture(i);
        if (kind.pointerOnly) {
            rgb = still;
            for (int y = 0; y < 16; ++y)  // a 12 x 16 pointer wandering over the desktop
                for (int x = 0; x < 12; ++x)
                    for (int c = 0; c < 3; ++c)
                        rgb[((400 + y) * 1920 + 1200 + (index % 300) + x) * 3 + c] = 255;
        } else if (index != drawn) {
            screen.Draw(index, rgb);
            drawn = index;
        }
        pictures.push_back(Picture::FromPlanes(store, 1920, 1080, rgb.data(), nullptr));
    }
    return pictures;
}

void Measure(const Recording& kind, int count)
{
    auto store = PictureStore::Create({uint64_t{8} << 30, "", size_t{64} << 20});
    const std::vector<PictureRef> pictures = Make(kind, count, store);
    std::vector<int> delays(pictures.size(), 7);
    for (const double limit : {0.20, 0.0}) {
        const std::atomic<bool> stop{false};
        const auto start = Clock::now();
        const double cpuStart = bench::CpuSeconds();
        const std::vector<double> shares = ConsecutiveDifferences(pictures, limit, stop);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        const double cpu = bench::CpuSeconds() - cpuStart;
        const int gone = MergeRuns(delays, DuplicateJoins(shares, 0)).Gone(count);
        const int goneAtOne = MergeRuns(delays, DuplicateJoins(shares, 1)).Gone(count);
        std::printf("%-34s %6d %8s %8.2f %8.2f %10d %10s\n", kind.name, count,
                    limit > 0 ? "20 %" : "0", seconds, cpu, gone,
                    limit > 0 ? std::to_string(goneAtOne).c_str() : "-");
        std::fflush(stdout);
    }
}

} // namespace

int main()
{
    const char* frames = std::getenv("FRAMES");
    const int count = frames ? std::max(2, std::atoi(frames)) : 1800;
    wxInitializer toolkit;
    const Recording kinds[] = {
        {"every frame different", [](int i) { return i; }, false},
        {"each picture for three frames", [](int i) { return i / 3; }, false},
        {"still screen, moving pointer", [](int i) { return i / 2; }, true},
    };
    // CPU seconds are both threads' together: on a machine that others share, the wall time
    // is no better than half of them.
    std::printf("%-34s %6s %8s %8s %8s %10s %10s\n", "1920x1080 screen frames", "frames",
                "counted", "seconds", "CPU s", "go at 0 %", "go at 1 %");
    for (const Recording& kind : kinds)
        Measure(kind, count);
    return 0;
}
