// Any bytes as an animated PNG: opened from memory and every frame composed. Whatever the
// bytes, a file either fails with a reason or gives frames of its canvas's size within the
// picture limit, delays within 16 bits, and a frame that fails to decode says why.
#include <wx/image.h>

#include "fuzz/fuzz_support.h"
#include "core/formats/apng_decoder.h"
#include "core/picture/picture_limit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool started = (StartToolkitForFuzzing(), true);
    (void)started;
    ApngDecoder decoder;
    wxString reason;
    if (!decoder.Open(std::vector<uint8_t>(data, data + size), &reason)) {
        FUZZ_CHECK(!reason.empty() && decoder.Count() == 0);
        return 0;
    }
    const wxSize canvas = decoder.CanvasSize();
    FUZZ_CHECK(decoder.Count() > 0 && WithinPictureLimit(canvas));
    // A header may promise a canvas of any size; large ones cost time, not coverage.
    if (static_cast<long long>(canvas.x) * canvas.y > 256LL * 256)
        return 0;
    for (unsigned i = 0; i < decoder.Count() && i < 64; ++i) {
        FUZZ_CHECK(decoder.Delay(i) >= 0 && decoder.Delay(i) <= 65535);
        wxImage frame;
        if (!decoder.Frame(i, frame)) {
            FUZZ_CHECK(!decoder.Error().empty());
            break;
        }
        FUZZ_CHECK(frame.IsOk() && frame.GetSize() == canvas);
    }
    return 0;
}
