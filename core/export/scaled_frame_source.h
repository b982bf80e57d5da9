// Frames as they would show on one canvas, scaled down to a smaller one: the whole picture
// gets smaller, nothing is cut off.
#pragma once

#include <wx/gdicmn.h>

#include "core/document/canvas_edit.h"
#include "core/export/frame_source.h"

class ScaledFrameSource : public FrameSource {
public:
    // Each frame of inner is composed into canvas under edit (as the export makes it) and the
    // result scaled to scaled; an export of these frames takes ScaledEdit(edit). inner must
    // outlive this source.
    ScaledFrameSource(FrameSource& inner, const wxSize& canvas, const wxSize& scaled,
                      const CanvasEdit& edit = CanvasEdit())
        : m_inner(inner), m_canvas(canvas), m_scaled(scaled), m_edit(edit)
    {
    }
    int Count() const override { return m_inner.Count(); }
    bool Frame(int index, wxImage& frame, FrameError& error) override;

private:
    FrameSource& m_inner;
    const wxSize m_canvas;
    const wxSize m_scaled;
    const CanvasEdit m_edit;
};

// What is left of edit for frames made by a ScaledFrameSource, which are the output's pictures
// already: their background, which says whether clear pixels are kept.
CanvasEdit ScaledEdit(const CanvasEdit& edit);
