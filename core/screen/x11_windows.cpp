// The windows the user may record on X11: the window manager's list of them, and the window
// under a click.
#include <algorithm>
#include <memory>

#include <poll.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>

#include "core/screen/x11_errors.h"
#include "core/screen/x11_screen.h"

namespace {

struct DisplayCloser {
    void operator()(Display* display) const
    {
        ForgetX11Errors(display);
        XCloseDisplay(display);
    }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

DisplayPtr Open(const std::string& name)
{
    Display* display = XOpenDisplay(name.empty() ? nullptr : name.c_str());
    if (display)
        CatchX11Errors(display);  // a window may go while we read it
    return DisplayPtr(display);
}

// The items of a property of window, of format 32 (longs, as Xlib gives them).
std::vector<unsigned long> LongProperty(Display* display, Window window, const char* name)
{
    Atom type;
    int format;
    unsigned long count = 0, after;
    unsigned char* data = nullptr;
    std::vector<unsigned long> items;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1 << 16,
                           False, AnyPropertyType, &type, &format, &count, &after,
                           &data) == Success && data && format == 32) {
        const unsigned long* values = reinterpret_cast<unsigned long*>(data);
        items.assign(values, values + count);
    }
    if (data)
        XFree(data);
    return items;
}

std::string Title(Display* display, Window window)
{
    Atom type;
    int format;
    unsigned long count = 0, after;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), 0,
                           1024, False, XInternAtom(display, "UTF8_STRING", False), &type,
                           &format, &count, &after, &data) == Success && data && format == 8)
        title.assign(reinterpret_cast<char*>(data), count);
    if (data)
        XFree(data);
    char* name = nullptr;
    if (title.empty() && XFetchName(display, window, &name) && name)
        title = name;
    if (name)
        XFree(name);
    return title;
}

// The window's area in root coordinates, clipped to the screen; nothing for a window that
// isn't shown.
std::optional<CaptureRect> Area(Display* display, Window window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) ||
        attributes.map_state != IsViewable)
        return std::nullopt;
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(display, window, attributes.root, 0, 0, &x, &y, &child);
    const int screenWidth = DisplayWidth(display, DefaultScreen(display));
    const int screenHeight = DisplayHeight(display, DefaultScreen(display));
    const int left = std::max(0, x), top = std::max(0, y);
    const int right = std::min(screenWidth, x + attributes.width);
    const int bottom = std::min(screenHeight, y + attributes.height);
    if (right <= left || bottom <= top)
        return std::nullopt;
    return CaptureRect{left, top, right - left, bottom - top};
}

bool HasWmState(Display* display, Window window)
{
    Atom type = None;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, window, XInternAtom(display, "WM_STATE", False), 0, 0, False,
                       AnyPropertyType, &type, &format, &count, &after, &data);
    if (data)
        XFree(data);
    return type != None;
}

// The application's window in the tree under a window manager's frame: the one marked with
// WM_STATE, searched breadth first; the frame itself when there is none.
Window ClientWindow(Display* display, Window frame)
{
    std::vector<Window> level{frame};
    for (int depth = 0; depth < 4 && !level.empty(); ++depth) {
        std::vector<Window> below;
        for (Window window : level) {
            if (HasWmState(display, window))
                return window;
            Window root, parent, *children = nullptr;
            unsigned count = 0;
            if (XQueryTree(display, window, &root, &parent, &children, &count) && children) {
                below.insert(below.end(), children, children + count);
                XFree(children);
            }
        }
        level = std::move(below);
    }
    return frame;
}

std::optional<X11Window> Describe(Display* display, Window window)
{
    const std::optional<CaptureRect> area = Area(display, window);
    if (!area)
        return std::nullopt;
    return X11Window{window, Title(display, window), *area};
}

// The next event within timeoutMs; false when the time passes.
bool NextEvent(Display* display, int timeoutMs, XEvent& event)
{
    while (!XPending(display)) {
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        if (poll(&fd, 1, timeoutMs) <= 0)
            return false;
    }
    XNextEvent(display, &event);
    return true;
}

} // namespace

std::vector<X11Window> ListX11Windows(const std::string& name)
{
    std::vector<X11Window> windows;
    const DisplayPtr display = Open(name);
    if (!display)
        return windows;
    const Window root = DefaultRootWindow(display.get());
    std::vector<unsigned long> stacking =
        LongProperty(display.get(), root, "_NET_CLIENT_LIST_STACKING");
    if (stacking.empty())
        stacking = LongProperty(display.get(), root, "_NET_CLIENT_LIST");
    // Bottom first in the property: the topmost comes first in the list.
    for (auto it = stacking.rbegin(); it != stacking.rend(); ++it)
        if (const std::optional<X11Window> window = Describe(display.get(), *it))
            windows.push_back(*window);
    return windows;
}

std::optional<X11Window> PickX11Window(const std::string& name, int timeoutMs)
{
    const DisplayPtr display = Open(name);
    if (!display)
        return std::nullopt;
    Display* d = display.get();
    const Window root = DefaultRootWindow(d);
    const Cursor cross = XCreateFontCursor(d, XC_crosshair);
    const bool grabbed = XGrabPointer(d, root, False, ButtonPressMask, GrabModeAsync,
                                      GrabModeAsync, None, cross, CurrentTime) == GrabSuccess;
    XGrabKeyboard(d, root, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    std::optional<X11Window> picked;
    XEvent event;
    while (grabbed && NextEvent(d, timeoutMs, event)) {
        if (event.type == KeyPress)
            break;
        if (event.type == ButtonPress) {
            const Window under = event.xbutton.subwindow;
            if (under != None)
                picked = Describe(d, ClientWindow(d, under));
            break;
        }
    }
    XUngrabKeyboard(d, CurrentTime);
    XUngrabPointer(d, CurrentTime);
    XFreeCursor(d, cross);
    XSync(d, False);
    return picked;
}
