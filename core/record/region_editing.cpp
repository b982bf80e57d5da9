#include "core/record/region_editing.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

bool Near(int value, int edge, int reach)
{
    return std::abs(value - edge) <= reach;
}

// side * num / den, rounded, at least 1.
int64_t Follow(int64_t side, int num, int den)
{
    return std::max<int64_t>(1, (side * num + den / 2) / den);
}

bool IsCorner(RegionGrip grip)
{
    return grip == RegionGrip::TopLeft || grip == RegionGrip::TopRight ||
           grip == RegionGrip::BottomLeft || grip == RegionGrip::BottomRight;
}

} // namespace

RegionGrip GripAt(const CaptureRect& region, int x, int y, int reach)
{
    const int right = region.x + region.width, bottom = region.y + region.height;
    const bool withinX = x >= region.x - reach && x <= right + reach;
    const bool withinY = y >= region.y - reach && y <= bottom + reach;
    if (!withinX || !withinY)
        return RegionGrip::None;
    const bool left = Near(x, region.x, reach), rightEdge = Near(x, right, reach);
    const bool top = Near(y, region.y, reach), bottomEdge = Near(y, bottom, reach);
    if (top && left)
        return RegionGrip::TopLeft;
    if (top && rightEdge)
        return RegionGrip::TopRight;
    if (bottomEdge && left)
        return RegionGrip::BottomLeft;
    if (bottomEdge && rightEdge)
        return RegionGrip::BottomRight;
    if (left)
        return RegionGrip::Left;
    if (rightEdge)
        return RegionGrip::Right;
    if (top)
        return RegionGrip::Top;
    if (bottomEdge)
        return RegionGrip::Bottom;
    const bool inside = x > region.x && x < right && y > region.y && y < bottom;
    return inside ? RegionGrip::Move : RegionGrip::None;
}

CaptureRect DragRegion(const CaptureRect& region, RegionGrip grip, int fromX, int fromY,
                       int toX, int toY, int width, int height)
{
    toX = std::clamp(toX, 0, width);
    toY = std::clamp(toY, 0, height);
    if (grip == RegionGrip::None) {
        fromX = std::clamp(fromX, 0, width);
        fromY = std::clamp(fromY, 0, height);
        return ClampRegion({std::min(fromX, toX), std::min(fromY, toY),
                            std::abs(toX - fromX), std::abs(toY - fromY)},
                           width, height);
    }
    if (grip == RegionGrip::Move) {
        CaptureRect moved = region;
        moved.x = std::clamp(region.x + toX - fromX, 0, width - region.width);
        moved.y = std::clamp(region.y + toY - fromY, 0, height - region.height);
        return moved;
    }
    int left = region.x, top = region.y;
    int right = region.x + region.width, bottom = region.y + region.height;
    const int dx = toX - fromX, dy = toY - fromY;
    const bool movesLeft = grip == RegionGrip::Left || grip == RegionGrip::TopLeft ||
                           grip == RegionGrip::BottomLeft;
    const bool movesRight = grip == RegionGrip::Right || grip == RegionGrip::TopRight ||
                            grip == RegionGrip::BottomRight;
    const bool movesTop = grip == RegionGrip::Top || grip == RegionGrip::TopLeft ||
                          grip == RegionGrip::TopRight;
    const bool movesBottom = grip == RegionGrip::Bottom || grip == RegionGrip::BottomLeft ||
                             grip == RegionGrip::BottomRight;
    if (movesLeft)
        left = std::clamp(left + dx, 0, right - 1);
    if (movesRight)
        right = std::clamp(right + dx, left + 1, width);
    if (movesTop)
        top = std::clamp(top + dy, 0, bottom - 1);
    if (movesBottom)
        bottom = std::clamp(bottom + dy, top + 1, height);
    return {left, top, right - left, bottom - top};
}

CaptureRect KeepProportion(const CaptureRect& region, RegionGrip grip, int ratioW, int ratioH,
                           int width, int height)
{
    if (ratioW < 1 || ratioH < 1 || grip == RegionGrip::None || grip == RegionGrip::Move)
        return region;
    const bool corner = IsCorner(grip);
    const bool across = grip == RegionGrip::Left || grip == RegionGrip::Right;
    const bool leftward = grip == RegionGrip::Left || grip == RegionGrip::TopLeft ||
                          grip == RegionGrip::BottomLeft;
    const bool upward = grip == RegionGrip::Top || grip == RegionGrip::TopLeft ||
                        grip == RegionGrip::TopRight;
    const int right = region.x + region.width, bottom = region.y + region.height;
    // The room from the side that stays put; an edge's other side may take the whole source.
    const int64_t maxW = corner || across ? (leftward ? right : width - region.x) : width;
    const int64_t maxH = corner || !across ? (upward ? bottom : height - region.y) : height;
    int64_t w = region.width, h = region.height;
    if (across || (corner && w * ratioH >= h * ratioW))
        h = Follow(w, ratioH, ratioW);
    else
        w = Follow(h, ratioW, ratioH);
    if (w > maxW)
        w = maxW, h = Follow(w, ratioH, ratioW);
    if (h > maxH)
        h = maxH, w = Follow(h, ratioW, ratioH);
    w = std::clamp<int64_t>(w, 1, std::max<int64_t>(1, maxW));
    h = std::clamp<int64_t>(h, 1, std::max<int64_t>(1, maxH));
    CaptureRect kept{region.x, region.y, static_cast<int>(w), static_cast<int>(h)};
    if (corner || across)
        kept.x = leftward ? right - kept.width : region.x;
    else
        kept.x = std::clamp(region.x, 0, std::max(0, width - kept.width));
    if (corner || !across)
        kept.y = upward ? bottom - kept.height : region.y;
    else
        kept.y = std::clamp(region.y, 0, std::max(0, height - kept.height));
    return kept;
}

CaptureRect DragRegionKeeping(const CaptureRect& region, RegionGrip grip, int fromX, int fromY,
                              int toX, int toY, int width, int height, int ratioW, int ratioH)
{
    const CaptureRect dragged = DragRegion(region, grip, fromX, fromY, toX, toY, width, height);
    // A new rectangle grows from where the drag started, toward the pointer's corner.
    if (grip == RegionGrip::None) {
        const bool left = toX < fromX, up = toY < fromY;
        grip = up ? (left ? RegionGrip::TopLeft : RegionGrip::TopRight)
                  : (left ? RegionGrip::BottomLeft : RegionGrip::BottomRight);
    }
    return KeepProportion(dragged, grip, ratioW, ratioH, width, height);
}

CaptureRect FitProportion(const CaptureRect& region, int ratioW, int ratioH)
{
    if (ratioW < 1 || ratioH < 1)
        return region;
    int64_t w = region.width, h = region.height;
    // Rounded down, so the result stays inside.
    if (w * ratioH > h * ratioW)
        w = std::max<int64_t>(1, h * ratioW / ratioH);
    else
        h = std::max<int64_t>(1, w * ratioH / ratioW);
    return {region.x + static_cast<int>((region.width - w) / 2),
            region.y + static_cast<int>((region.height - h) / 2), static_cast<int>(w),
            static_cast<int>(h)};
}

CaptureRect ClampRegion(const CaptureRect& region, int width, int height)
{
    CaptureRect clamped;
    clamped.x = std::clamp(region.x, 0, std::max(0, width - 1));
    clamped.y = std::clamp(region.y, 0, std::max(0, height - 1));
    clamped.width = std::clamp(region.width, 1, std::max(1, width - clamped.x));
    clamped.height = std::clamp(region.height, 1, std::max(1, height - clamped.y));
    return clamped;
}

bool PlaceOutside(const CaptureRect& region, int screenWidth, int screenHeight, int width,
                  int height, int margin, int& x, int& y)
{
    // Centred along the side it goes to, as far as the screen allows.
    const int alongX = std::clamp(region.x + (region.width - width) / 2, 0,
                                  std::max(0, screenWidth - width));
    const int alongY = std::clamp(region.y + (region.height - height) / 2, 0,
                                  std::max(0, screenHeight - height));
    const int below = region.y + region.height + margin;
    const int above = region.y - margin - height;
    const int right = region.x + region.width + margin;
    const int left = region.x - margin - width;
    const bool fitsAcross = width <= screenWidth, fitsDown = height <= screenHeight;
    if (fitsAcross && below + height <= screenHeight) {
        x = alongX, y = below;
    } else if (fitsAcross && above >= 0) {
        x = alongX, y = above;
    } else if (fitsDown && right + width <= screenWidth) {
        x = right, y = alongY;
    } else if (fitsDown && left >= 0) {
        x = left, y = alongY;
    } else {
        return false;
    }
    return true;
}
