#include "core/formats/webp_reader.h"

#include <cstring>
#include <memory>

#include <webp/decode.h>
#include <webp/demux.h>

#include "core/picture/picture_limit.h"
#include "core/picture/rgba_image.h"

namespace {

struct AnimDecoderFree {
    void operator()(WebPAnimDecoder* decoder) const { WebPAnimDecoderDelete(decoder); }
};

// The hundredths a frame ending at end (ms) after one ending at start plays, to the nearest.
int DelayOf(int start, int end)
{
    return end > start ? (end - start + 5) / 10 : 0;
}


} // namespace

bool LooksLikeWebP(const uint8_t* bytes, size_t size)
{
    return size >= 12 && std::memcmp(bytes, "RIFF", 4) == 0 && std::memcmp(bytes + 8, "WEBP", 4) == 0;
}

bool ReadWebPAnimation(const uint8_t* bytes, size_t size, uint64_t available,
                       WebPAnimation& animation, std::string& error)
{
    animation = WebPAnimation();
    if (!LooksLikeWebP(bytes, size)) {
        error = "it is not a WebP file";
        return false;
    }
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(bytes, size, &features) != VP8_STATUS_OK) {
        error = "the WebP file is damaged or cut short";
        return false;
    }
    const wxSize canvas(features.width, features.height);
    if (!WithinPictureLimit(canvas)) {
        error = TooLargeReason(canvas).utf8_string();
        return false;
    }
    // The decoder holds the canvas and a copy of it while it composes.
    const wxString problem = PictureSizeProblem(canvas, available / 2);
    if (!problem.empty()) {
        error = problem.utf8_string();
        return false;
    }

    WebPData data{bytes, size};
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options)) {
        error = "the system's WebP library is not the one this program was built with";
        return false;
    }
    options.color_mode = MODE_RGBA;
    options.use_threads = 0;
    std::unique_ptr<WebPAnimDecoder, AnimDecoderFree> decoder(WebPAnimDecoderNew(&data, &options));
    WebPAnimInfo info;
    if (!decoder || !WebPAnimDecoderGetInfo(decoder.get(), &info)) {
        error = "the WebP file is damaged or cut short";
        return false;
    }
    const uint64_t frameBytes = uint64_t(info.canvas_width) * info.canvas_height * 4;
    if (available > 0 && frameBytes * (info.frame_count + 2) > available) {
        error = "its " + std::to_string(info.frame_count) +
                " frames need more memory than is free";
        return false;
    }
    animation.width = static_cast<int>(info.canvas_width);
    animation.height = static_cast<int>(info.canvas_height);
    animation.loopCount = static_cast<int>(info.loop_count);
    int previous = 0;
    while (WebPAnimDecoderHasMoreFrames(decoder.get())) {
        uint8_t* rgba = nullptr;
        int timestamp = 0;
        if (!WebPAnimDecoderGetNext(decoder.get(), &rgba, &timestamp)) {
            error = "frame " + std::to_string(animation.frames.size() + 1) +
                    " of the WebP file is damaged or cut short";
            animation = WebPAnimation();
            return false;
        }
        // With alpha whenever a pixel is not opaque: a file that says it has no alpha still
        // shows clear canvas where a frame was disposed.
        wxImage frame = RgbaImage(rgba, animation.width, animation.height);
        if (!frame.IsOk()) {
            error = "there was not enough memory for the WebP file's frames";
            animation = WebPAnimation();
            return false;
        }
        animation.frames.push_back(frame);
        animation.delays.push_back(DelayOf(previous, timestamp));
        previous = timestamp;
    }
    if (animation.frames.empty()) {
        error = "the WebP file holds no frame";
        return false;
    }
    return true;
}
