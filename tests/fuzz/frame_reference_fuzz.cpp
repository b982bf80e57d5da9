// Frame reference names: whatever name comes in, its parts put back together give it again,
// and a name made from a GIF path and a frame number gives both back.
#include "fuzz/fuzz_support.h"
#include "core/input/frame_reference.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartToolkitForFuzzing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const wxString name = FuzzText(data, size);

    const int frame = GetGifFrameIndex(name);
    const wxString path = StripGifFrameSuffix(name);
    FUZZ_CHECK(frame >= -1);
    if (frame < 0) {
        FUZZ_CHECK(path == name);
    } else {
        // The number is read in full, so only leading zeros can differ from its decimal form.
        FUZZ_CHECK(name.StartsWith(path + "_"));
        long written = -1;
        FUZZ_CHECK(name.Mid(path.length() + 1).ToLong(&written) && written == frame);
        FUZZ_CHECK(path.Lower().EndsWith(".gif"));
        FUZZ_CHECK(StripGifFrameSuffix(MakeFrameReferenceName(path, frame)) == path);
    }

    // Any name of a GIF with something before ".gif", and any frame number, round-trips.
    if (path.Lower().EndsWith(".gif") && path.length() > 4) {
        const int number = static_cast<int>(size * 7919 % 100000);
        const wxString made = MakeFrameReferenceName(path, number);
        FUZZ_CHECK(GetGifFrameIndex(made) == number);
        FUZZ_CHECK(StripGifFrameSuffix(made) == path);
    }
    return 0;
}
