#include "core/settings/update_check.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <vector>

#include <curl/curl.h>
#include <wx/arrstr.h>
#include <wx/event.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/uri.h>
#include <wx/xml/xml.h>

#include "core/settings/product.h"
#include "core/settings/update_event.h"

wxString ParseUpdateDocument(wxInputStream& stream)
{
    if (!stream.IsOk())
        return wxString();
    // The parser reports malformed documents through the log, which would pop up a box of
    // the toolkit's own; a broken document is an ordinary failed check here.
    wxLogNull noLog;
    wxXmlDocument doc;
    if (!doc.Load(stream, "UTF-8") || !doc.GetRoot())
        return wxString();

    const wxString product = GetProductName();
    wxString latest;
    for (const wxXmlNode* child = doc.GetRoot()->GetChildren(); child; child = child->GetNext()) {
        for (const wxXmlAttribute* attr = child->GetAttributes(); attr && attr->GetNext();
             attr = attr->GetNext()) {
            if (attr->GetValue() == product) {
                latest = attr->GetNext()->GetValue();
                break;
            }
        }
    }
    return latest;
}

namespace {
// The numbers of a dotted version; each ends at its first non-digit. Saturates instead of
// overflowing, so an absurdly long number still sorts above every sensible one.
std::vector<unsigned long> VersionNumbers(const wxString& version)
{
    std::vector<unsigned long> numbers;
    wxString rest = version;
    rest.Trim(true).Trim(false);
    if (rest.empty())
        return numbers;
    for (const wxString& part : wxSplit(rest, '.', '\0')) {
        unsigned long value = 0;
        for (wxUniChar c : part) {
            if (c < '0' || c > '9')
                break;
            const unsigned long digit = static_cast<unsigned long>(c - '0');
            value = value > (~0UL - digit) / 10 ? ~0UL : value * 10 + digit;
        }
        numbers.push_back(value);
    }
    return numbers;
}
}

int CompareVersions(const wxString& current, const wxString& published)
{
    const std::vector<unsigned long> a = VersionNumbers(current);
    const std::vector<unsigned long> b = VersionNumbers(published);
    for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const unsigned long x = i < a.size() ? a[i] : 0;
        const unsigned long y = i < b.size() ? b[i] : 0;
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

bool IsUpdateAddress(const wxString& address)
{
    wxURI uri;
    if (!uri.Create(address) || !uri.HasScheme() || !uri.HasServer())
        return false;
    const wxString scheme = uri.GetScheme().Lower();
    return (scheme == "http" || scheme == "https") && !uri.GetServer().empty();
}

namespace {
// An update document is a few hundred bytes; anything far larger is not one.
const size_t kMaxDocumentBytes = 1 << 20;

struct Transfer {
    std::string body;
    const std::atomic<bool>* cancel = nullptr;
};

size_t CollectBody(char* data, size_t size, size_t count, void* user)
{
    auto* transfer = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    if (transfer->body.size() + bytes > kMaxDocumentBytes)
        return 0; // a short count makes the transfer fail
    transfer->body.append(data, bytes);
    return bytes;
}

// Called by the library at least about once a second, also while it waits for the server,
// so a cancelled check ends within that time.
int CheckCancelled(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto* transfer = static_cast<Transfer*>(user);
    return transfer->cancel && transfer->cancel->load() ? 1 : 0;
}

// The library's global set-up is not safe to race with a transfer on another thread, so it
// runs once, before the first worker starts.
void InitNetworkOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}
}

wxString FetchLatestVersion(const wxString& address, const FetchLimits& limits,
                            const std::atomic<bool>* cancel)
{
    InitNetworkOnce();
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl)
        return wxString();
    CURL* h = curl.get();
    Transfer transfer;
    transfer.cancel = cancel;
    const std::string url = address.utf8_string();
    wxString agent = GetProductName();
    agent.Replace(" ", "");
    const std::string userAgent = (agent + "/" + GetProductVersion()).utf8_string();

    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, limits.connectSeconds);
    curl_easy_setopt(h, CURLOPT_TIMEOUT, limits.totalSeconds);
    // Time-outs through signals would hit whichever thread the signal lands on.
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    // A missing document answers 404 with a page of its own; that is a failed check.
    curl_easy_setopt(h, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(h, CURLOPT_USERAGENT, userAgent.c_str());
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, CollectBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, CheckCancelled);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);

    if (curl_easy_perform(h) != CURLE_OK)
        return wxString();
    wxMemoryInputStream stream(transfer.body.data(), transfer.body.size());
    return ParseUpdateDocument(stream);
}

UpdateCheck::~UpdateCheck()
{
    m_cancel = true;
    if (m_thread.joinable())
        m_thread.join();
}

bool UpdateCheck::Start(const wxString& address)
{
    if (m_running)
        return false;
    if (m_thread.joinable())
        m_thread.join(); // the previous fetch has queued its result and is ending
    InitNetworkOnce();
    m_cancel = false;
    m_running = true;
    const std::string url = address.utf8_string();
    const FetchLimits limits = m_limits;
    try {
        m_thread = std::thread([this, url, limits] {
            const wxString version = FetchLatestVersion(wxString::FromUTF8(url), limits, &m_cancel);
            if (!m_cancel) {
                auto* event = new wxCommandEvent(wxEVT_UPDATE_CHECK_RESULT, 0);
                event->SetString(version);
                wxQueueEvent(m_target, event);
            }
            m_running = false;
        });
    } catch (const std::system_error&) {
        // No thread to fetch with: the user is still told that the check failed.
        m_running = false;
        wxQueueEvent(m_target, new wxCommandEvent(wxEVT_UPDATE_CHECK_RESULT, 0));
    }
    return true;
}
