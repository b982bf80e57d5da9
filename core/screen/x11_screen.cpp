#include "core/screen/x11_screen.h"

#include <wx/intl.h>

#include <atomic>
#include <cstring>

#include <sys/ipc.h>
#include <sys/shm.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xfixes.h>

#include "core/screen/screen_pixels.h"
#include "core/screen/x11_errors.h"

namespace {

// Xlib ends the process when its server goes away unless this returns: the connection is
// marked dead and every later call on it fails at once, which Grab then reports.
void OnConnectionLost(Display*, void* gone)
{
    static_cast<std::atomic<bool>*>(gone)->store(true);
}

// The XImage Grab fills, in memory shared with the server; none when the server won't share.
class ScreenImage {
public:
    ScreenImage(Display* display, Visual* visual, int depth, int width, int height)
        : m_display(display)
    {
        MakeShared(visual, depth, width, height);
    }
    ~ScreenImage() { Free(); }
    ScreenImage(const ScreenImage&) = delete;
    ScreenImage& operator=(const ScreenImage&) = delete;

    XImage* Shared() const { return m_image; }
    // The server is gone: nothing more is said to it (a dead connection can hang a call).
    void Abandon() { m_attached = false; }

private:
    bool MakeShared(Visual* visual, int depth, int width, int height)
    {
        m_image = XShmCreateImage(m_display, visual, depth, ZPixmap, nullptr, &m_info, width,
                                  height);
        if (!m_image)
            return false;
        m_info.shmid = shmget(IPC_PRIVATE, size_t(m_image->bytes_per_line) * height,
                              IPC_CREAT | 0600);
        if (m_info.shmid < 0)
            return Free(), false;
        m_info.shmaddr = m_image->data = static_cast<char*>(shmat(m_info.shmid, nullptr, 0));
        m_info.readOnly = False;
        const bool attached = m_info.shmaddr != reinterpret_cast<char*>(-1) &&
                              XShmAttach(m_display, &m_info) && TakeX11Error(m_display) == 0;
        // Marked for removal now: it goes when both sides have let it go, even after a crash.
        shmctl(m_info.shmid, IPC_RMID, nullptr);
        m_attached = attached;
        if (!attached)
            return Free(), false;
        return true;
    }

    void Free()
    {
        if (!m_image)
            return;
        if (m_attached)
            XShmDetach(m_display, &m_info);
        if (m_info.shmaddr && m_info.shmaddr != reinterpret_cast<char*>(-1))
            shmdt(m_info.shmaddr);
        m_image->data = nullptr;
        XDestroyImage(m_image);
        m_image = nullptr;
    }

    Display* m_display;
    XShmSegmentInfo m_info{};
    XImage* m_image = nullptr;
    bool m_attached = false;
};

int MaskShift(unsigned long mask)
{
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

// Any other layout than 32-bit BGRx, pixel by pixel (slow, and never met on today's servers).
void AnyImageToRgb(XImage* image, int width, int height, uint8_t* rgb)
{
    const unsigned long masks[3] = {image->red_mask, image->green_mask, image->blue_mask};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            for (int c = 0; c < 3; ++c) {
                const unsigned long max = masks[c] >> MaskShift(masks[c]);
                const unsigned long value = (pixel & masks[c]) >> MaskShift(masks[c]);
                *rgb++ = static_cast<uint8_t>(max ? value * 255 / max : 0);
            }
        }
}

bool IsBgrx(const XImage* image)
{
    return image->bits_per_pixel == 32 && image->byte_order == LSBFirst &&
           image->red_mask == 0xff0000 && image->green_mask == 0xff00 &&
           image->blue_mask == 0xff;
}

class X11Screen : public ScreenSource {
public:
    explicit X11Screen(Display* display) : m_display(display)
    {
        CatchX11Errors(display);
        XSetIOErrorExitHandler(display, OnConnectionLost, &m_gone);
        m_root = DefaultRootWindow(display);
        m_width = DisplayWidth(display, DefaultScreen(display));
        m_height = DisplayHeight(display, DefaultScreen(display));
        int event, error, major, minor;
        Bool pixmaps;
        m_shared = XShmQueryVersion(display, &major, &minor, &pixmaps);
        m_fixes = XFixesQueryExtension(display, &event, &error);
    }
    ~X11Screen() override
    {
        if (m_gone && m_image)
            m_image->Abandon();
        m_image.reset();
        ForgetX11Errors(m_display);
        if (!m_gone)
            XCloseDisplay(m_display);
    }

    int Width() const override { return m_width; }
    int Height() const override { return m_height; }

    bool Grab(const CaptureRect& region, bool pointer, std::vector<uint8_t>& rgb,
              std::string& error) override
    {
        if (!MeasureScreen(error) || !FitsRegion(region, error))
            return false;
        rgb.resize(size_t(region.width) * region.height * 3);
        if (!ReadPixels(region, rgb.data(), error))
            return false;
        if (pointer && m_fixes)
            DrawCursor(region, rgb.data());
        return true;
    }

private:
    bool Gone(std::string& error) const
    {
        if (m_gone)
            error = _("The connection to the X display was lost.").utf8_string();
        return m_gone;
    }

    // The screen may change its size while a recording runs.
    bool MeasureScreen(std::string& error)
    {
        Window root;
        int x, y;
        unsigned width = 0, height = 0, border, depth;
        const Status got = XGetGeometry(m_display, m_root, &root, &x, &y, &width, &height,
                                        &border, &depth);
        if (Gone(error))
            return false;
        if (got) {
            m_width = static_cast<int>(width);
            m_height = static_cast<int>(height);
        }
        return true;
    }

    bool FitsRegion(const CaptureRect& region, std::string& error) const
    {
        if (FitRegion(region, m_width, m_height) == RegionFit::Inside)
            return true;
        error = wxString::Format(_("The screen is %dx%d pixels now: the region %s no longer "
                                   "fits on it."),
                                 m_width.load(), m_height.load(), FormatGeometry(region))
                    .utf8_string();
        return false;
    }

    bool ReadPixels(const CaptureRect& region, uint8_t* rgb, std::string& error)
    {
        XImage* image = SharedImage(region);
        bool read = false;
        if (image) {
            read = XShmGetImage(m_display, m_root, image, region.x, region.y, AllPlanes);
        } else {
            image = XGetImage(m_display, m_root, region.x, region.y, region.width,
                              region.height, AllPlanes, ZPixmap);
            read = image != nullptr;
        }
        if (Gone(error))
            return false;
        if (!read) {
            error = wxString::Format(_("The X server gave no picture of the region %s."),
                                     FormatGeometry(region))
                        .utf8_string();
            return false;
        }
        if (IsBgrx(image))
            BgrxToRgb(reinterpret_cast<const uint8_t*>(image->data), image->bytes_per_line,
                      region.width, region.height, rgb);
        else
            AnyImageToRgb(image, region.width, region.height, rgb);
        if (image != SharedImage(region))
            XDestroyImage(image);
        return true;
    }

    // The shared image for a region of this size, made on first use; null when the server
    // shares no memory with us (a remote display): then each picture comes over the socket.
    XImage* SharedImage(const CaptureRect& region)
    {
        if (!m_shared)
            return nullptr;
        if (!m_image || region.width != m_imageWidth || region.height != m_imageHeight) {
            const int screen = DefaultScreen(m_display);
            m_image = std::make_unique<ScreenImage>(m_display, DefaultVisual(m_display, screen),
                                                    DefaultDepth(m_display, screen),
                                                    region.width, region.height);
            m_imageWidth = region.width;
            m_imageHeight = region.height;
            if (!m_image->Shared())
                m_shared = false;
        }
        return m_shared ? m_image->Shared() : nullptr;
    }

    void DrawCursor(const CaptureRect& region, uint8_t* rgb)
    {
        XFixesCursorImage* cursor = XFixesGetCursorImage(m_display);
        if (!cursor)
            return;
        // Xlib hands the 32-bit pixels out as longs.
        m_cursor.resize(size_t(cursor->width) * cursor->height);
        for (size_t i = 0; i < m_cursor.size(); ++i)
            m_cursor[i] = static_cast<uint32_t>(cursor->pixels[i]);
        DrawPointer(rgb, region.width, region.height, m_cursor.data(), cursor->width,
                    cursor->height, cursor->x - cursor->xhot - region.x,
                    cursor->y - cursor->yhot - region.y);
        XFree(cursor);
    }

    Display* m_display;
    Window m_root;
    std::atomic<int> m_width{0}, m_height{0};
    std::atomic<bool> m_gone{false};
    bool m_shared = false;
    bool m_fixes = false;
    std::unique_ptr<ScreenImage> m_image;
    int m_imageWidth = 0, m_imageHeight = 0;
    std::vector<uint32_t> m_cursor;
};

} // namespace

std::unique_ptr<ScreenSource> OpenX11Screen(const std::string& display, std::string& error)
{
    Display* connection = XOpenDisplay(display.empty() ? nullptr : display.c_str());
    if (!connection) {
        const char* name = display.empty() ? XDisplayName(nullptr) : display.c_str();
        error = wxString::Format(_("The X display \"%s\" can't be reached."),
                                 wxString(name ? name : ""))
                    .utf8_string();
        return nullptr;
    }
    return std::make_unique<X11Screen>(connection);
}
