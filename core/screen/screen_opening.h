// The screen of this session, opened the way the session allows (capture_backend.h).
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "core/screen/capture_backend.h"
#include "core/screen/screen_source.h"

struct ScreenOpening {
    std::unique_ptr<ScreenSource> source;  // null when it failed
    CaptureBackend backend = CaptureBackend::None;
    std::string restoreToken;  // the portal's, to keep for the next recording
    bool refused = false;      // the user refused the portal's request
    std::string error;         // a sentence (see screen_source.h) when it failed
};

// Opens the screen: the X server of DISPLAY, or on Wayland the portal (which may ask the user,
// and blocks until they answer or cancel is set). pointer: whether the portal draws the
// pointer into the pictures (X11 draws it per picture instead).
ScreenOpening OpenSessionScreen(bool pointer, const std::string& restoreToken,
                                const std::atomic<bool>& cancel);
