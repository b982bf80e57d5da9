// Entry point of the GUI tests: a real application object whose event loop runs the tests
// from its first idle moment, so that modal dialogs, timers and queued events behave as in
// the product. The real Themes files of the build tree are loaded, as start-up does.
#include <cstdlib>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/xrc/xmlres.h>

#include "app/startup.h"
#include "support/assert_catcher.h"
#include "support/temp_dir.h"

namespace {
class GuiTestApp : public wxApp {
public:
    bool OnInit() override
    {
        if (!wxApp::OnInit())
            return false;
        // Toolkit messages go to the test output: a log dialog nobody answers would hang the run.
        delete wxLog::SetActiveTarget(new wxLogStderr);
        wxInitAllImageHandlers();
        wxXmlResource::Get()->InitAllHandlers();
        if (LoadThemes(wxString(ZORUVEDE_BUILD_DIR) + "/Themes") == 0) {
            fprintf(stderr, "gui_tests: no layout files in %s/Themes\n", ZORUVEDE_BUILD_DIR);
            return false;
        }
        CallAfter([this] {
            m_result = RUN_ALL_TESTS();
            ExitMainLoop();
        });
        return true;
    }

    int OnRun() override
    {
        wxApp::OnRun();
        return m_result;
    }

private:
    int m_result = 1;
};
}

wxIMPLEMENT_APP_NO_MAIN(GuiTestApp);

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Listing the tests (CTest does it before each run) needs no display and no toolkit.
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    // Per-user settings (language.txt) go to a home of the test run's own.
    TempDir home;
    setenv("HOME", home.Path().utf8_str(), 1);
    setenv("XDG_CONFIG_HOME", (home.Path() + "/.config").utf8_str(), 1);
    InstallFailingAssertHandler();
    const int result = wxEntry(argc, argv);
    return result;
}
