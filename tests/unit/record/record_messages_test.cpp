// Why a screen can't be recorded reaches the window in the interface's language, in UTF-8,
// also when a worker thread words it; with no catalog, as in zoruvede-cli, it stays English.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "core/screen/screen_opening.h"
#include "core/screen/x11_screen.h"
#include "support/german_catalog.h"

namespace {

// No X server listens there: its port would lie beyond 65535.
const char* const kNoServer = ":99999";

std::string UnreachableDisplay()
{
    std::string error;
    EXPECT_EQ(OpenX11Screen(kNoServer, error), nullptr);
    return error;
}

std::string OnWorkerThread(const std::function<std::string()>& make)
{
    std::string made;
    std::thread([&] { made = make(); }).join();
    return made;
}

// A session with neither an X display nor a Wayland desktop, for the scope of the object.
class NoSession {
public:
    NoSession()
    {
        for (Variable& v : m_variables) {
            if (const char* value = std::getenv(v.name))
                v.saved = value;
            unsetenv(v.name);
        }
    }
    ~NoSession()
    {
        for (const Variable& v : m_variables)
            if (v.saved)
                setenv(v.name, v.saved->c_str(), 1);
    }
    NoSession(const NoSession&) = delete;
    NoSession& operator=(const NoSession&) = delete;

private:
    struct Variable {
        const char* name;
        std::optional<std::string> saved;
    };
    Variable m_variables[3] = {{"DISPLAY", {}}, {"WAYLAND_DISPLAY", {}}, {"XDG_SESSION_TYPE", {}}};
};

std::string NoDisplay()
{
    NoSession none;
    const std::atomic<bool> cancel{false};
    return OpenSessionScreen(false, "", cancel).error;
}

} // namespace

TEST(RecordMessages, FailuresComeInTheCatalogsLanguageAsUtf8FromAnyThread)
{
    const struct {
        const char* what;
        std::function<std::string()> make;
        const char* english;
        const char* german;  // UTF-8
    } cases[] = {
        {"a display that can't be reached, named", UnreachableDisplay,
         "The X display \":99999\" can't be reached.",
         "Die X-Anzeige „:99999“ ist nicht erreichbar."},
        {"the same, worded on the recorder's kind of thread",
         [] { return OnWorkerThread(UnreachableDisplay); },
         "The X display \":99999\" can't be reached.",
         "Die X-Anzeige „:99999“ ist nicht erreichbar."},
        {"a session without a display", NoDisplay,
         "There is no display to record: neither DISPLAY nor WAYLAND_DISPLAY is set.",
         "Es gibt keine Anzeige zum Aufnehmen: Weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.make(), c.english) << c.what;
        ScopedGermanCatalog german;
        EXPECT_EQ(c.make(), c.german) << c.what;
    }
}
