// Writes pictures as an MP4 or WebM through the core video encoder and prints what it cost:
// frames, bytes, wall and CPU seconds (every thread), as "name value" lines. Decoding the
// pictures is not counted.
// Usage: video_encode_bench mp4|webm OUT DELAYS QUALITY EFFORT PICTURE...
// DELAYS: hundredths of a second, one for all frames or a comma list taken in turn.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <wx/image.h>
#include <wx/filename.h>
#include <wx/init.h>
#include <wx/wfstream.h>

#include "bench/process_figures.h"
#include "core/video/video_encoder.h"

int main(int argc, char** argv)
{
    if (argc < 7) {
        std::fprintf(stderr, "usage: %s mp4|webm OUT DELAYS QUALITY EFFORT PICTURE...\n", argv[0]);
        return 2;
    }
    wxInitializer toolkit;
    wxInitAllImageHandlers();
    std::vector<wxImage> pictures;
    for (int i = 6; i < argc; ++i) {
        pictures.emplace_back(wxString::FromUTF8(argv[i]));
        if (!pictures.back().IsOk()) {
            std::fprintf(stderr, "%s: not a picture\n", argv[i]);
            return 1;
        }
    }
    const VideoContainer container =
        std::strcmp(argv[1], "webm") == 0 ? VideoContainer::WebM : VideoContainer::Mp4;
    AnimationEncoding encoding;
    encoding.width = pictures[0].GetWidth();
    encoding.height = pictures[0].GetHeight();
    encoding.frameCount = static_cast<int>(pictures.size());
    encoding.quality = std::atoi(argv[4]);
    encoding.effort = std::atoi(argv[5]);
    std::vector<int> delays;
    for (const char* at = argv[3]; *at; at += *at == ',') {
        char* end = nullptr;
        delays.push_back(static_cast<int>(std::strtol(at, &end, 10)));
        at = end;
    }

    wxFileOutputStream out(wxString::FromUTF8(argv[2]));
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = bench::CpuSeconds();
    VideoEncoder encoder(container);
    std::string error;
    bool ok = encoder.Begin(out, encoding, error);
    for (size_t i = 0; ok && i < pictures.size(); ++i)
        ok = encoder.Add(pictures[i], delays[i % delays.size()], error);
    ok = ok && encoder.Finish(error) && out.Close();
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!ok) {
        std::fprintf(stderr, "%s: %s\n", argv[2], error.c_str());
        return 1;
    }
    std::printf("frames %zu\nbytes %lld\nwall_seconds %.3f\ncpu_seconds %.3f\n",
                pictures.size(), static_cast<long long>(wxFileName::GetSize(argv[2]).GetValue()),
                wall, bench::CpuSeconds() - cpuStart);
    return 0;
}
