#include "core/screen/portal_screen.h"

#include <wx/intl.h>

#include <gio/gio.h>
#include <libportal/portal.h>

#include <chrono>

#include "core/screen/pipewire_stream.h"
#include "core/screen/portal_choices.h"

namespace {

constexpr auto kFormatWait = std::chrono::seconds(5);
// Only the first picture is waited for: afterwards the latest one stands for the screen.
constexpr auto kPictureWait = std::chrono::seconds(5);
constexpr const char* kPortalName = "org.freedesktop.portal.Desktop";
constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
constexpr const char* kScreenCast = "org.freedesktop.portal.ScreenCast";

struct GObjectUnref {
    void operator()(gpointer object) const
    {
        if (object)
            g_object_unref(object);
    }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
using GErrorPtr = std::unique_ptr<GError, GErrorFree>;

struct GVariantUnref {
    void operator()(GVariant* variant) const { g_variant_unref(variant); }
};
using GVariantPtr = std::unique_ptr<GVariant, GVariantUnref>;

// The reply to one asynchronous call. Shared between the caller and the callback, since after
// a cancel the callback may come after the caller left, or never.
struct Answer {
    bool done = false;
    GObjectPtr<GAsyncResult> result;
};

void OnAnswer(GObject*, GAsyncResult* result, gpointer data)
{
    std::unique_ptr<std::shared_ptr<Answer>> answer(static_cast<std::shared_ptr<Answer>*>(data));
    (*answer)->result.reset(G_ASYNC_RESULT(g_object_ref(result)));
    (*answer)->done = true;
}

gpointer HandOver(const std::shared_ptr<Answer>& answer)
{
    return new std::shared_ptr<Answer>(answer);
}

// A main context of this thread's own, pushed as its default while this lives: the portal's
// replies and signals go to the default context of the thread that made the call, so they
// never wait for the GUI's loop, and any thread can wait for them.
class ThreadContext {
public:
    ThreadContext() : m_context(g_main_context_new())
    {
        g_main_context_push_thread_default(m_context);
        // Wakes the loop every tenth of a second to look at the cancel flag, which is set
        // from another thread that can't wake it.
        m_tick = g_timeout_source_new(100);
        g_source_set_callback(m_tick, [](gpointer) -> gboolean { return G_SOURCE_CONTINUE; },
                              nullptr, nullptr);
        g_source_attach(m_tick, m_context);
    }
    ~ThreadContext()
    {
        g_source_destroy(m_tick);
        g_source_unref(m_tick);
        g_main_context_pop_thread_default(m_context);
        g_main_context_unref(m_context);
    }
    ThreadContext(const ThreadContext&) = delete;
    ThreadContext& operator=(const ThreadContext&) = delete;

    // Runs the loop until the answer came (true) or cancel was set (false, the call
    // cancelled).
    bool Wait(const Answer& answer, const std::atomic<bool>& cancel, GCancellable* cancellable)
    {
        while (!answer.done) {
            if (cancel) {
                g_cancellable_cancel(cancellable);
                return false;
            }
            g_main_context_iteration(m_context, TRUE);
        }
        return true;
    }

private:
    GMainContext* m_context;
    GSource* m_tick;
};

std::string Refused()
{
    return _("Sharing the screen was refused.").utf8_string();
}

std::string PortalFailure(const GError& error)
{
    if (g_error_matches(&error, G_DBUS_ERROR, G_DBUS_ERROR_SERVICE_UNKNOWN) ||
        g_error_matches(&error, G_DBUS_ERROR, G_DBUS_ERROR_NAME_HAS_NO_OWNER))
        return _("The desktop portal is not running and can't be started, so the screen can't "
                 "be shared (xdg-desktop-portal and a portal for this desktop are needed).")
            .utf8_string();
    if (g_error_matches(&error, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_METHOD) ||
        g_error_matches(&error, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_INTERFACE) ||
        g_error_matches(&error, G_DBUS_ERROR, G_DBUS_ERROR_INVALID_ARGS))
        return _("The desktop portal can't share the screen: no portal for this desktop offers "
                 "screen casts.")
            .utf8_string();
    GErrorPtr copy(g_error_copy(&error));
    g_dbus_error_strip_remote_error(copy.get());
    return wxString::Format(_("The desktop portal failed: %s."), wxString::FromUTF8(copy->message))
        .utf8_string();
}

// What the portal offers (a property of its screen cast interface); 0 when it does not say.
bool ReadOffer(GDBusConnection* bus, const char* property, uint32_t& value, ThreadContext& loop,
               const std::atomic<bool>& cancel, GCancellable* cancellable, PortalOpening& opening)
{
    auto answer = std::make_shared<Answer>();
    g_dbus_connection_call(bus, kPortalName, kPortalPath, "org.freedesktop.DBus.Properties",
                           "Get", g_variant_new("(ss)", kScreenCast, property),
                           G_VARIANT_TYPE("(v)"), G_DBUS_CALL_FLAGS_NONE, -1, cancellable,
                           OnAnswer, HandOver(answer));
    if (!loop.Wait(*answer, cancel, cancellable)) {
        opening.error = _("Sharing the screen was cancelled.").utf8_string();
        return false;
    }
    GError* error = nullptr;
    GVariantPtr reply(g_dbus_connection_call_finish(bus, answer->result.get(), &error));
    if (!reply) {
        GErrorPtr owned(error);
        opening.error = PortalFailure(*error);
        return false;
    }
    GVariant* boxed = nullptr;
    g_variant_get(reply.get(), "(v)", &boxed);
    GVariantPtr inner(boxed);
    value = g_variant_is_of_type(inner.get(), G_VARIANT_TYPE_UINT32) ? g_variant_get_uint32(inner.get())
                                                                     : 0;
    return true;
}

// The PipeWire node of the first stream the portal shares; false when it shares none.
bool FirstNode(XdpSession* session, uint32_t& node)
{
    GVariant* streams = xdp_session_get_streams(session);  // the session's own
    if (!streams || !g_variant_is_of_type(streams, G_VARIANT_TYPE("a(ua{sv})")) ||
        g_variant_n_children(streams) == 0)
        return false;
    GVariantPtr first(g_variant_get_child_value(streams, 0));
    GVariantPtr properties;
    GVariant* props = nullptr;
    g_variant_get(first.get(), "(u@a{sv})", &node, &props);
    properties.reset(props);
    return true;
}

class PortalScreen : public ScreenSource {
public:
    PortalScreen(GObjectPtr<XdpPortal> portal, GObjectPtr<XdpSession> session,
                 std::unique_ptr<PipeWireStream> stream)
        : m_portal(std::move(portal)), m_session(std::move(session)), m_stream(std::move(stream))
    {
    }
    // The stream goes first (its own parts in order), then the portal's session, which the
    // portal is told to close, then the portal.
    ~PortalScreen() override
    {
        m_stream.reset();
        xdp_session_close(m_session.get());
        m_session.reset();
        m_portal.reset();
    }

    int Width() const override { return m_stream->Width(); }
    int Height() const override { return m_stream->Height(); }
    // The pointer was drawn in or left out when the portal was asked; it can't change now.
    bool Grab(const CaptureRect& region, bool, std::vector<uint8_t>& rgb,
              std::string& error) override
    {
        return m_stream->Cut(region, kPictureWait, rgb, error);
    }

private:
    GObjectPtr<XdpPortal> m_portal;
    GObjectPtr<XdpSession> m_session;
    std::unique_ptr<PipeWireStream> m_stream;
};

// Asks the portal for a session and starts it (the chooser asks the user); null with the
// reason in opening when it failed, was refused or cancelled.
GObjectPtr<XdpSession> StartSession(XdpPortal* portal, uint32_t sources, uint32_t cursor,
                                    const std::string& restoreToken, ThreadContext& loop,
                                    const std::atomic<bool>& cancel, GCancellable* cancellable,
                                    PortalOpening& opening)
{
    auto created = std::make_shared<Answer>();
    xdp_portal_create_screencast_session(
        portal, static_cast<XdpOutputType>(sources), XDP_SCREENCAST_FLAG_NONE,
        static_cast<XdpCursorMode>(cursor), XDP_PERSIST_MODE_PERSISTENT,
        restoreToken.empty() ? nullptr : restoreToken.c_str(), cancellable, OnAnswer,
        HandOver(created));
    if (!loop.Wait(*created, cancel, cancellable)) {
        opening.error = _("Sharing the screen was cancelled.").utf8_string();
        return nullptr;
    }
    GError* error = nullptr;
    GObjectPtr<XdpSession> session(
        xdp_portal_create_screencast_session_finish(portal, created->result.get(), &error));
    if (!session) {
        GErrorPtr owned(error);
        // The user closed the chooser, which comes as a cancelled call.
        opening.refused = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
        opening.error = opening.refused ? Refused() : PortalFailure(*error);
        return nullptr;
    }
    auto started = std::make_shared<Answer>();
    xdp_session_start(session.get(), nullptr, cancellable, OnAnswer, HandOver(started));
    if (!loop.Wait(*started, cancel, cancellable)) {
        xdp_session_close(session.get());
        opening.error = _("Sharing the screen was cancelled.").utf8_string();
        return nullptr;
    }
    if (!xdp_session_start_finish(session.get(), started->result.get(), &error)) {
        GErrorPtr owned(error);
        opening.refused = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
        opening.error = opening.refused
                            ? Refused()
                            : wxString::Format(_("The desktop portal could not share the screen: "
                                                 "%s."),
                                               wxString::FromUTF8(error->message))
                                  .utf8_string();
        return nullptr;
    }
    return session;
}

// Connects to the stream of a started session and waits for its size.
std::unique_ptr<PipeWireStream> ConnectStream(XdpSession* session,
                                              const std::atomic<bool>& cancel,
                                              PortalOpening& opening)
{
    uint32_t node = 0;
    if (!FirstNode(session, node)) {
        opening.error = _("The desktop portal shared no screen.").utf8_string();
        return nullptr;
    }
    const int fd = xdp_session_open_pipewire_remote(session);
    if (fd < 0) {
        opening.error =
            _("The desktop portal gave no connection to PipeWire for the screen.").utf8_string();
        return nullptr;
    }
    std::unique_ptr<PipeWireStream> stream = PipeWireStream::Open(fd, node, opening.error);
    if (stream && !stream->WaitForFormat(kFormatWait, cancel, opening.error))
        stream.reset();
    return stream;
}

} // namespace

PortalOpening OpenPortalScreen(const PortalRequest& request, const std::atomic<bool>& cancel)
{
    PortalOpening opening;
    ThreadContext loop;
    GObjectPtr<GCancellable> cancellable(g_cancellable_new());
    // libportal takes the session bus for granted and crashes without one.
    GError* error = nullptr;
    GObjectPtr<GDBusConnection> bus(g_bus_get_sync(G_BUS_TYPE_SESSION, cancellable.get(), &error));
    if (!bus) {
        GErrorPtr owned(error);
        opening.error = wxString::Format(_("The desktop portal can't be reached: there is no "
                                           "D-Bus session bus (%s)."),
                                         wxString::FromUTF8(error->message))
                            .utf8_string();
        return opening;
    }
    uint32_t offeredSources = 0, offeredCursors = 0;
    if (!ReadOffer(bus.get(), "AvailableSourceTypes", offeredSources, loop, cancel,
                   cancellable.get(), opening) ||
        !ReadOffer(bus.get(), "AvailableCursorModes", offeredCursors, loop, cancel,
                   cancellable.get(), opening))
        return opening;
    const uint32_t sources = ChoosePortalSources(offeredSources);
    if (sources == 0) {
        opening.error =
            _("The desktop portal offers neither a monitor nor a window to share.").utf8_string();
        return opening;
    }
    GObjectPtr<XdpPortal> portal(xdp_portal_new());
    GObjectPtr<XdpSession> session =
        StartSession(portal.get(), sources, ChoosePortalCursor(offeredCursors, request.pointer),
                     request.restoreToken, loop, cancel, cancellable.get(), opening);
    if (!session)
        return opening;
    if (char* token = xdp_session_get_restore_token(session.get())) {
        opening.restoreToken = token;
        g_free(token);
    }
    std::unique_ptr<PipeWireStream> stream = ConnectStream(session.get(), cancel, opening);
    if (!stream) {
        xdp_session_close(session.get());
        return opening;
    }
    opening.source = std::make_unique<PortalScreen>(std::move(portal), std::move(session),
                                                    std::move(stream));
    return opening;
}
