#include "core/document/canvas_edit.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include <wx/colour.h>

namespace {

// rect turned clockwise by a quarter with the picture of size base it lies in.
PixelRect TurnedRect(const PixelRect& rect, const wxSize& base)
{
    return PixelRect{base.y - rect.y - rect.height, rect.x, rect.height, rect.width};
}

int FloorDiv(int64_t a, int64_t b)
{
    return static_cast<int>(a >= 0 ? a / b : -((-a + b - 1) / b));
}

int CeilDiv(int64_t a, int64_t b)
{
    return static_cast<int>(a >= 0 ? (a + b - 1) / b : -(-a / b));
}

PixelRect Intersection(const PixelRect& a, const PixelRect& b)
{
    const int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
    const int64_t x1 = std::min<int64_t>(int64_t{a.x} + a.width, int64_t{b.x} + b.width);
    const int64_t y1 = std::min<int64_t>(int64_t{a.y} + a.height, int64_t{b.y} + b.height);
    if (x1 <= x0 || y1 <= y0)
        return PixelRect{};
    return PixelRect{x0, y0, static_cast<int>(x1 - x0), static_cast<int>(y1 - y0)};
}

} // namespace

std::string BackgroundText(const Background& background)
{
    if (background.transparent)
        return "transparent";
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", background.red, background.green,
                  background.blue);
    return text;
}

std::optional<Background> ReadBackground(const std::string& text)
{
    if (text == "transparent")
        return Background{true};
    // The toolkit reads "#rrggbb", "rgb(r, g, b)" and the colour names it knows.
    wxColour colour;
    if (text.empty() || !colour.Set(wxString::FromUTF8(text)) || !colour.IsOk())
        return std::nullopt;
    return Background{false, colour.Red(), colour.Green(), colour.Blue()};
}

wxSize OrientedSize(const wxSize& picture, const Orientation& orientation)
{
    return orientation.quarterTurns % 2 ? wxSize(picture.y, picture.x) : picture;
}

EditedCanvas Turned(const EditedCanvas& state, int quarterTurns)
{
    const int turns = ((quarterTurns % 4) + 4) % 4;
    EditedCanvas out = state;
    Orientation& o = out.edit.orientation;
    o.quarterTurns = (o.quarterTurns + turns) % 4;
    for (int i = 0; i < turns; ++i) {
        if (out.edit.Cropped()) {
            out.edit.crop = TurnedRect(out.edit.crop, out.edit.cropBase);
            out.edit.cropBase = wxSize(out.edit.cropBase.y, out.edit.cropBase.x);
        }
        out.canvas = wxSize(out.canvas.y, out.canvas.x);
    }
    return out;
}

EditedCanvas Mirrored(const EditedCanvas& state, bool leftRight)
{
    EditedCanvas out = state;
    // A mirror after turning t times is a mirror before turning -t times (left to right), or
    // 2 - t times (top to bottom, which is left to right and a half turn).
    Orientation& o = out.edit.orientation;
    o.quarterTurns = ((leftRight ? 4 : 6) - o.quarterTurns) % 4;
    o.mirrored = !o.mirrored;
    if (out.edit.Cropped()) {
        PixelRect& r = out.edit.crop;
        if (leftRight)
            r.x = out.edit.cropBase.x - r.x - r.width;
        else
            r.y = out.edit.cropBase.y - r.y - r.height;
    }
    return out;
}

FramePlacement CropPlacement(const EditedCanvas& state)
{
    if (!state.edit.Cropped())
        return FramePlacement{false, state.canvas, wxPoint(0, 0)};
    return PlaceFrameIn(wxSize(state.edit.crop.width, state.edit.crop.height), state.canvas,
                        state.edit.fit);
}

std::optional<EditedCanvas> CroppedTo(const EditedCanvas& state, const PixelRect& shown)
{
    const FramePlacement placed = CropPlacement(state);
    const PixelRect canvas{0, 0, state.canvas.x, state.canvas.y};
    const PixelRect picture{placed.origin.x, placed.origin.y, placed.size.x, placed.size.y};
    const PixelRect kept = Intersection(Intersection(shown, canvas), picture);
    if (kept.Empty())
        return std::nullopt;
    EditedCanvas out = state;
    out.canvas = wxSize(kept.width, kept.height);
    if (!state.edit.Cropped()) {
        out.edit.cropBase = state.canvas;
        out.edit.crop = kept;
        return out;
    }
    // The kept part in the crop's own pixels: the placement scaled it, so its edges are
    // rounded outwards, never losing a pixel the user saw.
    const PixelRect& crop = state.edit.crop;
    const int64_t left = kept.x - picture.x, top = kept.y - picture.y;
    const int x0 = FloorDiv(left * crop.width, picture.width);
    const int y0 = FloorDiv(top * crop.height, picture.height);
    const int x1 = CeilDiv((left + kept.width) * crop.width, picture.width);
    const int y1 = CeilDiv((top + kept.height) * crop.height, picture.height);
    const PixelRect inCrop =
        Intersection(PixelRect{x0, y0, x1 - x0, y1 - y0}, PixelRect{0, 0, crop.width, crop.height});
    if (inCrop.Empty())
        return std::nullopt;
    out.edit.crop = PixelRect{crop.x + inCrop.x, crop.y + inCrop.y, inCrop.width, inCrop.height};
    return out;
}

std::optional<std::string> CropProblem(const PixelRect& rect, const wxSize& canvas)
{
    switch (FitRegion(rect, canvas.x, canvas.y)) {
    case RegionFit::Inside:
        return std::nullopt;
    case RegionFit::Empty:
        return std::string("the crop has no width or no height");
    default: {
        char text[160];
        std::snprintf(text, sizeof text, "the crop %s reaches past the %dx%d picture",
                      FormatGeometry(rect).c_str(), canvas.x, canvas.y);
        return std::string(text);
    }
    }
}
