// Animated WebP files from anywhere: whatever the bytes, the reader either refuses them with
// a reason or gives frames of the canvas's size within the limits, a delay for each.
#include "fuzz/fuzz_support.h"
#include "core/formats/webp_reader.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartToolkitForFuzzing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // What the memory a fuzzing process may use leaves for the frames.
    constexpr uint64_t kAvailable = 256ULL << 20;
    WebPAnimation animation;
    std::string error;
    const bool read = ReadWebPAnimation(data, size, kAvailable, animation, error);
    FUZZ_CHECK(read == error.empty());
    FUZZ_CHECK(read || animation.frames.empty());
    FUZZ_CHECK(!read || !animation.frames.empty());
    FUZZ_CHECK(animation.frames.size() == animation.delays.size());
    for (size_t i = 0; i < animation.frames.size(); ++i) {
        FUZZ_CHECK(animation.frames[i].GetWidth() == animation.width);
        FUZZ_CHECK(animation.frames[i].GetHeight() == animation.height);
        FUZZ_CHECK(animation.delays[i] >= 0);
    }
    FUZZ_CHECK(uint64_t(animation.width) * animation.height * 4 * animation.frames.size() <=
               kAvailable);
    return 0;
}
