// The progress of an export as a bar on standard error, redrawn in place on a terminal.
#pragma once

#include <cstdio>

#include "src/window/gif_export.h"

class ProgressBar : public ExportProgressSink {
public:
    // Draws only when enabled (standard error is a terminal and the user didn't ask for quiet).
    ProgressBar(std::FILE* out, bool enabled, int frames);
    void Progress(int percent) override;
    // Ends the bar's line, so that a following message starts on a line of its own.
    void Finish();

private:
    void Draw(int percent);

    std::FILE* m_out;
    bool m_enabled;
    int m_frames;
    int m_done = 0;
    bool m_drawn = false;
};
