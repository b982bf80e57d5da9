#include "ui/dialogs/region_overlay.h"

#include <wx/dc.h>

namespace {
constexpr int kHandle = 7;
}

void DrawRegionOverlay(wxDC& dc, const wxRect& picture, const wxRect& box)
{
    const int left = picture.x, top = picture.y;
    const int right = picture.GetRight() + 1, bottom = picture.GetBottom() + 1;
    // The outside dimmed in four bands around the region.
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxColour(0, 0, 0, 140)));
    dc.DrawRectangle(left, top, picture.width, box.y - top);
    dc.DrawRectangle(left, box.GetBottom() + 1, picture.width, bottom - box.GetBottom() - 1);
    dc.DrawRectangle(left, box.y, box.x - left, box.height);
    dc.DrawRectangle(box.GetRight() + 1, box.y, right - box.GetRight() - 1, box.height);
    // A white edge with a dark one inside shows on light and dark pictures alike.
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.SetPen(wxPen(*wxWHITE, 1));
    dc.DrawRectangle(box);
    dc.SetPen(wxPen(wxColour(40, 40, 40), 1));
    dc.DrawRectangle(wxRect(box).Deflate(1));
    dc.SetBrush(*wxWHITE_BRUSH);
    const int xs[] = {box.x, box.x + box.width / 2, box.GetRight()};
    const int ys[] = {box.y, box.y + box.height / 2, box.GetBottom()};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            if (i != 1 || j != 1)
                dc.DrawRectangle(xs[i] - kHandle / 2, ys[j] - kHandle / 2, kHandle, kHandle);
}

wxStockCursor RegionCursor(RegionGrip grip)
{
    switch (grip) {
    case RegionGrip::Move: return wxCURSOR_SIZING;
    case RegionGrip::Left:
    case RegionGrip::Right: return wxCURSOR_SIZEWE;
    case RegionGrip::Top:
    case RegionGrip::Bottom: return wxCURSOR_SIZENS;
    case RegionGrip::TopLeft:
    case RegionGrip::BottomRight: return wxCURSOR_SIZENWSE;
    case RegionGrip::TopRight:
    case RegionGrip::BottomLeft: return wxCURSOR_SIZENESW;
    case RegionGrip::None: break;
    }
    return wxCURSOR_CROSS;
}
