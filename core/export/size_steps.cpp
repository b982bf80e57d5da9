#include "core/export/size_steps.h"

#include <algorithm>
#include <cmath>

namespace {

// Aiming a little under the limit: the sizes are measured, the step's effect only guessed.
constexpr double kMargin = 0.95;
constexpr double kLargestScaleStep = 0.9;

} // namespace

wxSize ScaledCanvas(const wxSize& canvas, double factor)
{
    return wxSize(std::max(1, static_cast<int>(std::lround(canvas.x * factor))),
                  std::max(1, static_cast<int>(std::lround(canvas.y * factor))));
}

wxSize SmallestCanvas(const wxSize& full)
{
    return wxSize(std::min(full.x, std::max(16, full.x / 4)),
                  std::min(full.y, std::max(16, full.y / 4)));
}

uint64_t ProjectedLength(uint64_t first, uint64_t written, int frames, int count)
{
    if (frames >= count || written < first)
        return written;
    if (frames <= 1)
        return first * static_cast<uint64_t>(std::max(count, 1));
    const uint64_t others = written - first;
    return first + others * static_cast<uint64_t>(count - 1) / static_cast<uint64_t>(frames - 1);
}

std::optional<SizeStep> NextSizeStep(const SizeStep& tried, uint64_t bytes, uint64_t limit,
                                     const wxSize& full)
{
    if (bytes <= limit || bytes == 0)
        return std::nullopt;
    const double ratio = static_cast<double>(limit) / static_cast<double>(bytes);
    SizeStep next = tried;
    if (tried.quality > kSizeLimitLowestQuality) {
        // Measured on photographs and screen recordings, the length falls by one to two
        // percent per point; assuming the faster fall keeps the most quality, and a file that
        // is still too long only costs a try cut short once it passes the limit.
        const int drop = static_cast<int>(std::ceil((1.0 - ratio * kMargin) * 70.0));
        next.quality = std::max(kSizeLimitLowestQuality, tried.quality - std::max(5, drop));
        return next;
    }
    const wxSize smallest = SmallestCanvas(full);
    if (tried.canvas.x <= smallest.x && tried.canvas.y <= smallest.y)
        return std::nullopt;
    const double factor = std::min(kLargestScaleStep, std::sqrt(ratio * kMargin));
    next.canvas = ScaledCanvas(tried.canvas, factor);
    // Both sides stop at the floor together, so the picture keeps its proportion.
    if (next.canvas.x < smallest.x || next.canvas.y < smallest.y) {
        const double fx = static_cast<double>(smallest.x) / full.x;
        const double fy = static_cast<double>(smallest.y) / full.y;
        next.canvas = ScaledCanvas(full, std::max(fx, fy));
    }
    return next;
}
