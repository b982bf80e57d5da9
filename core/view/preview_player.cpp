#include "core/view/preview_player.h"

#include <algorithm>

#include "core/document/animation_document.h"

namespace {
// The first frame at or after index that has a picture; document.Count() when none does.
int NextShownFrame(const AnimationDocument& document, int index)
{
    while (index < document.Count() && document.IsMissing(index))
        ++index;
    return index;
}
}

std::optional<int> PreviewPlayer::Start(const AnimationDocument& document, int from)
{
    from = std::max(from, 0);
    const int first = NextShownFrame(document, from);
    if (first >= document.Count())
        return std::nullopt;
    m_index = from;
    m_playing = true;
    return PlayedDelay(document.EffectiveDelay(first));
}

PreviewTick PreviewPlayer::Tick(const AnimationDocument& document)
{
    if (!m_playing)
        return {};
    const int count = document.Count();
    const int shown = NextShownFrame(document, m_index);
    if (shown >= count) {
        Stop();
        return {};
    }
    m_index = NextShownFrame(document, shown + 1);
    if (m_index >= count) {
        ++m_loopsPlayed;
        m_index = 0;
        if (m_loopsPlayed == document.LoopCount()) {
            m_loopsPlayed = 0;
            m_playing = false;
            return {shown, false, 0};
        }
    }
    return {shown, true, PlayedDelay(document.EffectiveDelay(shown))};
}

void PreviewPlayer::Stop()
{
    m_index = 0;
    m_playing = false;
}
