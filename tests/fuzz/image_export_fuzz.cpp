// Any input picture through the whole export: decoded as the loader decodes it (a GIF's
// frames through giflib, anything else through the toolkit's handlers), each frame fitted
// into a small canvas, reduced and written as a GIF, and that GIF decoded again: it must
// hold one frame of the canvas's size for every frame exported.
#include <cstring>
#include <vector>

#include <wx/debug.h>

#include "fuzz/fuzz_support.h"
#include "core/export/compose_frame.h"
#include "core/export/gif_export.h"
#include "core/input/image_decode.h"
#include "support/temp_dir.h"
#include "core/gif/gif_frame_reader.h"

namespace {
// Limits that keep one run fast: a few frames, and no huge canvas to compose from.
const unsigned kMaxFrames = 4;
const long kMaxPixels = 512 * 512;

bool IsGif(const uint8_t* data, size_t size)
{
    return size >= 6 && (std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0);
}

// The input's frames, at most kMaxFrames of them; false when it gives none.
bool DecodeInput(const uint8_t* data, size_t size, const TempDir& dir, std::vector<wxImage>& frames)
{
    if (IsGif(data, size)) {
        const wxString path = dir.File("input.gif");
        if (!WriteFuzzFile(path, data, size))
            return false;
        // The loader's GIF path, with the frame count capped.
        GifFrameReader reader;
        if (!reader.Open(path, nullptr))
            return false;
        const wxSize screen = reader.ScreenSize();
        FUZZ_CHECK(screen.x > 0 && screen.y > 0);
        if (static_cast<long>(screen.x) * screen.y > kMaxPixels)
            return false;
        for (unsigned i = 0; i < reader.Count() && frames.size() < kMaxFrames; ++i) {
            wxImage image;
            if (reader.Frame(i, image)) {
                FUZZ_CHECK(image.IsOk() && image.GetSize() == screen);
                frames.push_back(image);
            }
        }
        return !frames.empty();
    }
    const wxString path = dir.File("input.img");
    if (!WriteFuzzFile(path, data, size))
        return false;
    wxString reason;
    // The toolkit's decoders assert on some damaged files before they refuse them; the
    // application and the exporter run with assertions off, so only the refusal counts here.
    wxAssertHandler_t handler = wxSetAssertHandler(nullptr);
    const bool decoded = DecodeImageFile(path, frames, &reason);
    wxSetAssertHandler(handler);
    if (!decoded) {
        FUZZ_CHECK(frames.empty() && !reason.empty());
        return false;
    }
    FUZZ_CHECK(frames.size() == 1);
    return static_cast<long>(frames[0].GetWidth()) * frames[0].GetHeight() <= kMaxPixels;
}
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartToolkitForFuzzing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static TempDir dir;
    std::vector<wxImage> decoded;
    if (!DecodeInput(data, size, dir, decoded))
        return 0;

    // A canvas smaller than most inputs, so shrinking and centring both run.
    const wxSize canvas(1 + size % 24, 1 + size / 7 % 16);
    std::vector<wxImage> composed;
    for (const wxImage& frame : decoded) {
        FUZZ_CHECK(frame.IsOk() && frame.GetWidth() > 0 && frame.GetHeight() > 0);
        const wxImage image = ComposeFrame(frame, canvas);
        FUZZ_CHECK(image.IsOk() && image.GetSize() == canvas);
        FUZZ_CHECK(!image.HasAlpha() && !image.HasMask());
        composed.push_back(image);
    }

    GifExportOptions options;
    options.canvas = canvas;
    options.delay = static_cast<int>(size % 300);
    options.threads = 1;
    options.reducer = size % 2 ? PaletteReducer::Quant : PaletteReducer::Direct;
    const wxString output = dir.File("output.gif");
    const GifExportResult result = ExportGif(composed, output, options);
    FUZZ_CHECK(result.ok);

    std::vector<wxImage> again;
    wxString reason;
    FUZZ_CHECK(DecodeImageFile(output, again, &reason));
    FUZZ_CHECK(again.size() == composed.size());
    for (const wxImage& frame : again)
        FUZZ_CHECK(frame.GetSize() == canvas);
    return 0;
}
