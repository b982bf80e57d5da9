// The screen a recording reads, opened for the record dialog with a still of it: the X
// server's at once, the desktop portal's on a thread of its own, since the portal waits for
// the user's answer in its own chooser and the window must go on drawing meanwhile.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include <wx/image.h>
#include <wx/string.h>

#include "core/screen/portal_screen.h"
#include "core/screen/screen_source.h"

class wxEvtHandler;

struct OpenedScreen {
    std::unique_ptr<ScreenSource> source;  // null when it could not be opened
    wxImage still;                         // the whole source once, without the pointer
    std::string restoreToken;              // the portal's, for the next recording
    bool refused = false;                  // the user declined the portal's question
    std::string error;                     // why there is no source, in English
};

// The screen of $DISPLAY and its still.
OpenedScreen OpenX11ForRecording();

// Opens the session's screen (on Wayland the portal's) on a worker; done runs on the GUI thread, through owner's event
// queue, unless this goes first (which stops the worker and waits for it).
class PortalAsking {
public:
    PortalAsking(wxEvtHandler& owner, const PortalRequest& request,
                  std::function<void(std::shared_ptr<OpenedScreen>)> done);
    ~PortalAsking();
    PortalAsking(const PortalAsking&) = delete;
    PortalAsking& operator=(const PortalAsking&) = delete;

private:
    std::atomic<bool> m_cancel{false};
    std::thread m_thread;
};
