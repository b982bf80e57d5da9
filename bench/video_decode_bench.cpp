// Decodes a stretch of a clip through the core video decoder alone (no window, no GIF
// reduction) and prints what it cost: frames, wall seconds, CPU seconds (every thread) and
// peak resident memory, as "name value" lines that bench/video_bench.sh reads.
// Usage: video_decode_bench CLIP START DURATION FPS WIDTH
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <wx/init.h>

#include "bench/process_figures.h"
#include "core/video/video_decoder.h"

namespace {

int Run(const wxString& clip, const VideoSampling& sampling, int width)
{
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = bench::CpuSeconds();
    wxString reason;
    std::unique_ptr<VideoDecoder> decoder = VideoDecoder::Open(clip, reason);
    if (!decoder) {
        std::fprintf(stderr, "%s: %s\n", static_cast<const char*>(clip.utf8_str()),
                     static_cast<const char*>(reason.utf8_str()));
        return 1;
    }
    int delivered = 0;
    wxSize size;
    const bool ok = decoder->Decode(
        sampling, width,
        [&](int, wxImage&& frame) {
            size = frame.GetSize();
            return true;
        },
        delivered, reason);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpu = bench::CpuSeconds() - cpuStart;
    if (!ok) {
        std::fprintf(stderr, "decoding failed after %d frames: %s\n", delivered,
                     static_cast<const char*>(reason.utf8_str()));
        return 1;
    }
    std::printf("frames %d\nsize %dx%d\nwall_s %.3f\ncpu_s %.3f\npeak_rss_mib %.1f\n", delivered,
                size.x, size.y, wall, cpu, bench::PeakKiB() / 1024.0);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s CLIP START DURATION FPS WIDTH\n", argv[0]);
        return 2;
    }
    wxInitializer toolkit;
    VideoSampling sampling;
    sampling.start = std::atof(argv[2]);
    sampling.end = sampling.start + std::atof(argv[3]);
    sampling.fps = std::atof(argv[4]);
    return Run(wxString::FromUTF8(argv[1]), sampling, std::atoi(argv[5]));
}
