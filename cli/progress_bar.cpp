#include "progress_bar.h"

ProgressBar::ProgressBar(std::FILE* out, bool enabled, int frames,
                         const volatile std::sig_atomic_t* interrupted)
    : m_out(out), m_interrupted(interrupted), m_enabled(enabled), m_frames(frames)
{
    if (m_enabled)
        Draw(0);
}

void ProgressBar::Progress(int percent)
{
    ++m_done;
    if (m_enabled)
        Draw(percent);
}

void ProgressBar::Draw(int percent)
{
    constexpr int kWidth = 30;
    const int filled = percent * kWidth / 100;
    char bar[kWidth + 1];
    for (int i = 0; i < kWidth; ++i)
        bar[i] = i < filled ? '#' : '-';
    bar[kWidth] = '\0';
    std::fprintf(m_out, "\r[%s] %3d%%  frame %d of %d", bar, percent, m_done, m_frames);
    std::fflush(m_out);
    m_drawn = true;
}

void ProgressBar::Finish()
{
    if (m_drawn) {
        std::fputc('\n', m_out);
        std::fflush(m_out);
        m_drawn = false;
    }
}
