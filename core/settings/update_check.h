// The update check: which version the product's update document names as the latest, and
// the background fetch that delivers it to a window as a queued wxEVT_UPDATE_CHECK_RESULT.
#pragma once

#include <atomic>
#include <thread>

#include <wx/string.h>

class wxEvtHandler;
class wxInputStream;

// The latest version the update document publishes for this product; empty when the stream
// is not good, the document is not well-formed UTF-8 XML, or it names no version for us.
// An entry is a child of the root with an attribute whose value is exactly the product
// name; the attribute after it holds the version. Only the first match within a child
// counts, a match on a child's last attribute is no entry, and a later entry overrides an
// earlier one (even with an empty version).
wxString ParseUpdateDocument(wxInputStream& stream);

// Negative when current is older than published, zero when they name the same version,
// positive when current is newer. Versions are compared number by number (2.0.9 < 2.0.10);
// missing numbers count as 0 (2.1 == 2.1.0) and a number ends at its first non-digit.
int CompareVersions(const wxString& current, const wxString& published);

// Whether address is one the check may fetch: an absolute http or https address with a host.
bool IsUpdateAddress(const wxString& address);

struct FetchLimits {
    long connectSeconds = 5;
    long totalSeconds = 10;
};

// Fetches address (following redirects) and returns ParseUpdateDocument of the body; empty
// when the server can't be reached, answers with an HTTP error status, exceeds the limits,
// or *cancel becomes true. Blocks the calling thread; safe on any thread.
wxString FetchLatestVersion(const wxString& address, const FetchLimits& limits,
                            const std::atomic<bool>* cancel = nullptr);

// Runs one fetch at a time on a thread of its own and queues the result to the target as a
// wxEVT_UPDATE_CHECK_RESULT command event with id 0 (string: the version, empty on
// failure). Destroying the check cancels a running fetch and waits for its thread, and a
// cancelled fetch queues nothing; so a window that owns its check never receives a result
// after it is gone.
class UpdateCheck {
public:
    explicit UpdateCheck(wxEvtHandler* target) : m_target(target) {}
    ~UpdateCheck();
    UpdateCheck(const UpdateCheck&) = delete;
    UpdateCheck& operator=(const UpdateCheck&) = delete;

    // Starts fetching address; false (and nothing happens) while an earlier fetch still runs.
    bool Start(const wxString& address);
    // True from Start until the result has been queued.
    bool IsRunning() const { return m_running; }
    void SetLimits(const FetchLimits& limits) { m_limits = limits; }

private:
    wxEvtHandler* m_target;
    FetchLimits m_limits;
    std::thread m_thread;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_cancel{false};
};
