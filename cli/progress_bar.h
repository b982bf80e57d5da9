// The progress of an export as a bar on standard error, redrawn in place on a terminal.
#pragma once

#include <csignal>
#include <cstdio>

#include "core/export/gif_export.h"

class ProgressBar : public ExportProgressSink {
public:
    // Draws only when enabled (standard error is a terminal and the user didn't ask for quiet).
    // The export stops before the next frame once *interrupted is set (by a signal handler).
    ProgressBar(std::FILE* out, bool enabled, int frames, const volatile std::sig_atomic_t* interrupted);
    void Progress(int percent) override;
    bool StopRequested() override { return *m_interrupted != 0; }
    // Ends the bar's line, so that a following message starts on a line of its own.
    void Finish();

private:
    void Draw(int percent);

    std::FILE* m_out;
    const volatile std::sig_atomic_t* m_interrupted;
    bool m_enabled;
    int m_frames;
    int m_done = 0;
    bool m_drawn = false;
};
