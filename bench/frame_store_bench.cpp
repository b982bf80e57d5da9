// What keeping frames compressed costs and saves. First, for each set of frames and each
// codec choice: the ratio (raw bytes over compressed), compression speed (MB/s of raw bytes)
// and decode time per frame; the row "store" is the codec the program uses. Then 1,800
// generated 1920 x 1080 screen frames held in a picture store, each run in a process of its
// own: compressed bytes in all and in memory, the cache file's length, time to add a frame
// (compression and store), the process's peak resident memory, and the time to decode a frame
// not yet in the decoded cache; without a budget, and with one of 16 MiB that moves most of
// them to the cache file.
//
// Usage: bin/frame_store_bench [SET_DIR...]
//   Each SET_DIR is a folder of PNG frames (bench/quality_bench.sh's photos, screen and
//   pattern sets, kept with FRAMES_DIR=...); without one, the generated screen frames at
//   640 x 480 stand in. FRAMES=N sets the count of 1080p frames (default 1800).
// Built without liblz4 (liblz4-dev: scripts/install-deps --bench), the LZ4 rows are left out.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include <wx/dir.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>

#include <zstd.h>
#ifdef ZORUVEDE_BENCH_LZ4
#include <lz4.h>
#include <lz4hc.h>
#endif

#include "bench/process_figures.h"
#include "bench/screen_frames.h"
#include "core/picture/cache_file.h"
#include "core/picture/picture.h"
#include "core/picture/picture_codec.h"
#include "core/picture/picture_store.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

struct Frame {
    Bytes rgb;  // 3 bytes a pixel; the sets have no alpha
    size_t pixels = 0;
};

struct Set {
    std::string name;
    int width = 0, height = 0;
    std::vector<Frame> frames;
    double loadSeconds = 0;  // reading the frames' files, as a load does today
};

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// Pre-filters tried before a general compressor: the planes apart (all red bytes, then green,
// then blue), and each byte as its difference to the same channel's byte of the left pixel.
Bytes Planes(const Bytes& rgb)
{
    const size_t n = rgb.size() / 3;
    Bytes out(rgb.size());
    for (size_t i = 0; i < n; ++i)
        for (int c = 0; c < 3; ++c)
            out[c * n + i] = rgb[i * 3 + c];
    return out;
}

Bytes Unplanes(const Bytes& planes)
{
    const size_t n = planes.size() / 3;
    Bytes out(planes.size());
    for (size_t i = 0; i < n; ++i)
        for (int c = 0; c < 3; ++c)
            out[i * 3 + c] = planes[c * n + i];
    return out;
}

Bytes LeftDifference(const Bytes& rgb)
{
    Bytes out(rgb);
    for (size_t i = rgb.size() - 1; i >= 3; --i)
        out[i] = uint8_t(rgb[i] - rgb[i - 3]);
    return out;
}

void UndoLeftDifference(Bytes& bytes)
{
    for (size_t i = 3; i < bytes.size(); ++i)
        bytes[i] = uint8_t(bytes[i] + bytes[i - 3]);
}

struct Codec {
    std::string name;
    std::function<Bytes(const Bytes&)> compress;
    std::function<Bytes(const Bytes&, size_t)> decompress;  // (compressed, raw size)
};

// Contexts reused, as the store does: a fresh one for each 1080p frame costs milliseconds.
Bytes Zstd(const Bytes& raw, int level)
{
    static ZSTD_CCtx* context = ZSTD_createCCtx();
    Bytes out(ZSTD_compressBound(raw.size()));
    out.resize(ZSTD_compressCCtx(context, out.data(), out.size(), raw.data(), raw.size(), level));
    out.shrink_to_fit();  // as the store keeps them: a bound's room left would skew the figures
    return out;
}

Bytes Unzstd(const Bytes& packed, size_t size)
{
    static ZSTD_DCtx* context = ZSTD_createDCtx();
    Bytes out(size);
    ZSTD_decompressDCtx(context, out.data(), size, packed.data(), packed.size());
    return out;
}

std::vector<Codec> Codecs()
{
    std::vector<Codec> codecs;
    codecs.push_back({"store", [](const Bytes& raw) {
                          return CompressPixels(raw.data(), nullptr, raw.size() / 3);
                      },
                      [](const Bytes& packed, size_t size) {
                          Bytes out(size);
                          DecompressPixels(packed.data(), packed.size(), size / 3, out.data(),
                                           nullptr);
                          return out;
                      }});
    for (int level = 1; level <= 3; ++level)
        codecs.push_back({"zstd -" + std::to_string(level),
                          [level](const Bytes& raw) { return Zstd(raw, level); }, Unzstd});
    codecs.push_back({"zstd -1, planes", [](const Bytes& raw) { return Zstd(Planes(raw), 1); },
                      [](const Bytes& packed, size_t size) { return Unplanes(Unzstd(packed, size)); }});
    codecs.push_back({"zstd -1, left diff",
                      [](const Bytes& raw) { return Zstd(LeftDifference(raw), 1); },
                      [](const Bytes& packed, size_t size) {
                          Bytes out = Unzstd(packed, size);
                          UndoLeftDifference(out);
                          return out;
                      }});
#ifdef ZORUVEDE_BENCH_LZ4
    auto lz4 = [](const Bytes& raw, int hcLevel) {
        Bytes out(LZ4_compressBound(int(raw.size())));
        const char* in = reinterpret_cast<const char*>(raw.data());
        char* to = reinterpret_cast<char*>(out.data());
        out.resize(hcLevel ? LZ4_compress_HC(in, to, int(raw.size()), int(out.size()), hcLevel)
                           : LZ4_compress_default(in, to, int(raw.size()), int(out.size())));
        out.shrink_to_fit();
        return out;
    };
    auto unlz4 = [](const Bytes& packed, size_t size) {
        Bytes out(size);
        LZ4_decompress_safe(reinterpret_cast<const char*>(packed.data()),
                            reinterpret_cast<char*>(out.data()), int(packed.size()), int(size));
        return out;
    };
    codecs.push_back({"lz4", [lz4](const Bytes& raw) { return lz4(raw, 0); }, unlz4});
    codecs.push_back({"lz4 HC", [lz4](const Bytes& raw) { return lz4(raw, LZ4HC_CLEVEL_DEFAULT); },
                      unlz4});
#endif
    return codecs;
}

Set LoadSet(const wxString& folder)
{
    Set set;
    set.name = folder.AfterLast('/').ToStdString();
    wxArrayString files;
    wxDir::GetAllFiles(folder, &files, "*.png", wxDIR_FILES);
    files.Sort();
    for (const wxString& file : files) {
        wxImage image;
        const Clock::time_point start = Clock::now();
        if (!image.LoadFile(file))
            continue;
        set.loadSeconds += Seconds(start);
        set.width = image.GetWidth(), set.height = image.GetHeight();
        Frame frame;
        frame.pixels = size_t(set.width) * set.height;
        frame.rgb.assign(image.GetData(), image.GetData() + frame.pixels * 3);
        set.frames.push_back(std::move(frame));
    }
    return set;
}

Set Generated(const std::string& name, int width, int height, int count)
{
    Set set{name, width, height, {}};
    bench::ScreenFrames screen(width, height);
    for (int i = 0; i < count; ++i) {
        Frame frame;
        frame.pixels = size_t(width) * height;
        screen.Draw(i * 3, frame.rgb);  // every third: about 5 frames a second of recording
        set.frames.push_back(std::move(frame));
    }
    return set;
}

void PrintCodecTable(const std::vector<Set>& sets)
{
    std::printf("%-16s %-20s %8s %12s %12s %14s\n", "set", "codec", "ratio", "MB/s comp",
                "ms decode", "bytes/frame");
    for (const Set& set : sets) {
        double storeSeconds = 0;
        for (const Codec& codec : Codecs()) {
            size_t raw = 0, packed = 0;
            double compressSeconds = 0, decodeSeconds = 0;
            bool exact = true;
            for (const Frame& frame : set.frames) {
                Clock::time_point start = Clock::now();
                const Bytes small = codec.compress(frame.rgb);
                compressSeconds += Seconds(start);
                start = Clock::now();
                const Bytes back = codec.decompress(small, frame.rgb.size());
                decodeSeconds += Seconds(start);
                exact = exact && back == frame.rgb;
                raw += frame.rgb.size(), packed += small.size();
            }
            if (codec.name == "store")
                storeSeconds = compressSeconds;
            std::printf("%-16s %-20s %8.1f %12.0f %12.2f %14zu%s\n",
                        (set.name + " " + std::to_string(set.width) + "x" +
                         std::to_string(set.height)).c_str(),
                        codec.name.c_str(), double(raw) / packed, raw / compressSeconds / 1e6,
                        decodeSeconds * 1000 / set.frames.size(), packed / set.frames.size(),
                        exact ? "" : "  NOT EXACT");
        }
        // What compressing adds to a load, which reads and decodes the files today.
        if (set.loadSeconds > 0)
            std::printf("%-16s reading the PNG files: %.2f ms a frame; the store's compression "
                        "adds %.0f %%\n", set.name.c_str(), set.loadSeconds * 1000 / set.frames.size(),
                        100 * storeSeconds / set.loadSeconds);
    }
}

// Adds count generated frames to a store of the budget, then decodes some of them back.
void HoldScreenFrames(int count, uint64_t budget, const std::string& folder)
{
    const int width = 1920, height = 1080;
    const double raw = double(width) * height * 3;
    bench::ScreenFrames screen(width, height);
    std::vector<uint8_t> rgb;
    auto store = PictureStore::Create({budget, folder, size_t{64} << 20});
    std::vector<PictureRef> pictures;
    double drawSeconds = 0, addSeconds = 0;
    for (int i = 0; i < count; ++i) {
        Clock::time_point start = Clock::now();
        screen.Draw(i, rgb);
        drawSeconds += Seconds(start);
        start = Clock::now();
        pictures.push_back(Picture::FromPlanes(store, width, height, rgb.data(), nullptr));
        addSeconds += Seconds(start);
    }
    const long peak = bench::PeakKiB();  // of this process alone: it does nothing else
    const PictureStore::Figures figures = store->Counts();
    // Every 37th frame, so that none is in the decoded cache yet.
    Clock::time_point start = Clock::now();
    int decoded = 0;
    for (int i = 0; i < count; i += 37, ++decoded)
        if (!pictures[i]->Decode())
            std::printf("frame %d: not decoded\n", i);
    const double decodeMs = Seconds(start) * 1000 / std::max(decoded, 1);
    const uint64_t total = figures.memoryBytes + figures.fileBytes;
    std::printf("%-12s %8d %10.1f %10.1f %10.1f %8.1f %9.2f %9.2f %10.0f %10ld %8.2f\n",
                budget >= (uint64_t{1} << 40) ? "none" : (std::to_string(budget >> 20) + " MiB").c_str(),
                count, total / 1048576.0, figures.memoryBytes / 1048576.0,
                figures.fileLength / 1048576.0, raw * count / total, addSeconds * 1000 / count,
                drawSeconds * 1000 / count, raw * count / addSeconds / 1e6, peak / 1024,
                decodeMs);
    if (const std::optional<wxString> trouble = store->TakeTrouble())
        std::printf("trouble: %s\n", trouble->utf8_str().data());
}

// Runs this program again as "--hold BUDGET_MIB", so that its peak memory is the store's and
// none of the codec table's.
void HoldInOwnProcess(const char* budgetMiB)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl("/proc/self/exe", "frame_store_bench", "--hold", budgetMiB, nullptr);
        ::_exit(127);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) < 0 || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        std::printf("the run with a budget of %s MiB failed\n", budgetMiB);
}

} // namespace

int main(int argc, char** argv)
{
    const char* frames = std::getenv("FRAMES");
    const int count = frames ? std::max(1, std::atoi(frames)) : 1800;
    if (argc == 3 && std::string(argv[1]) == "--hold") {
        const uint64_t budget = uint64_t(std::atoll(argv[2])) << 20;
        HoldScreenFrames(count, budget ? budget : uint64_t{1} << 40, DefaultCacheFolder());
        return 0;
    }
    wxInitializer toolkit;
    wxInitAllImageHandlers();
    wxLogNull quiet;
    std::vector<Set> sets;
    for (int i = 1; i < argc; ++i)
        sets.push_back(LoadSet(argv[i]));
    if (sets.empty())
        sets.push_back(Generated("screen", 640, 480, 60));
    sets.push_back(Generated("screen", 1920, 1080, 20));
    PrintCodecTable(sets);

    const std::string folder = DefaultCacheFolder();
    std::printf("\n%d generated screen frames of 1920x1080 (raw %.0f MiB) in a store; cache file in %s\n",
                count, 1920.0 * 1080 * 3 * count / 1048576, folder.c_str());
    std::printf("%-12s %8s %10s %10s %10s %8s %9s %9s %10s %10s %8s\n", "budget", "frames",
                "MiB comp", "in memory", "file MiB", "ratio", "ms add", "ms draw", "MB/s add",
                "peak MiB", "ms dec");
    std::fflush(stdout);
    for (const char* budgetMiB : {"0", "16"})
        HoldInOwnProcess(budgetMiB);
    return 0;
}
