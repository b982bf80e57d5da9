// Some frames of another source, in order: the rest are read and let go, since a source of
// files gives its frames only one after the other (a GIF's frames build on each other).
#pragma once

#include <memory>
#include <vector>

#include "core/export/frame_source.h"

class KeptFrameSource : public FrameSource {
public:
    // kept: positions in source, ascending.
    KeptFrameSource(std::unique_ptr<FrameSource> source, std::vector<int> kept)
        : m_source(std::move(source)), m_kept(std::move(kept))
    {
    }
    int Count() const override { return static_cast<int>(m_kept.size()); }
    bool Frame(int index, wxImage& frame, FrameError& error) override;

private:
    std::unique_ptr<FrameSource> m_source;
    std::vector<int> m_kept;
    int m_next = 0;  // the source's next frame
};

// The share of differing pixels of each of source's frames and the one before it, as
// ConsecutiveDifferences gives them for pictures, counted up to limit; reads every frame of
// source once. False, with error, when a frame can't be read.
bool SourceDifferences(FrameSource& source, double limit, std::vector<double>& shares,
                       FrameError& error);
