// Any file as a video clip: opened, and a second of it taken at 10 frames a second and 32
// pixels wide. Whatever the bytes, the frames that come are of the size asked for, in order,
// no more than the stretch holds, and a bad file ends with a reason rather than a hang.
#include <wx/image.h>

#include "fuzz/fuzz_support.h"
#include "core/video/video_decoder.h"
#include "core/video/video_geometry.h"
#include "support/temp_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool started = (StartToolkitForFuzzing(), true);
    (void)started;
    TempDir dir;
    const wxString path = dir.File("clip");
    if (!WriteFuzzFile(path, data, size))
        return 0;
    wxString reason;
    std::unique_ptr<VideoDecoder> decoder = VideoDecoder::Open(path, reason);
    if (!decoder) {
        FUZZ_CHECK(!reason.empty());
        return 0;
    }
    const VideoInfo& info = decoder->Info();
    FUZZ_CHECK(info.display.x > 0 && info.display.y > 0);
    // A header may promise a picture of any size; the frames are made at 32 wide regardless.
    const wxSize expected = VideoFrameSize(info.display, 32);
    if (static_cast<long long>(expected.x) * expected.y > 32LL * 4096)
        return 0;
    decoder->SetStallLimit(2);
    const VideoSampling sampling{0, 1, 10};
    int next = 0, delivered = 0;
    const bool ok = decoder->Decode(
        sampling, 32,
        [&](int k, wxImage&& frame) {
            FUZZ_CHECK(k == next++);
            FUZZ_CHECK(frame.IsOk() && frame.GetSize() == expected && !frame.HasAlpha());
            return true;
        },
        delivered, reason);
    FUZZ_CHECK(delivered == next && delivered <= 10);
    FUZZ_CHECK(ok || !reason.empty());
    return 0;
}
