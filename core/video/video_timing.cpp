#include "core/video/video_timing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/gif/gif_limits.h"

namespace {

// Moments within a microsecond of the end are past it: fps steps add up rounding errors, and
// a frame at exactly the end would show the picture after the stretch.
constexpr double kTimeEpsilon = 1e-6;

// A run of decimal digits with an optional fraction, as a number; nothing for anything else
// (signs, exponents, spaces): strtod would take those and read "," by the locale.
std::optional<double> ParseDecimal(const std::string& text, bool fraction)
{
    if (text.empty())
        return std::nullopt;
    double whole = 0, scale = 1;
    bool digits = false, point = false;
    for (char c : text) {
        if (c == '.' && fraction && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (point) {
                scale /= 10;
                whole += (c - '0') * scale;
            } else {
                whole = whole * 10 + (c - '0');
            }
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    return whole;
}

} // namespace

int VideoFrameCount(const VideoSampling& sampling, double length)
{
    const double end = std::min(sampling.end, length);
    if (!(sampling.fps > 0) || !(end > sampling.start) || sampling.start < 0)
        return 0;
    const double span = (end - sampling.start) * sampling.fps;
    // The moments k / fps strictly before the end: ceil, less one for a span that is whole.
    const double count = std::ceil(span - kTimeEpsilon * sampling.fps);
    return count > 1e7 ? 10000000 : static_cast<int>(std::max(0.0, count));
}

double VideoFrameTime(const VideoSampling& sampling, int k)
{
    return sampling.start + k / sampling.fps;
}

long long VideoFrameMillis(const VideoSampling& sampling, int k)
{
    return std::llround(VideoFrameTime(sampling, k) * 1000);
}

std::vector<int> VideoFrameDelays(int count, double fps)
{
    std::vector<int> delays;
    if (count <= 0 || !(fps > 0))
        return delays;
    delays.reserve(static_cast<size_t>(count));
    long long shown = 0;
    for (int k = 0; k < count; ++k) {
        // Rounded up, so a frame is never cut short before the stretch catches up: 15 fps
        // gives 7, 7, 6 (totals 7, 14, 20).
        const long long total =
            static_cast<long long>(std::ceil((k + 1) * 100.0 / fps - kTimeEpsilon));
        delays.push_back(static_cast<int>(std::min<long long>(total - shown, kGifMaxDelay)));
        shown = total;
    }
    return delays;
}

std::optional<double> ParseClipTime(const std::string& text)
{
    std::vector<std::string> parts;
    size_t from = 0;
    for (;;) {
        const size_t colon = text.find(':', from);
        parts.push_back(text.substr(from, colon - from));
        if (colon == std::string::npos)
            break;
        from = colon + 1;
    }
    if (parts.size() > 3)
        return std::nullopt;
    double seconds = 0;
    for (size_t i = 0; i < parts.size(); ++i) {
        const bool last = i + 1 == parts.size();
        const std::optional<double> value = ParseDecimal(parts[i], last);
        if (!value)
            return std::nullopt;
        // Minutes and seconds after a colon are two digits below 60, as clocks write them.
        if (i > 0 && (*value >= 60 || parts[i].find('.') == 0 ||
                      parts[i].substr(0, parts[i].find('.')).size() != 2))
            return std::nullopt;
        seconds = seconds * 60 + *value;
    }
    return seconds;
}

std::string FormatClipTime(double seconds)
{
    const long long millis = std::llround(std::max(0.0, seconds) * 1000);
    std::string text = std::to_string(millis / 1000);
    if (millis % 1000 != 0) {
        std::string fraction = std::to_string(1000 + millis % 1000).substr(1);
        fraction.erase(fraction.find_last_not_of('0') + 1);
        text += "." + fraction;
    }
    return text;
}
