// Animated WebP files written through the export: what libwebp's own decoder reads back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include <wx/dir.h>
#include <wx/ffile.h>

#include <webp/demux.h>

#include "core/export/animation_export.h"
#include "core/export/compose_frame.h"
#include "core/formats/webp_encoder.h"
#include "support/temp_dir.h"
#include "support/test_images.h"

namespace {

struct DecodedFrame {
    std::vector<uint8_t> rgba;
    int timestamp = 0;  // its end, in milliseconds
};

struct DecodedWebP {
    bool ok = false;
    int width = 0, height = 0, loopCount = -1;
    std::vector<DecodedFrame> frames;
};

std::vector<uint8_t> FileBytes(const wxString& path)
{
    wxFFile f(path, "rb");
    std::vector<uint8_t> bytes(f.IsOpened() ? f.Length() : 0);
    if (!bytes.empty())
        f.Read(bytes.data(), bytes.size());
    return bytes;
}

DecodedWebP Decode(const std::vector<uint8_t>& bytes)
{
    DecodedWebP out;
    WebPData data{bytes.data(), bytes.size()};
    WebPAnimDecoderOptions options;
    WebPAnimDecoderOptionsInit(&options);
    options.color_mode = MODE_RGBA;
    std::unique_ptr<WebPAnimDecoder, void (*)(WebPAnimDecoder*)> decoder(
        WebPAnimDecoderNew(&data, &options), WebPAnimDecoderDelete);
    WebPAnimInfo info;
    if (!decoder || !WebPAnimDecoderGetInfo(decoder.get(), &info))
        return out;
    out.width = static_cast<int>(info.canvas_width);
    out.height = static_cast<int>(info.canvas_height);
    out.loopCount = static_cast<int>(info.loop_count);
    while (WebPAnimDecoderHasMoreFrames(decoder.get())) {
        uint8_t* pixels = nullptr;
        DecodedFrame frame;
        if (!WebPAnimDecoderGetNext(decoder.get(), &pixels, &frame.timestamp))
            return out;
        frame.rgba.assign(pixels, pixels + static_cast<size_t>(out.width) * out.height * 4);
        out.frames.push_back(std::move(frame));
    }
    out.ok = true;
    return out;
}

// Photo-like frames with a clear band at the left and a half-clear one at the top.
std::vector<wxImage> Frames(int count, int w, int h)
{
    std::vector<wxImage> frames;
    for (int i = 0; i < count; ++i) {
        wxImage frame = PhotoLikeImage(w, h, i + 1);
        frame.InitAlpha();
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                frame.SetAlpha(x, y, x < 3 + i ? 0 : y < 4 ? 128 : 255);
        frames.push_back(frame);
    }
    return frames;
}

AnimationExportOptions Options(int w, int h, std::vector<int> delays, int loop)
{
    AnimationExportOptions options;
    options.frames.canvas = wxSize(w, h);
    options.frames.edit.background.transparent = true;
    options.frames.delays = std::move(delays);
    options.frames.loopCount = loop;
    options.frames.traceComposition = false;
    return options;
}

DecodedWebP ExportAndDecode(const std::vector<wxImage>& frames,
                            const AnimationExportOptions& options, const TempDir& dir)
{
    std::vector<wxImage> copies;
    for (const wxImage& f : frames)
        copies.push_back(f.Copy());
    ImageListFrameSource source(std::move(copies));
    WebPEncoder encoder;
    const GifExportResult result =
        ExportAnimation(source, dir.File("out.webp"), options, encoder);
    EXPECT_TRUE(result.ok) << result.error;
    return Decode(FileBytes(dir.File("out.webp")));
}

} // namespace

TEST(WebPEncoder, LosslessKeepsEveryPixelDelayAndLoopCount)
{
    const int w = 37, h = 23;
    const std::vector<wxImage> frames = Frames(3, w, h);
    // Odd delays, a zero one, and one past what 16 bits of milliseconds hold.
    const std::vector<int> delays{7, 0, 7000};
    for (int loop : {0, 1, 5}) {
        TempDir dir;
        AnimationExportOptions options = Options(w, h, delays, loop);
        options.lossless = true;
        const DecodedWebP decoded = ExportAndDecode(frames, options, dir);
        ASSERT_TRUE(decoded.ok);
        EXPECT_EQ(decoded.loopCount, loop);
        ASSERT_EQ(decoded.width, w);
        ASSERT_EQ(decoded.height, h);
        ASSERT_EQ(decoded.frames.size(), frames.size());
        int end = 0;
        for (size_t i = 0; i < frames.size(); ++i) {
            end += delays[i] * 10;
            EXPECT_EQ(decoded.frames[i].timestamp, end) << "frame " << i;
            const wxImage expected =
                ComposeEdited(frames[i], wxSize(w, h), options.frames.edit, false);
            ASSERT_TRUE(expected.HasAlpha());
            int wrong = 0;
            for (int p = 0; p < w * h; ++p) {
                const uint8_t* got = &decoded.frames[i].rgba[p * 4];
                const uint8_t alpha = expected.GetAlpha()[p];
                // A clear pixel's colour shows nowhere, so the coder need not keep it.
                const bool same =
                    got[3] == alpha &&
                    (alpha == 0 || (got[0] == expected.GetData()[p * 3] &&
                                    got[1] == expected.GetData()[p * 3 + 1] &&
                                    got[2] == expected.GetData()[p * 3 + 2]));
                wrong += same ? 0 : 1;
            }
            EXPECT_EQ(wrong, 0) << "frame " << i << ", loop " << loop;
        }
    }
}

TEST(WebPEncoder, LossyStaysCloseAndSmallerThanLossless)
{
    const int w = 160, h = 120;
    std::vector<wxImage> frames;
    for (int i = 0; i < 4; ++i)
        frames.push_back(PhotoLikeImage(w, h, i + 1));
    TempDir lossyDir, losslessDir;
    AnimationExportOptions options = Options(w, h, {}, 0);
    options.frames.edit.background.transparent = false;
    const DecodedWebP lossy = ExportAndDecode(frames, options, lossyDir);
    options.lossless = true;
    const DecodedWebP lossless = ExportAndDecode(frames, options, losslessDir);
    ASSERT_TRUE(lossy.ok);
    ASSERT_EQ(lossy.frames.size(), frames.size());
    EXPECT_EQ(lossy.frames.back().timestamp, 4 * 100);  // the default delay, 10 hundredths
    EXPECT_LT(FileBytes(lossyDir.File("out.webp")).size(),
              FileBytes(losslessDir.File("out.webp")).size() / 2);
    for (size_t i = 0; i < frames.size(); ++i) {
        long error = 0;
        for (int p = 0; p < w * h; ++p)
            for (int c = 0; c < 3; ++c)
                error += std::abs(lossy.frames[i].rgba[p * 4 + c] - frames[i].GetData()[p * 3 + c]);
        EXPECT_LT(static_cast<double>(error) / (w * h * 3), 4.0) << "frame " << i;
        EXPECT_EQ(lossy.frames[i].rgba[3], 255);
    }
}

TEST(WebPEncoder, SettingsMapOntoLibwebps)
{
    EXPECT_FLOAT_EQ(WebPLossyQuality(100), 80.0f);
    EXPECT_FLOAT_EQ(WebPLossyQuality(1), 5.0f);
    EXPECT_LT(WebPLossyQuality(50), WebPLossyQuality(51));
    const int methods[][2] = {{-1, 4}, {0, 0}, {50, 3}, {100, 6}, {250, 6}};
    for (const auto& m : methods)
        EXPECT_EQ(WebPMethod(m[0]), m[1]) << m[0];
    const int loops[][2] = {{0, 0}, {1, 1}, {3, 3}, {65536, 65535}};
    for (const auto& l : loops)
        EXPECT_EQ(WebPLoopCount(l[0]), l[1]) << l[0];
}
