// Frames an export reads straight from the document's pictures, decoded on the worker that
// asks: the pictures are immutable and shared safely between threads, so nothing is copied on
// the GUI thread and the animation is never held decoded as a whole.
#pragma once

#include <vector>

#include "core/export/frame_source.h"
#include "core/picture/picture.h"

class PictureFrameSource : public FrameSource {
public:
    // The pictures in the order written; a null one is handed out as an image that is not ok.
    explicit PictureFrameSource(std::vector<PictureRef> pictures)
        : m_pictures(std::move(pictures))
    {
    }
    int Count() const override { return static_cast<int>(m_pictures.size()); }
    bool Frame(int index, wxImage& frame, FrameError& error) override;

private:
    std::vector<PictureRef> m_pictures;
};
