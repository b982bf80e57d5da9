// Time per stage of exporting one 640 x 480 photograph (the reducers: the toolkit's through the
// BMP pass and directly, and the default, libimagequant). Set ZORUVEDE_BENCH_PHOTO to an image
// file to use it (scaled to 640 x 480); otherwise a Debian wallpaper photograph is used when
// installed (mate-backgrounds), else a generated photo-like image.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include <wx/filename.h>
#include <wx/image.h>
#include <wx/imaggif.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/stream.h>

#include "core/base/trace.h"
#include "core/export/compose_frame.h"
#include "core/gif/gif_image_indices.h"
#include "core/gif/gif_writer.h"
#include "core/colour/indexed_frame.h"
#include "core/colour/palette.h"
#include "core/colour/palette_lookup.h"
#include "core/colour/palette_quant.h"

namespace {

const wxSize kCanvas(640, 480);

wxImage Generated(int w, int h)
{
    wxImage img(w, h, false);
    unsigned char* p = img.GetData();
    unsigned state = 7;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            state = state * 1664525u + 1013904223u;
            const int noise = static_cast<int>((state >> 24) & 15) - 8;
            const double fx = double(x) / w, fy = double(y) / h;
            const double s = 0.5 + 0.5 * std::sin(6 * fx + 3 * fy);
            const int v[3] = {int(90 + 120 * s), int(140 + 90 * s * fy), int(200 - 80 * fx)};
            for (int c : v)
                *p++ = static_cast<unsigned char>(std::min(255, std::max(0, c + noise)));
        }
    return img;
}

// A photograph of w x h, the same one on every call.
wxImage Photo(int w, int h)
{
    static wxImage original;
    if (!original.IsOk()) {
        wxLogNull noLog;
        const char* env = std::getenv("ZORUVEDE_BENCH_PHOTO");
        const wxString path = env ? wxString(env)
                                  : wxString("/usr/share/backgrounds/mate/nature/Garden.jpg");
        if (!wxFileName::FileExists(path) || !original.LoadFile(path))
            original = Generated(1280, 960);
    }
    return original.Scale(w, h, wxIMAGE_QUALITY_HIGH);
}

class NullStream : public wxOutputStream {
protected:
    size_t OnSysWrite(const void*, size_t size) override { return size; }
};

void Frames(benchmark::State& state)
{
    state.SetItemsProcessed(state.iterations());
}

void BM_ComposeExactSize(benchmark::State& state)
{
    const wxImage frame = Photo(640, 480);
    for (auto _ : state)
        benchmark::DoNotOptimize(ComposeFrame(frame, kCanvas));
    Frames(state);
}

void BM_ComposeShrinkFrom1280x960(benchmark::State& state)
{
    const wxImage frame = Photo(1280, 960);
    for (auto _ : state)
        benchmark::DoNotOptimize(ComposeFrame(frame, kCanvas));
    Frames(state);
}

void BM_ReduceBmpPass(benchmark::State& state)
{
    const wxImage frame = Photo(640, 480);
    for (auto _ : state) {
        wxImage source = frame.Copy();
        benchmark::DoNotOptimize(ReduceToPalette(source));
    }
    Frames(state);
}

void BM_ReduceDirect(benchmark::State& state)
{
    const wxImage frame = Photo(640, 480);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReduceToPaletteDirect(frame));
    Frames(state);
}

void BM_ReduceQuant(benchmark::State& state)
{
    const wxImage frame = Photo(640, 480);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReduceToPaletteQuant(frame));
    Frames(state);
}

// The default reducer as the exporter calls it: indices and palette, no image.
void BM_ReduceQuantIndexed(benchmark::State& state)
{
    const wxImage frame = Photo(640, 480);
    for (auto _ : state) {
        IndexedFrame indexed;
        benchmark::DoNotOptimize(ReduceToIndexedQuant(frame, indexed));
    }
    Frames(state);
}

// Writing a frame from the reducer's indices (no lookup).
void BM_WriteIndexedFrame(benchmark::State& state)
{
    IndexedFrame indexed;
    ReduceToIndexedQuant(Photo(640, 480), indexed);
    NullStream out;
    GifWriter writer(out);
    for (auto _ : state)
        benchmark::DoNotOptimize(writer.Image(ImageView(indexed), 100));
    Frames(state);
}

struct Reduced {
    wxImage image;
    GifPaletteTable table;
    int count = 0;
    int transparent = -1;
    Reduced() : image(ReduceToPaletteDirect(Photo(640, 480)))
    {
        ExtractGifPalette(image, table, count, transparent);
    }
};

const Reduced& ReducedFrame()
{
    static const Reduced r;
    return r;
}

void BM_PaletteLookupLinearSearch(benchmark::State& state)
{
    const Reduced& r = ReducedFrame();
    const long pixels = 640L * 480;
    std::vector<unsigned char> out(pixels);
    for (auto _ : state) {
        const unsigned char* p = r.image.GetData();
        for (long i = 0; i < pixels; ++i, p += 3) {
            int k = 0;
            while (k < r.count && !(r.table[k].red == p[0] && r.table[k].green == p[1] &&
                                    r.table[k].blue == p[2]))
                ++k;
            out[i] = static_cast<unsigned char>(k);
        }
        benchmark::DoNotOptimize(out.data());
    }
    Frames(state);
}

void BM_PaletteLookupCache(benchmark::State& state)
{
    const Reduced& r = ReducedFrame();
    const long pixels = 640L * 480;
    std::vector<unsigned char> out(pixels);
    for (auto _ : state) {
        const PaletteLookup lookup(r.table.data(), r.count);
        benchmark::DoNotOptimize(lookup.Map(r.image.GetData(), pixels, out.data()));
    }
    Frames(state);
}

// The toolkit's compressor alone, on indices already looked up.
class LzwOnly : public wxGIFHandler {
public:
    bool Compress(wxOutputStream& out, const unsigned char* indices, int w, int h)
    {
        InitHashTable();
        bool ok = SetupCompress(&out, 8);
        m_pixelCount = h * (w + w % 2);
        for (int y = 0; ok && y < h; ++y) {
            m_pixelCount -= w + w % 2;
            ok = CompressLine(&out, indices + size_t(y) * w, w);
        }
        return ok;
    }
    ~LzwOnly() override { ::operator delete(static_cast<void*>(m_hashTable)); }
};

void BM_LzwCompress(benchmark::State& state)
{
    const Reduced& r = ReducedFrame();
    std::vector<unsigned char> indices(640 * 480);
    PaletteLookup(r.table.data(), r.count).Map(r.image.GetData(), 640L * 480, indices.data());
    NullStream out;
    LzwOnly lzw;
    for (auto _ : state)
        benchmark::DoNotOptimize(lzw.Compress(out, indices.data(), 640, 480));
    Frames(state);
}

void BM_WriteFrame(benchmark::State& state)
{
    const Reduced& r = ReducedFrame();
    NullStream out;
    GifWriter writer(out);
    for (auto _ : state) {
        GifImageIndices looked;
        benchmark::DoNotOptimize(IndexGifImage(r.image, looked) &&
                                 writer.Image(ImageView(looked), 100));
    }
    Frames(state);
}

BENCHMARK(BM_ComposeExactSize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComposeShrinkFrom1280x960)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReduceBmpPass)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ReduceDirect)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReduceQuant)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReduceQuantIndexed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaletteLookupLinearSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaletteLookupCache)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LzwCompress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteIndexedFrame)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    wxInitializer toolkit;
    wxInitAllImageHandlers();
    SetTraceEnabled(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
