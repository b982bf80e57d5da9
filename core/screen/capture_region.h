// The rectangle of a screen that a recording takes, and how it is written on a command line
// ("WxH+X+Y", as X11 geometries are).
#pragma once

#include <optional>
#include <string>

struct CaptureRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const CaptureRect& o) const
    {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
    bool operator!=(const CaptureRect& o) const { return !(*this == o); }
    bool Empty() const { return width <= 0 || height <= 0; }
};

// "WxH+X+Y" (W and H positive, X and Y not negative, decimal digits only); nothing for any
// other text.
std::optional<CaptureRect> ParseGeometry(const std::string& text);
// The rectangle as "WxH+X+Y".
std::string FormatGeometry(const CaptureRect& rect);

// Whether region can be recorded from a source of width x height pixels.
enum class RegionFit {
    Inside,   // wholly inside the source
    Empty,    // a side is zero
    Outside,  // reaches past the source's edge
};
RegionFit FitRegion(const CaptureRect& region, int width, int height);

// The whole source of width x height.
inline CaptureRect WholeSource(int width, int height) { return {0, 0, width, height}; }
