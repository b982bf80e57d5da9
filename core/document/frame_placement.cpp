#include "core/document/frame_placement.h"

#include <algorithm>
#include <cstdint>

namespace {

struct ModeName {
    FitMode mode;
    const char* name;
};
constexpr ModeName kModeNames[] = {
    {FitMode::Shrink, "shrink"}, {FitMode::Fit, "fit"},         {FitMode::Fill, "fill"},
    {FitMode::Stretch, "stretch"}, {FitMode::Centre, "centre"}, {FitMode::Centre, "center"},
};

// The frame scaled so that the side chosen by cover (the covering one, else the limiting one)
// gets the canvas size exactly; the other side truncated (fit) or rounded up (cover).
wxSize ScaledProportionally(int64_t fw, int64_t fh, int64_t cw, int64_t ch, bool cover)
{
    // Comparing the cross products decides which side sets the scale without rounding.
    const bool widthSets = (cw * fh <= ch * fw) != cover;
    const auto scaled = [cover](int64_t side, int64_t to, int64_t from) {
        const int64_t v = cover ? (side * to + from - 1) / from : side * to / from;
        return static_cast<int>(std::clamp<int64_t>(v, 1, INT32_MAX));
    };
    if (widthSets)
        return wxSize(static_cast<int>(cw), scaled(fh, cw, fw));
    return wxSize(scaled(fw, ch, fh), static_cast<int>(ch));
}

} // namespace

const char* FitModeName(FitMode mode)
{
    for (const ModeName& m : kModeNames)
        if (m.mode == mode)
            return m.name;
    return "shrink";
}

std::optional<FitMode> FitModeNamed(const std::string& name)
{
    for (const ModeName& m : kModeNames)
        if (name == m.name)
            return m.mode;
    return std::nullopt;
}

FramePlacement PlaceFrame(const wxSize& frame, const wxSize& canvas)
{
    FramePlacement p;
    p.size = frame;
    if (frame.x > 0 && frame.y > 0 && (frame.x > canvas.x || frame.y > canvas.y)) {
        p.shrunk = true;
        p.size = ScaledProportionally(frame.x, frame.y, canvas.x, canvas.y, false);
    }
    p.origin = wxPoint((canvas.x - p.size.x) / 2, (canvas.y - p.size.y) / 2);
    return p;
}

FramePlacement PlaceFrameIn(const wxSize& frame, const wxSize& canvas, FitMode mode)
{
    if (frame.x <= 0 || frame.y <= 0 || canvas.x <= 0 || canvas.y <= 0)
        return FramePlacement{false, wxSize(0, 0), wxPoint(0, 0)};
    if (mode == FitMode::Shrink)
        return PlaceFrame(frame, canvas);
    FramePlacement p;
    switch (mode) {
    case FitMode::Fit:
    case FitMode::Fill:
        p.size = ScaledProportionally(frame.x, frame.y, canvas.x, canvas.y, mode == FitMode::Fill);
        break;
    case FitMode::Stretch:
        p.size = canvas;
        break;
    default:
        p.size = frame;
        break;
    }
    p.shrunk = p.size != frame;
    p.origin = wxPoint((canvas.x - p.size.x) / 2, (canvas.y - p.size.y) / 2);
    return p;
}
