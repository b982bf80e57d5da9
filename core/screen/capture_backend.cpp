#include "core/screen/capture_backend.h"

#include <cstdlib>

CaptureBackend ChooseCaptureBackend(const SessionEnvironment& environment)
{
    if (!environment.waylandDisplay.empty() || environment.sessionType == "wayland")
        return CaptureBackend::Portal;
    if (!environment.display.empty())
        return CaptureBackend::X11;
    return CaptureBackend::None;
}

SessionEnvironment CurrentSessionEnvironment()
{
    const auto read = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
    };
    return {read("WAYLAND_DISPLAY"), read("XDG_SESSION_TYPE"), read("DISPLAY")};
}
