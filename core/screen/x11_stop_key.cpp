#include "core/screen/x11_stop_key.h"

#include <poll.h>
#include <unistd.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include "core/screen/x11_errors.h"

namespace {

Display* AsDisplay(void* display)
{
    return static_cast<Display*>(display);
}

// The key must stop the recording whatever the state of Caps Lock and Num Lock.
constexpr unsigned kLocks[] = {0, LockMask, Mod2Mask, LockMask | Mod2Mask};
constexpr unsigned kModifiers = ControlMask | Mod1Mask;

} // namespace

X11StopKey::X11StopKey(const std::string& name, std::function<void()> pressed)
    : m_pressed(std::move(pressed))
{
    Display* display = XOpenDisplay(name.empty() ? nullptr : name.c_str());
    if (!display)
        return;
    m_display = display;
    CatchX11Errors(display);
    // A server that goes away ends the shortcut's thread, not the process.
    XSetIOErrorExitHandler(display, [](Display*, void*) {}, nullptr);
    const KeyCode key = XKeysymToKeycode(display, XK_r);
    const Window root = DefaultRootWindow(display);
    for (unsigned locks : kLocks)
        XGrabKey(display, key, kModifiers | locks, root, True, GrabModeAsync, GrabModeAsync);
    // BadAccess: another client grabbed the same key and modifiers first.
    m_held = key != 0 && TakeX11Error(display) == 0;
    int pipeEnds[2];
    if (!m_held || pipe(pipeEnds) != 0) {
        m_held = false;
        return;
    }
    m_wakeRead = pipeEnds[0];
    m_wakeWrite = pipeEnds[1];
    m_thread = std::thread([this] { Run(); });
}

X11StopKey::~X11StopKey()
{
    if (m_thread.joinable()) {
        const char wake = 1;
        (void)!write(m_wakeWrite, &wake, 1);
        m_thread.join();
    }
    if (m_wakeRead >= 0) {
        close(m_wakeRead);
        close(m_wakeWrite);
    }
    if (Display* display = AsDisplay(m_display)) {
        XUngrabKey(display, AnyKey, AnyModifier, DefaultRootWindow(display));
        ForgetX11Errors(display);
        XCloseDisplay(display);
    }
}

void X11StopKey::Run()
{
    Display* display = AsDisplay(m_display);
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == KeyPress && m_pressed)
                m_pressed();
        }
        pollfd fds[2] = {{ConnectionNumber(display), POLLIN, 0}, {m_wakeRead, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0 || fds[1].revents || (fds[0].revents & (POLLHUP | POLLERR)))
            return;
    }
}
