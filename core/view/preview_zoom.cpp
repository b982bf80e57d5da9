#include "core/view/preview_zoom.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/view/canvas_math.h"

namespace {
double Scale(int percent)
{
    return percent / 100.0;
}

// One axis of a zoomed picture: at least a pixel, in the range an int holds.
int ZoomedSide(int side, double scale)
{
    return static_cast<int>(std::clamp(std::lround(side * scale), 1L, 1L << 30));
}

// Source pixels [first, last) of a picture side of n pixels drawn over length pixels from
// start, that fall within 0..view; the drawn span of them as [from, to).
struct AxisPart {
    int first = 0, last = 0, from = 0, to = 0;
};
AxisPart VisibleAxis(int start, int length, int view, int n)
{
    AxisPart part;
    const int64_t seenFrom = std::max(0, start) - int64_t{start};
    const int64_t seenTo = std::min<int64_t>(view, int64_t{start} + length) - start;
    if (length <= 0 || n <= 0 || seenTo <= seenFrom)
        return part;
    part.first = static_cast<int>(std::clamp<int64_t>(seenFrom * n / length, 0, n));
    part.last = static_cast<int>(std::clamp<int64_t>((seenTo * n + length - 1) / length, 0, n));
    part.from = static_cast<int>(start + int64_t{part.first} * length / n);
    part.to = static_cast<int>(start + int64_t{part.last} * length / n);
    return part;
}

int KeepAxis(int placedFrom, int placedLength, int scroll, int newFrom, int newLength,
             int scrolled, int view, int pointer)
{
    const int64_t onPicture = std::clamp<int64_t>(int64_t{scroll} + pointer - placedFrom, 0,
                                                  std::max(0, placedLength));
    const int64_t moved = placedLength > 0 ? onPicture * newLength / placedLength : 0;
    const int64_t wanted = newFrom + moved - pointer;
    return static_cast<int>(std::clamp<int64_t>(wanted, 0, std::max(0, scrolled - view)));
}
}

const std::vector<int>& ZoomLevels()
{
    static const std::vector<int> levels{50, 100, 200, 400};
    return levels;
}

int ValidZoom(int zoom)
{
    const std::vector<int>& levels = ZoomLevels();
    return std::find(levels.begin(), levels.end(), zoom) != levels.end() ? zoom : kZoomFit;
}

double ZoomScale(int zoom, const wxSize& view, const wxSize& picture)
{
    if (zoom != kZoomFit)
        return Scale(zoom);
    if (picture.x <= 0 || picture.y <= 0)
        return 1;
    return std::min({1.0, static_cast<double>(view.x) / picture.x,
                     static_cast<double>(view.y) / picture.y});
}

int StepZoom(int zoom, int steps, double fitScale)
{
    // Every level by its scale; fit only where no fixed level has its scale.
    std::vector<std::pair<double, int>> ladder;
    for (int level : ZoomLevels())
        ladder.emplace_back(Scale(level), level);
    const bool fitOwnScale = std::none_of(ladder.begin(), ladder.end(), [&](const auto& rung) {
        return std::abs(rung.first - fitScale) < 1e-9;
    });
    if (fitOwnScale)
        ladder.emplace_back(fitScale, kZoomFit);
    std::sort(ladder.begin(), ladder.end());
    const double now = zoom == kZoomFit ? fitScale : Scale(zoom);
    // The rung at the current scale (fit at a fixed level's scale stands on that level).
    int at = 0;
    for (size_t i = 0; i < ladder.size(); ++i)
        if (std::abs(ladder[i].first - now) < 1e-9)
            at = static_cast<int>(i);
    const int to = std::clamp(at + steps, 0, static_cast<int>(ladder.size()) - 1);
    return to == at ? zoom : ladder[to].second;
}

PreviewLayout LayOutPreview(int zoom, const wxSize& view, const wxSize& picture)
{
    PreviewLayout layout;
    if (picture.x <= 0 || picture.y <= 0)
        return layout;
    if (zoom == kZoomFit) {
        layout.picture = PreviewPlacement(view, picture);
        return layout;
    }
    const double scale = Scale(zoom);
    const wxSize zoomed(ZoomedSide(picture.x, scale), ZoomedSide(picture.y, scale));
    if (zoomed.x > view.x || zoomed.y > view.y)
        layout.scrolled = zoomed;
    layout.picture = wxRect(wxPoint(std::max(0, (view.x - zoomed.x) / 2),
                                    std::max(0, (view.y - zoomed.y) / 2)),
                            zoomed);
    return layout;
}

VisiblePart VisiblePicturePart(const wxRect& placed, const wxSize& view, const wxSize& picture)
{
    const AxisPart x = VisibleAxis(placed.x, placed.width, view.x, picture.x);
    const AxisPart y = VisibleAxis(placed.y, placed.height, view.y, picture.y);
    if (x.last <= x.first || y.last <= y.first)
        return {};
    return {wxRect(x.first, y.first, x.last - x.first, y.last - y.first),
            wxRect(x.from, y.from, x.to - x.from, y.to - y.from)};
}

wxPoint ScrollKeepingPoint(const PreviewLayout& before, const wxPoint& scroll,
                           const PreviewLayout& after, const wxSize& view, const wxPoint& pointer)
{
    const wxRect& from = before.picture;
    const wxRect& to = after.picture;
    return wxPoint(KeepAxis(from.x, from.width, scroll.x, to.x, to.width, after.scrolled.x,
                            view.x, pointer.x),
                   KeepAxis(from.y, from.height, scroll.y, to.y, to.height, after.scrolled.y,
                            view.y, pointer.y));
}
