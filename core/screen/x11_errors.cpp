#include "core/screen/x11_errors.h"

#include <map>
#include <mutex>

namespace {

std::mutex s_mutex;
std::map<Display*, int> s_errors;
XErrorHandler s_previous = nullptr;
XIOErrorHandler s_previousIo = nullptr;
bool s_installed = false;

int OnError(Display* display, XErrorEvent* event)
{
    {
        std::lock_guard<std::mutex> lock(s_mutex);
        const auto found = s_errors.find(display);
        if (found != s_errors.end()) {
            found->second = event->error_code;
            return 0;
        }
    }
    return s_previous ? s_previous(display, event) : 0;
}

// A lost connection: Xlib's own handler ends the process here. For our displays this returns,
// and Xlib goes on to the display's exit handler (see x11_screen.cpp), which marks it gone.
int OnConnectionError(Display* display)
{
    {
        std::lock_guard<std::mutex> lock(s_mutex);
        if (s_errors.count(display))
            return 0;
    }
    return s_previousIo ? s_previousIo(display) : 0;
}

} // namespace

void CatchX11Errors(Display* display)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    s_errors[display] = 0;
    if (!s_installed) {
        s_previous = XSetErrorHandler(OnError);
        s_previousIo = XSetIOErrorHandler(OnConnectionError);
        s_installed = true;
    }
}

void ForgetX11Errors(Display* display)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    s_errors.erase(display);
}

int TakeX11Error(Display* display)
{
    XSync(display, False);
    std::lock_guard<std::mutex> lock(s_mutex);
    int& code = s_errors[display];
    const int taken = code;
    code = 0;
    return taken;
}
