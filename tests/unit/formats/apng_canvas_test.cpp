// Frames composed on the canvas by their dispose and blend ops, pixel by pixel.
#include <gtest/gtest.h>

#include "core/formats/apng_canvas.h"

namespace {

using Pixels = std::vector<uint8_t>;

struct Step {
    uint32_t x, width;
    ApngDispose dispose;
    ApngBlend blend;
    Pixels rgba;
    Pixels expected;  // the 3 x 1 canvas after this frame
};

Pixels CanvasOf(const ApngCanvas& canvas)
{
    Pixels out;
    for (int x = 0; x < 3; ++x)
        out.insert(out.end(), canvas.Pixel(x, 0), canvas.Pixel(x, 0) + 4);
    return out;
}

TEST(ApngCanvas, EachFrameIsDrawnByItsBlendAfterTheOneBeforeIsDisposedOf)
{
    const Pixels a = {10, 20, 30, 255}, b = {40, 50, 60, 255}, c = {70, 80, 90, 255};
    const Pixels d = {1, 2, 3, 255}, clear = {0, 0, 0, 0};
    const Pixels halfGreen = {0, 100, 0, 128}, halfRed = {200, 0, 0, 128};
    const auto join = [](std::initializer_list<Pixels> parts) {
        Pixels all;
        for (const Pixels& p : parts)
            all.insert(all.end(), p.begin(), p.end());
        return all;
    };
    const std::vector<Step> steps = {
        // The first frame's Previous means Background.
        {0, 3, ApngDispose::Previous, ApngBlend::Source, join({a, b, c}), join({a, b, c})},
        {1, 1, ApngDispose::Previous, ApngBlend::Over, d, join({clear, d, clear})},
        {2, 1, ApngDispose::None, ApngBlend::Over, halfGreen, join({clear, clear, halfGreen})},
        // Half red over half green: alpha 128 + 128 * 127 / 255, colours weighted by it.
        {2, 1, ApngDispose::Background, ApngBlend::Over, halfRed,
         join({clear, clear, {134, 33, 0, 192}})},
        {0, 2, ApngDispose::None, ApngBlend::Over, join({clear, halfRed}),
         join({clear, halfRed, clear})},
        {0, 2, ApngDispose::None, ApngBlend::Source, join({clear, d}), join({clear, d, clear})},
    };
    ApngCanvas canvas(3, 1);
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        ApngFrameControl control;
        control.x = s.x;
        control.width = s.width;
        control.height = 1;
        control.dispose = s.dispose;
        control.blend = s.blend;
        canvas.Draw(control, s.rgba.data());
        EXPECT_EQ(CanvasOf(canvas), s.expected) << "frame " << i;
    }
    const wxImage image = canvas.ToImage();
    EXPECT_TRUE(image.HasAlpha());
    EXPECT_EQ(image.GetAlpha(1, 0), 255);
    EXPECT_EQ(image.GetGreen(1, 0), 2);
}

} // namespace
