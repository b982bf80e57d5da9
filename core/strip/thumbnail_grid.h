// Tile layout of the frame strip on plain numbers: fixed-size cells that fill the client width
// row by row and grow downward, scrolled vertically only, in units of kScrollUnit pixels.
// Every rectangle here is logical (unscrolled) unless a function says otherwise; the control
// subtracts its scroll position. No window is needed, so the unit tests use it directly.
#pragma once

#include <wx/gdicmn.h>

// The parts of one tile, from the top: margin, caption (the frame's name), margin, thumbnail
// box, margin, label (its number and start time, on one or more lines), margin. The tile is as
// wide as the box or the label, whichever is wider, plus a margin either side.
struct TileMetrics {
    int thumbWidth = 80;
    int thumbHeight = 80;
    int margin = 3;
    int spacing = 3;      // between tiles, and between the tiles and the control's edge
    int captionHeight = 0;
    int labelHeight = 0;  // every line of the label; 0 for a strip without labels
    int labelWidth = 0;   // the widest label line

    wxSize ItemSize() const;
};

class ThumbnailGrid {
public:
    static constexpr int kScrollUnit = 10;

    explicit ThumbnailGrid(const TileMetrics& metrics);

    // Tiles per row; at least 1, so a control narrower than one tile still shows a column.
    int Columns(int clientWidth) const;
    // Full rows that fit in the client height; at least 1.
    int PageRows(int clientHeight) const;
    void RowCol(int index, int clientWidth, int& row, int& col) const;

    wxRect ItemRect(int index, int clientWidth) const;
    // The thumbnail box, the caption and the label inside a tile rectangle (of either
    // coordinate system).
    wxRect ImageRect(const wxRect& itemRect) const;
    wxRect CaptionRect(const wxRect& itemRect) const;
    wxRect LabelRect(const wxRect& itemRect) const;

    // Height of the laid-out content, spacing below the last row included; 0 when empty.
    int ContentHeight(int count, int clientWidth) const;
    // Vertical scroll units covering the whole content. Rounded up: rounding down would leave
    // the bottom pixels of the last row out of reach.
    int ScrollUnits(int count, int clientWidth) const;
    // The view start (in units) brought back into range after the content or the view changed.
    int ClampStart(int startUnit, int count, int clientWidth, int clientHeight) const;

    // The item under a client point with the view scrolled down by scrollY pixels, or -1 for
    // none: the spacing between tiles, the blank area right of the last column and the area
    // below the last item all hit nothing.
    int HitTest(const wxPoint& client, int scrollY, int count, int clientWidth) const;

    // The view start (in units) that brings the item wholly into view, or -1 when it is in
    // view already. Moving backward prefers showing the tile's top, forward its bottom; the
    // two differ only for a tile taller than the view.
    int ScrollTarget(int index, int startUnit, const wxSize& client, bool backward) const;

    // First and last index of the items whose rows meet the logical band [top, bottom);
    // last < first when none.
    void ItemsInBand(int top, int bottom, int count, int clientWidth, int& first,
                     int& last) const;

    // The item a navigation key moves to from current, or -1 when the key moves nowhere
    // (past either end with the arrows, or a key that does not navigate). current must be a
    // valid index.
    int NavigationTarget(int keyCode, int current, int count, const wxSize& client) const;
    static bool IsBackwardKey(int keyCode);
    static bool IsNavigationKey(int keyCode);

    int ItemWidth() const { return m_itemWidth; }
    int ItemHeight() const { return m_itemHeight; }
    int Spacing() const { return m_spacing; }
    // A tile with the spacing that follows it.
    int CellWidth() const { return m_itemWidth + m_spacing; }
    int CellHeight() const { return m_itemHeight + m_spacing; }

private:
    TileMetrics m_metrics;
    int m_itemWidth;
    int m_itemHeight;
    int m_spacing;
};
