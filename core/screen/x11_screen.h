// The screen of an X server, read through its shared-memory extension (one copy into memory
// we share with the server, no round trip of the pixels through the socket), with the
// pointer's picture drawn in from the fixes extension.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/screen/screen_source.h"

// The screen of display (empty: $DISPLAY); null with a sentence in error when the server
// can't be reached.
std::unique_ptr<ScreenSource> OpenX11Screen(const std::string& display, std::string& error);

// A top-level window the user may record, in root coordinates (its frame left out).
struct X11Window {
    unsigned long id = 0;
    std::string title;  // UTF-8
    CaptureRect area;
};
// The windows the window manager lists (_NET_CLIENT_LIST), visible ones only, topmost first.
std::vector<X11Window> ListX11Windows(const std::string& display);
// Waits for the user to click a window (the pointer turns into a cross), up to timeoutMs;
// nothing when the pointer can't be grabbed, the time passes, or a key is pressed.
std::optional<X11Window> PickX11Window(const std::string& display, int timeoutMs);
