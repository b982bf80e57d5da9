// Frames as they would show on one canvas, scaled down to a smaller one: the whole picture
// gets smaller, nothing is cut off.
#pragma once

#include <wx/gdicmn.h>

#include "core/export/frame_source.h"

class ScaledFrameSource : public FrameSource {
public:
    // Each frame of inner is composed into canvas (as the export places it) and the result
    // scaled to scaled. inner must outlive this source.
    ScaledFrameSource(FrameSource& inner, const wxSize& canvas, const wxSize& scaled)
        : m_inner(inner), m_canvas(canvas), m_scaled(scaled)
    {
    }
    int Count() const override { return m_inner.Count(); }
    bool Frame(int index, wxImage& frame, FrameError& error) override;

private:
    FrameSource& m_inner;
    const wxSize m_canvas;
    const wxSize m_scaled;
};
