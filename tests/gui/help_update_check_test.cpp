// The update check end to end: a real HTTP server on loopback, the fetch in the background,
// the message the user sees and the download page opened on Yes.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <wx/menuitem.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>

#include "core/settings/domain_option.h"
#include "core/settings/product.h"
#include "core/settings/update_event.h"
#include "ui/window/main_window.h"
#include "support/gui_helpers.h"

namespace {
int ListeningSocket(int* port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof(address);
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        listen(fd, 8) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ADD_FAILURE() << "no loopback socket for the test server";
        *port = 0;
        return fd;
    }
    *port = ntohs(address.sin_port);
    return fd;
}

std::string LoopbackAddress(int port, const std::string& path)
{
    return "http://127.0.0.1:" + std::to_string(port) + path;
}

// Answers GET requests one at a time from a table of paths; unknown paths get 404. While
// held, a request waits for Release before it is answered.
class LoopbackHttpServer {
public:
    struct Response {
        int status = 200;
        std::string body;
        std::string location;
    };

    LoopbackHttpServer() : m_listener(ListeningSocket(&m_port)), m_thread([this] { Run(); }) {}
    ~LoopbackHttpServer()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stopping = true;
        }
        m_changed.notify_all();
        m_thread.join();
        close(m_listener);
    }

    void Route(const std::string& path, const Response& response)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_routes[path] = response;
    }
    void Hold()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_held = true;
    }
    void Release()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_held = false;
        }
        m_changed.notify_all();
    }
    wxString Address(const std::string& path) const
    {
        return wxString::FromUTF8(LoopbackAddress(m_port, path));
    }

private:
    void Run()
    {
        for (;;) {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (m_stopping)
                    return;
            }
            pollfd ready{m_listener, POLLIN, 0};
            if (poll(&ready, 1, 50) <= 0)
                continue;
            const int client = accept(m_listener, nullptr, nullptr);
            if (client < 0)
                continue;
            Answer(client);
            close(client);
        }
    }

    void Answer(int client)
    {
        std::string request;
        char buffer[1024];
        while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
            pollfd ready{client, POLLIN, 0};
            if (poll(&ready, 1, 5000) <= 0)
                return;
            const ssize_t got = recv(client, buffer, sizeof(buffer), 0);
            if (got <= 0)
                return;
            request.append(buffer, static_cast<size_t>(got));
        }
        const size_t start = request.find(' ') + 1;
        const std::string path = request.substr(start, request.find(' ', start) - start);

        Response response{404, "<html><body>Not Found</body></html>", ""};
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait(lock, [this] { return !m_held || m_stopping; });
            if (m_stopping)
                return;
            const auto route = m_routes.find(path);
            if (route != m_routes.end())
                response = route->second;
        }
        std::string reply = "HTTP/1.1 " + std::to_string(response.status) + " Test\r\n" +
                            "Content-Type: text/xml\r\nConnection: close\r\n" +
                            "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
        if (!response.location.empty())
            reply += "Location: " + LoopbackAddress(m_port, response.location) + "\r\n";
        reply += "\r\n" + response.body;
        // The client may have given up already; that must not kill the test with SIGPIPE.
        send(client, reply.data(), reply.size(), MSG_NOSIGNAL);
    }

    int m_port = 0;
    int m_listener;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::map<std::string, Response> m_routes;
    bool m_held = false;
    bool m_stopping = false;
    std::thread m_thread;
};

// Accepts connections at the kernel level (the backlog) and never answers them.
class SilentServer {
public:
    SilentServer() : m_listener(ListeningSocket(&m_port)) {}
    ~SilentServer() { close(m_listener); }
    wxString Address(const std::string& path) const
    {
        return wxString::FromUTF8(LoopbackAddress(m_port, path));
    }

private:
    int m_port = 0;
    int m_listener;
};

std::string UpdateDocument(const std::string& version)
{
    const std::string product = GetProductName().utf8_string();
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<updates>\n"
           "  <product name=\"Other Tool\" version=\"9.0\"/>\n"
           "  <product name=\"" + product + "\" version=\"" + version + "\"/>\n</updates>\n";
}

// Installs a configuration record with the given update address for the test's duration.
class ScopedUpdateOption {
public:
    explicit ScopedUpdateOption(const wxString& updateUrl)
        : m_previous(g_domainOption), m_option("/nonexistent/option.cfg")
    {
        m_option.m_updateUrl = updateUrl;
        m_option.m_downloadUrl = "https://example.invalid/zoruvede/download";
        g_domainOption = &m_option;
    }
    ~ScopedUpdateOption() { g_domainOption = m_previous; }
    void SetUpdateUrl(const wxString& url) { m_option.m_updateUrl = url; }
    const wxString& DownloadUrl() const { return m_option.m_downloadUrl; }

private:
    DomainOption* m_previous;
    DomainOption m_option;
};

struct ShownMessage {
    bool shown = false;
    wxString message;
    wxString title;
    long style = 0;
};

// Answers the expected message box and records what it said.
class ExpectMessageBox : public wxExpectModalBase<wxMessageDialog, ExpectMessageBox> {
public:
    ExpectMessageBox(int answer, ShownMessage* seen) : m_answer(answer), m_seen(seen) {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override
    {
        m_seen->shown = true;
        m_seen->message = dialog->GetMessage();
        m_seen->title = dialog->GetTitle();
        m_seen->style = dialog->GetMessageDialogStyle();
        return m_answer;
    }

private:
    int m_answer;
    ShownMessage* m_seen;
};

// Answers every modal dialog that no other hook answered with Cancel and counts it, so that
// a dialog a test didn't expect is a failure instead of a hang.
class DialogCounter : public wxModalDialogHook {
public:
    DialogCounter() { Register(); }
    ~DialogCounter() override { Unregister(); }
    int count = 0;

protected:
    int Enter(wxDialog*) override
    {
        ++count;
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

// The window of one test with its opened pages recorded, its results counted and short
// network limits.
struct UpdateWindow {
    UpdateWindow()
    {
        MainWindow& frame = fixture.Frame();
        Probe(frame).UrlOpener() = [this](const wxString& url) { opened.push_back(url); };
        Probe(frame).Updates().SetLimits(FetchLimits{2, 2});
        frame.Bind(wxEVT_UPDATE_CHECK_RESULT, [this](wxCommandEvent& event) {
            ++results; // before the window's own handler, which shows the message
            event.Skip();
        });
    }
    void StartCheck() { fixture.Command(ID_CHECK_UPDATE); }
    // Help > Check for Update, then the event loop until the result has been handled.
    void RunCheck()
    {
        const int before = results;
        StartCheck();
        WaitFor("the update check's result", [&] { return results > before; }, 20000);
    }

    MainWindowFixture fixture;
    std::vector<wxString> opened;
    int results = 0;
};

const wxString kProduct = GetProductName();
const char kFailed[] = "Update failed!Please check if the network is available.";
}

TEST(HelpUpdateCheck, NewerVersionOffersTheDownloadPageAndOnlyYesOpensIt)
{
    LoopbackHttpServer server;
    server.Route("/zoruvede-update.xml", {200, UpdateDocument("2.0.32"), ""});
    server.Route("/moved-update.xml", {302, "", "/zoruvede-update.xml"});
    ScopedUpdateOption option(server.Address("/zoruvede-update.xml"));
    DialogCounter unexpected;
    UpdateWindow window;

    ShownMessage yes;
    wxTEST_DIALOG(window.RunCheck(), ExpectMessageBox(wxID_YES, &yes));
    EXPECT_EQ(yes.message, "A new version of " + kProduct +
                               "(2.0.32) is available. Click Yes to open download page.");
    EXPECT_EQ(yes.title, kProduct);
    EXPECT_TRUE(yes.style & wxYES_NO);
    EXPECT_EQ(window.opened, std::vector<wxString>{option.DownloadUrl()});

    // The same document behind a redirect; No leaves it at that.
    option.SetUpdateUrl(server.Address("/moved-update.xml"));
    ShownMessage no;
    wxTEST_DIALOG(window.RunCheck(), ExpectMessageBox(wxID_NO, &no));
    EXPECT_EQ(no.message, yes.message);
    EXPECT_EQ(window.opened.size(), 1u);
    EXPECT_EQ(unexpected.count, 0);
}

TEST(HelpUpdateCheck, SameOrOlderPublishedVersionSaysThisIsTheLatest)
{
    LoopbackHttpServer server;
    server.Route("/same-update.xml", {200, UpdateDocument(GetProductVersion().utf8_string()), ""});
    server.Route("/older-update.xml", {200, UpdateDocument("2.0.9"), ""});
    ScopedUpdateOption option("");
    DialogCounter unexpected;
    UpdateWindow window;

    for (const char* path : {"/same-update.xml", "/older-update.xml"}) {
        option.SetUpdateUrl(server.Address(path));
        ShownMessage seen;
        wxTEST_DIALOG(window.RunCheck(), ExpectMessageBox(wxID_OK, &seen));
        EXPECT_EQ(seen.message, "This version of " + kProduct + "(" + GetProductVersion() +
                                    ") is the latest version.")
            << path;
        EXPECT_EQ(seen.title, kProduct);
    }
    EXPECT_TRUE(window.opened.empty());
    EXPECT_EQ(unexpected.count, 0);
}

TEST(HelpUpdateCheck, BrokenMissingEmptyOrUnansweredDocumentsReportFailure)
{
    LoopbackHttpServer server;
    server.Route("/broken-update.xml", {200, "<updates><product name=\"" +
                                                 GetProductName().utf8_string() + "\"", ""});
    server.Route("/empty-version-update.xml", {200, UpdateDocument(""), ""});
    server.Route("/server-error-update.xml", {500, UpdateDocument("2.1.0"), ""});
    SilentServer silent;
    ScopedUpdateOption option("");
    DialogCounter unexpected;
    UpdateWindow window;

    for (const wxString& address :
         {server.Address("/broken-update.xml"), server.Address("/missing-update.xml"),
          server.Address("/empty-version-update.xml"), server.Address("/server-error-update.xml"),
          silent.Address("/zoruvede-update.xml")}) {
        option.SetUpdateUrl(address);
        ShownMessage seen;
        wxTEST_DIALOG(window.RunCheck(), ExpectMessageBox(wxID_OK, &seen));
        EXPECT_EQ(seen.message, kFailed) << address;
        EXPECT_EQ(seen.title, kProduct) << address;
    }
    EXPECT_TRUE(window.opened.empty());
    EXPECT_EQ(unexpected.count, 0);
}

TEST(HelpUpdateCheck, MissingOrMalformedAddressIsToldAndFetchesNothing)
{
    ScopedUpdateOption option("");
    UpdateWindow window;
    for (const char* address : {"", "-update.xml", "example.invalid/zoruvede-update.xml"}) {
        option.SetUpdateUrl(address);
        wxTEST_DIALOG(window.StartCheck(), ExpectMessage(wxID_OK, "No web address is configured"));
        EXPECT_FALSE(Probe(window.fixture.Frame()).Updates().IsRunning()) << address;
    }
    DialogCounter later;
    YieldFor(100);
    EXPECT_EQ(later.count, 0);
}

TEST(HelpUpdateCheck, WindowStaysUsableWhileTheServerIsSlowAndARepeatedCommandAsksOnce)
{
    LoopbackHttpServer server;
    server.Route("/zoruvede-update.xml", {200, UpdateDocument(GetProductVersion().utf8_string()), ""});
    ScopedUpdateOption option(server.Address("/zoruvede-update.xml"));
    DialogCounter unexpected;
    UpdateWindow window;
    Probe(window.fixture.Frame()).Updates().SetLimits(FetchLimits{5, 30});

    server.Hold();
    auto slowCheck = [&] {
        window.StartCheck();
        // The command returned while the server still holds the answer back.
        EXPECT_TRUE(Probe(window.fixture.Frame()).Updates().IsRunning());
        window.StartCheck();
        YieldFor(100);
        EXPECT_EQ(window.results, 0);
        server.Release();
        WaitFor("the update check's result", [&] { return window.results > 0; }, 20000);
        YieldFor(100);
    };
    ShownMessage seen;
    wxTEST_DIALOG(slowCheck(), ExpectMessageBox(wxID_OK, &seen));
    EXPECT_TRUE(seen.message.StartsWith("This version of ")) << seen.message;
    EXPECT_EQ(window.results, 1);
    EXPECT_EQ(unexpected.count, 0);
}

TEST(HelpUpdateCheck, ResultForAClosedWindowIsDroppedQuietly)
{
    LoopbackHttpServer server;
    server.Route("/zoruvede-update.xml", {200, UpdateDocument("2.1.0"), ""});
    ScopedUpdateOption option(server.Address("/zoruvede-update.xml"));
    DialogCounter shown;
    server.Hold();
    wxWeakRef<MainWindow> closed;
    {
        UpdateWindow window;
        closed = &window.fixture.Frame();
        window.StartCheck();
        ASSERT_TRUE(Probe(window.fixture.Frame()).Updates().IsRunning());
    }
    WaitFor("the window to be destroyed", [&] { return closed.get() == nullptr; });
    server.Release();
    YieldFor(300);
    EXPECT_EQ(shown.count, 0);
}
