#include "core/gif/gif_quality.h"

#include <algorithm>
#include <cmath>

GifQualitySettings QualitySettings(int quality)
{
    const int q = std::clamp(quality, 1, 100);
    const int loss = 100 - q;
    GifQualitySettings s;
    // Halving the colours costs about as much look at every size, so they fall
    // geometrically: 256 at 100, 128 at 80, 64 at 60, 32 at 40, down to 8 at 1.
    s.colours = std::clamp(static_cast<int>(std::lround(256.0 * std::pow(2.0, -loss / 20.0))),
                           8, 256);
    // Dithering noise is what LZW compresses worst; it goes linearly, all of it by 20.
    s.dithering = std::max(0.0f, 1.0f - static_cast<float>(loss) / 80.0f);
    // Three units per step: at 50 a reused palette may be off by about seven levels per
    // channel on the changed pixels.
    s.reusePerPixel = 2 + 3 * loss;
    // At most a twentieth of a step per quality point, so 90 ignores flicker of half a level
    // and 1 about 20 levels of drift in still parts.
    s.stillTolerance = loss / 5;
    return s;
}
