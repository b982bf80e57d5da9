// A rectangle of whole pixels, and how it is written on a command line or in a file
// ("WxH+X+Y", as X11 geometries are).
#pragma once

#include <optional>
#include <string>

struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const PixelRect& o) const
    {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
    bool operator!=(const PixelRect& o) const { return !(*this == o); }
    bool Empty() const { return width <= 0 || height <= 0; }
};

// "WxH+X+Y" (W and H positive, X and Y not negative, decimal digits only); nothing for any
// other text.
std::optional<PixelRect> ParseGeometry(const std::string& text);
// The rectangle as "WxH+X+Y".
std::string FormatGeometry(const PixelRect& rect);

// Whether a rectangle lies within a picture of width x height pixels.
enum class RegionFit {
    Inside,   // wholly inside the picture
    Empty,    // a side is zero
    Outside,  // reaches past the picture's edge
};
RegionFit FitRegion(const PixelRect& region, int width, int height);

// The whole picture of width x height.
inline PixelRect WholeSource(int width, int height) { return {0, 0, width, height}; }
