#include "core/formats/webp_encoder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include <webp/encode.h>
#include <webp/mux.h>

namespace {

struct AnimEncoderFree {
    void operator()(WebPAnimEncoder* encoder) const { WebPAnimEncoderDelete(encoder); }
};
using AnimEncoderPtr = std::unique_ptr<WebPAnimEncoder, AnimEncoderFree>;

// A picture of libwebp's that frees its pixels however the frame's coding ends.
class OwnedPicture {
public:
    OwnedPicture() { m_ok = WebPPictureInit(&m_picture) != 0; }
    ~OwnedPicture() { WebPPictureFree(&m_picture); }
    OwnedPicture(const OwnedPicture&) = delete;
    OwnedPicture& operator=(const OwnedPicture&) = delete;
    bool Ok() const { return m_ok; }
    WebPPicture* Get() { return &m_picture; }

private:
    WebPPicture m_picture;
    bool m_ok = false;
};

class OwnedData {
public:
    OwnedData() { WebPDataInit(&m_data); }
    ~OwnedData() { WebPDataClear(&m_data); }
    OwnedData(const OwnedData&) = delete;
    OwnedData& operator=(const OwnedData&) = delete;
    WebPData* Get() { return &m_data; }

private:
    WebPData m_data;
};

// The frame's pixels as RGBA rows; pixels without alpha are opaque.
std::vector<uint8_t> RgbaOf(const wxImage& frame)
{
    const size_t count = static_cast<size_t>(frame.GetWidth()) * frame.GetHeight();
    std::vector<uint8_t> rgba(count * 4);
    const unsigned char* rgb = frame.GetData();
    const unsigned char* alpha = frame.HasAlpha() ? frame.GetAlpha() : nullptr;
    for (size_t i = 0; i < count; ++i) {
        rgba[i * 4] = rgb[i * 3];
        rgba[i * 4 + 1] = rgb[i * 3 + 1];
        rgba[i * 4 + 2] = rgb[i * 3 + 2];
        rgba[i * 4 + 3] = alpha ? alpha[i] : 255;
    }
    return rgba;
}

std::string EncoderError(const char* what, WebPAnimEncoder* encoder)
{
    const char* reason = encoder ? WebPAnimEncoderGetError(encoder) : nullptr;
    return std::string(what) + (reason && *reason ? std::string(": ") + reason : std::string());
}

} // namespace

struct WebPEncoder::Coder {
    AnimEncoderPtr encoder;
    WebPConfig config;
};

float WebPLossyQuality(int quality)
{
    return 5.0f + (std::clamp(quality, 1, 100) - 1) * 75.0f / 99.0f;
}

int WebPMethod(int effort)
{
    if (effort < 0)
        return 4;
    return static_cast<int>(std::lround(std::min(effort, 100) * 6 / 100.0));
}

int WebPLoopCount(int loopCount)
{
    return std::clamp(loopCount, 0, 65535);
}

WebPEncoder::WebPEncoder() = default;
WebPEncoder::~WebPEncoder() = default;

bool WebPEncoder::Begin(wxOutputStream& out, const AnimationEncoding& encoding,
                        std::string& error)
{
    if (encoding.width < 1 || encoding.height < 1 || encoding.width > WEBP_MAX_DIMENSION ||
        encoding.height > WEBP_MAX_DIMENSION) {
        error = "a WebP picture is 1 to 16383 pixels each way";
        return false;
    }
    auto coder = std::make_unique<Coder>();
    if (!WebPConfigInit(&coder->config)) {
        error = "the system's WebP library is not the one this program was built with";
        return false;
    }
    coder->config.method = WebPMethod(encoding.effort);
    if (encoding.lossless) {
        coder->config.lossless = 1;
        // Lossless, libwebp's quality is how hard it tries, not what it keeps.
        coder->config.quality = encoding.effort < 0 ? 75.0f : std::min(encoding.effort, 100);
    } else {
        coder->config.quality = WebPLossyQuality(encoding.quality);
        coder->config.alpha_quality = 100;
    }
    if (!WebPValidateConfig(&coder->config)) {
        error = "the WebP settings are out of range";
        return false;
    }
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options)) {
        error = "the system's WebP library is not the one this program was built with";
        return false;
    }
    options.anim_params.loop_count = WebPLoopCount(encoding.loopCount);
    // Lossy frames may still be coded losslessly where that is smaller (flat screenshots).
    options.allow_mixed = encoding.lossless ? 0 : 1;
    coder->encoder.reset(WebPAnimEncoderNew(encoding.width, encoding.height, &options));
    if (!coder->encoder) {
        error = "there was not enough memory to start the WebP encoder";
        return false;
    }
    m_coder = std::move(coder);
    m_out = &out;
    m_encoding = encoding;
    m_added = 0;
    m_timestamp = 0;
    return true;
}

bool WebPEncoder::Add(const wxImage& frame, int delay, std::string& error)
{
    if (!m_coder) {
        error = "the WebP encoder was not started";
        return false;
    }
    if (!frame.IsOk() || frame.GetWidth() != m_encoding.width ||
        frame.GetHeight() != m_encoding.height) {
        error = "a frame is not of the animation's size";
        return false;
    }
    OwnedPicture picture;
    if (!picture.Ok()) {
        error = "the system's WebP library is not the one this program was built with";
        return false;
    }
    WebPPicture* p = picture.Get();
    p->width = m_encoding.width;
    p->height = m_encoding.height;
    p->use_argb = 1;
    const std::vector<uint8_t> rgba = RgbaOf(frame);
    if (!WebPPictureImportRGBA(p, rgba.data(), m_encoding.width * 4)) {
        error = "there was not enough memory for a frame of the WebP file";
        return false;
    }
    if (!WebPAnimEncoderAdd(m_coder->encoder.get(), p, static_cast<int>(m_timestamp),
                            &m_coder->config)) {
        error = EncoderError("the WebP encoder refused a frame", m_coder->encoder.get());
        return false;
    }
    m_timestamp += static_cast<int64_t>(std::clamp(delay, 0, 65535)) * 10;
    if (m_timestamp > INT32_MAX) {
        error = "the animation is longer than a WebP file can time";
        return false;
    }
    ++m_added;
    return true;
}

bool WebPEncoder::Finish(std::string& error)
{
    if (!m_coder || m_added == 0) {
        error = "a WebP animation needs at least one frame";
        return false;
    }
    WebPAnimEncoder* encoder = m_coder->encoder.get();
    // The end of the last frame gives its duration.
    if (!WebPAnimEncoderAdd(encoder, nullptr, static_cast<int>(m_timestamp), nullptr)) {
        error = EncoderError("the WebP encoder could not end the animation", encoder);
        return false;
    }
    OwnedData data;
    if (!WebPAnimEncoderAssemble(encoder, data.Get())) {
        error = EncoderError("the WebP encoder could not assemble the file", encoder);
        return false;
    }
    m_out->Write(data.Get()->bytes, data.Get()->size);
    m_coder.reset();
    if (m_out->LastWrite() != data.Get()->size || !m_out->IsOk()) {
        error = "the WebP file could not be written";
        return false;
    }
    return true;
}
