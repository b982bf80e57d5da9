// The toolkit's debug assertions in tests: by default any assertion fails the running test;
// an AssertCatcher in scope records them instead, so a test can check that one fired.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/debug.h>
#include <wx/string.h>

struct CaughtAssert {
    std::string cond;
    std::string msg;
};

inline std::vector<CaughtAssert>*& ActiveAssertSink()
{
    static std::vector<CaughtAssert>* sink = nullptr;
    return sink;
}

inline void TestAssertHandler(const wxString& file, int line, const wxString& func,
                              const wxString& cond, const wxString& msg)
{
    if (std::vector<CaughtAssert>* sink = ActiveAssertSink()) {
        sink->push_back({cond.ToStdString(), msg.ToStdString()});
        return;
    }
    ADD_FAILURE() << "unexpected assertion at " << file << ":" << line << " in " << func
                  << ": " << cond << " " << msg;
}

inline void InstallFailingAssertHandler()
{
    wxSetAssertHandler(TestAssertHandler);
}

class AssertCatcher {
public:
    AssertCatcher() : m_previous(ActiveAssertSink()) { ActiveAssertSink() = &m_caught; }
    ~AssertCatcher() { ActiveAssertSink() = m_previous; }
    AssertCatcher(const AssertCatcher&) = delete;
    AssertCatcher& operator=(const AssertCatcher&) = delete;

    const std::vector<CaughtAssert>& Caught() const { return m_caught; }
    size_t Count() const { return m_caught.size(); }
    // True when an assertion whose condition or message contains text fired.
    bool Saw(const std::string& text) const
    {
        for (const CaughtAssert& a : m_caught)
            if (a.cond.find(text) != std::string::npos || a.msg.find(text) != std::string::npos)
                return true;
        return false;
    }

private:
    std::vector<CaughtAssert> m_caught;
    std::vector<CaughtAssert>* m_previous;
};
