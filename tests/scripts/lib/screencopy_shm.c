/* Preloaded into the wlroots screen-cast portal by wayland_desktop_test.sh. That portal (0.7,
 * Debian 12) starts a cast only when the compositor offers its frames both in shared memory
 * and as GPU buffers; a compositor rendering in software, as a headless one on a machine
 * without a GPU does, offers shared memory only, and every cast fails. Here each frame's
 * offer is completed with a GPU format of the same size before the portal sees the offer's
 * end. The portal lists GPU formats to PipeWire only with modifiers the GPU announced, and
 * without a GPU there are none: the stream still runs on shared memory, the only kind the
 * program under test asks for. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdint.h>
#include <string.h>

struct wl_proxy;
const char *wl_proxy_get_class(struct wl_proxy *proxy);
const void *wl_proxy_get_listener(struct wl_proxy *proxy);

typedef void (*buffer_fn)(void *, struct wl_proxy *, uint32_t, uint32_t, uint32_t, uint32_t);
typedef void (*dmabuf_fn)(void *, struct wl_proxy *, uint32_t, uint32_t, uint32_t);
typedef void (*done_fn)(void *, struct wl_proxy *);

/* A frame's events, in the protocol's order; the portal's own listener kept behind. */
enum { BUFFER, FLAGS, READY, FAILED, DAMAGE, LINUX_DMABUF, BUFFER_DONE, EVENTS };
struct shimmed {
    void (*events[EVENTS])(void);
    void (**original)(void);
};

/* The portal reads one frame at a time, on one thread. */
static uint32_t last_format, last_width, last_height;

static uint32_t drm_format(uint32_t shm_format)
{
    if (shm_format == 0) /* argb8888 */
        return 0x34325241;
    if (shm_format == 1) /* xrgb8888 */
        return 0x34325258;
    return shm_format; /* the other shared-memory formats are the GPU's codes */
}

static void on_buffer(void *data, struct wl_proxy *frame, uint32_t format, uint32_t width,
                      uint32_t height, uint32_t stride)
{
    const struct shimmed *s = wl_proxy_get_listener(frame);
    last_format = drm_format(format);
    last_width = width;
    last_height = height;
    ((buffer_fn)s->original[BUFFER])(data, frame, format, width, height, stride);
}

static void on_buffer_done(void *data, struct wl_proxy *frame)
{
    const struct shimmed *s = wl_proxy_get_listener(frame);
    ((dmabuf_fn)s->original[LINUX_DMABUF])(data, frame, last_format, last_width, last_height);
    ((done_fn)s->original[BUFFER_DONE])(data, frame);
}

int wl_proxy_add_listener(struct wl_proxy *proxy, void (**implementation)(void), void *data)
{
    static int (*real)(struct wl_proxy *, void (**)(void), void *);
    /* The portal has one listener for all its frames: one copy of it is enough. */
    static struct shimmed shim;
    if (!real)
        real = (int (*)(struct wl_proxy *, void (**)(void), void *))dlsym(RTLD_NEXT,
                                                                         "wl_proxy_add_listener");
    if (strcmp(wl_proxy_get_class(proxy), "zwlr_screencopy_frame_v1") != 0)
        return real(proxy, implementation, data);
    if (shim.original != implementation) {
        memcpy(shim.events, implementation, sizeof shim.events);
        shim.events[BUFFER] = (void (*)(void))on_buffer;
        shim.events[BUFFER_DONE] = (void (*)(void))on_buffer_done;
        shim.original = implementation;
    }
    return real(proxy, shim.events, data);
}
