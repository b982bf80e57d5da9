// The preview's play rules on the document's numbers: which frame the next tick shows, how
// long it stays, how many loops have been played and when the play ends. The window keeps
// the timer and the drawing and does what the player says.
#pragma once

#include <optional>

class AnimationDocument;

// What a tick asks of the window.
struct PreviewTick {
    // The frame to show now; -1 for none (no frame left with a picture: the play is over).
    int shown = -1;
    // Whether the play goes on: the next tick comes after wait hundredths. When it doesn't,
    // the frame shown last stays on show.
    bool playing = false;
    int wait = 0;
};

class PreviewPlayer {
public:
    // Starts playing at from. Returns the hundredths until the first tick, which shows the
    // first frame at or after from that has a picture; none when there is no such frame, and
    // then the player stays stopped. The loops already played count on.
    std::optional<int> Start(const AnimationDocument& document, int from = 0);
    // Shows the next frame with a picture. Frames without one are skipped, so a loop ends
    // with the last frame that has one; after document.LoopCount() loops (0: never) the play
    // ends with that frame on show. A stopped player asks for nothing.
    PreviewTick Tick(const AnimationDocument& document);
    // Stops; the next start begins at the first frame, and the loops played are kept.
    void Stop();
    // The loops count from none again, as after a change of the loop setting.
    void ResetLoops() { m_loopsPlayed = 0; }

    bool Playing() const { return m_playing; }
    int LoopsPlayed() const { return m_loopsPlayed; }

private:
    // Where the next tick looks for a frame to show.
    int m_index = 0;
    int m_loopsPlayed = 0;
    bool m_playing = false;
};
