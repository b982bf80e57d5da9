#include "core/screen/screen_opening.h"

#include <wx/intl.h>

#include "core/screen/portal_screen.h"
#include "core/screen/x11_screen.h"

ScreenOpening OpenSessionScreen(bool pointer, const std::string& restoreToken,
                                const std::atomic<bool>& cancel)
{
    ScreenOpening opening;
    opening.backend = ChooseCaptureBackend(CurrentSessionEnvironment());
    switch (opening.backend) {
    case CaptureBackend::None:
        opening.error = _("There is no display to record: neither DISPLAY nor WAYLAND_DISPLAY "
                          "is set.")
                            .utf8_string();
        break;
    case CaptureBackend::X11:
        opening.source = OpenX11Screen("", opening.error);
        break;
    case CaptureBackend::Portal: {
        PortalRequest request;
        request.pointer = pointer;
        request.restoreToken = restoreToken;
        PortalOpening portal = OpenPortalScreen(request, cancel);
        opening.source = std::move(portal.source);
        opening.restoreToken = std::move(portal.restoreToken);
        opening.refused = portal.refused;
        opening.error = std::move(portal.error);
        break;
    }
    }
    return opening;
}
