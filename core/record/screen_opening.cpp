#include "core/record/screen_opening.h"

#include "core/record/x11_screen.h"

ScreenOpening OpenSessionScreen(bool, const std::string&, const std::atomic<bool>&)
{
    ScreenOpening opening;
    opening.backend = ChooseCaptureBackend(CurrentSessionEnvironment());
    switch (opening.backend) {
    case CaptureBackend::None:
        opening.error = "There is no display to record: neither DISPLAY nor WAYLAND_DISPLAY "
                        "is set.";
        break;
    case CaptureBackend::X11:
        opening.source = OpenX11Screen("", opening.error);
        break;
    case CaptureBackend::Portal:
        opening.error = "Recording a Wayland desktop is not available in this build.";
        break;
    }
    return opening;
}
