// The screen of a Wayland desktop, as its desktop portal shares it: the portal's own chooser
// asks the user for a monitor or a window (or, with a restore token from an earlier
// recording, doesn't ask again), and the pictures arrive through a PipeWire stream.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "core/screen/screen_source.h"

struct PortalRequest {
    bool pointer = true;        // the pointer drawn into the pictures
    std::string restoreToken;   // from the last recording; empty: the chooser asks
};

struct PortalOpening {
    std::unique_ptr<ScreenSource> source;  // null when it failed
    std::string restoreToken;  // to keep for the next recording (may be empty)
    bool refused = false;      // the user cancelled the portal's chooser
    std::string error;         // when it failed: a sentence (see screen_source.h)
};

// Asks the portal for a screen cast and connects to its stream; blocks until the user has
// chosen (or refused), the portal answered, or cancel is set. Safe on any thread: it runs
// its own main loop.
PortalOpening OpenPortalScreen(const PortalRequest& request, const std::atomic<bool>& cancel);
