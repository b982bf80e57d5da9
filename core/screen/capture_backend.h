// Which way a recording reaches the screen, from the environment of the session: on Wayland
// through the desktop portal (never X11, whose server there is a compatibility layer that
// shows only its own clients and gives black for the rest), else the X server of DISPLAY.
#pragma once

#include <string>

enum class CaptureBackend { None, X11, Portal };

struct SessionEnvironment {
    std::string waylandDisplay;  // WAYLAND_DISPLAY
    std::string sessionType;     // XDG_SESSION_TYPE
    std::string display;         // DISPLAY
};

CaptureBackend ChooseCaptureBackend(const SessionEnvironment& environment);
// The environment of this process.
SessionEnvironment CurrentSessionEnvironment();
