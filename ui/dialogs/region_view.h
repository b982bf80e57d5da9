// A still of the screen to record, scaled to fit, with the region drawn on it: the user drags
// the rectangle, its edges or its corner handles, or draws a new one; the outside is dimmed.
#pragma once

#include <functional>

#include <wx/bitmap.h>
#include <wx/window.h>

#include "core/screen/capture_region.h"
#include "core/record/region_editing.h"

class RegionView : public wxWindow {
public:
    // changed hears of every change the user makes (not of SetRegion's).
    RegionView(wxWindow* parent, std::function<void(const CaptureRect&)> changed);

    // still is the whole source, as large as the source; the region becomes the whole of it.
    void SetStill(const wxImage& still);
    void SetRegion(const CaptureRect& region);
    const CaptureRect& Region() const { return m_region; }
    // The source's size (0 x 0 before a still).
    int SourceWidth() const { return m_sourceWidth; }
    int SourceHeight() const { return m_sourceHeight; }
    // The point of the view that shows source pixel (x, y).
    wxPoint ViewPoint(int x, int y) const;

private:
    wxSize DoGetBestSize() const override;
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    // The source pixel under a point of the view.
    wxPoint SourcePoint(const wxPoint& view) const;
    wxRect ViewRect(const CaptureRect& region) const;
    void EndDrag();

    std::function<void(const CaptureRect&)> m_changed;
    wxBitmap m_bitmap;
    double m_scale = 1;
    int m_sourceWidth = 0, m_sourceHeight = 0;
    CaptureRect m_region;
    // The drag under way: the part held, where it started and the region then.
    bool m_dragging = false;
    RegionGrip m_grip = RegionGrip::None;
    wxPoint m_from;
    CaptureRect m_before;
};
