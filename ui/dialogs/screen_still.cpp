#include "ui/dialogs/screen_still.h"

#include <chrono>
#include <cstring>
#include <vector>

#include <wx/event.h>
#include <wx/intl.h>

#include "core/screen/screen_opening.h"
#include "core/screen/x11_screen.h"

namespace {

// A stream may show its first picture a moment after it opened: the still waits for it.
constexpr int kStillTries = 60;
constexpr auto kStillPause = std::chrono::milliseconds(50);

// Takes one picture of the whole source into opened.still; drops the source when none came.
void TakeStill(OpenedScreen& opened, const std::atomic<bool>& cancel)
{
    std::vector<uint8_t> rgb;
    std::string error = _("The screen sent no picture.").utf8_string();
    for (int attempt = 0; attempt < kStillTries && !cancel; ++attempt) {
        ScreenSource& source = *opened.source;
        const int width = source.Width(), height = source.Height();
        if (width > 0 && height > 0 &&
            source.Grab(WholeSource(width, height), false, rgb, error)) {
            opened.still = wxImage(width, height, false);
            std::memcpy(opened.still.GetData(), rgb.data(), rgb.size());
            return;
        }
        std::this_thread::sleep_for(kStillPause);
    }
    opened.source.reset();
    opened.error = error;
}

} // namespace

OpenedScreen OpenX11ForRecording()
{
    OpenedScreen opened;
    opened.source = OpenX11Screen("", opened.error);
    if (opened.source)
        TakeStill(opened, std::atomic<bool>(false));
    return opened;
}

PortalAsking::PortalAsking(wxEvtHandler& owner, const PortalRequest& request,
                             std::function<void(std::shared_ptr<OpenedScreen>)> done)
{
    m_thread = std::thread([this, &owner, request, done = std::move(done)] {
        auto opened = std::make_shared<OpenedScreen>();
        ScreenOpening portal = OpenSessionScreen(request.pointer, request.restoreToken, m_cancel);
        opened->source = std::move(portal.source);
        opened->restoreToken = portal.restoreToken;
        opened->refused = portal.refused;
        opened->error = portal.error;
        if (opened->source)
            TakeStill(*opened, m_cancel);
        if (!m_cancel)
            owner.CallAfter([done, opened] { done(opened); });
    });
}

PortalAsking::~PortalAsking()
{
    m_cancel = true;
    m_thread.join();
}
