// The application object: start-up, shut-down and the crash hook.
#pragma once

#include <memory>

#include <wx/app.h>
#include <wx/arrstr.h>
#include <wx/intl.h>

class MainWindow;

class GifApp : public wxApp {
public:
    GifApp();
    bool OnInit() override;
    void OnInitCmdLine(wxCmdLineParser& parser) override;
    bool OnCmdLineParsed(wxCmdLineParser& parser) override;
    int OnExit() override;
    void OnFatalException() override;

    MainWindow* m_mainFrame = nullptr;
    std::unique_ptr<wxLocale> m_appLocale;
    // The files of the command line, handed to the window once it is shown.
    wxArrayString m_startFiles;
};

wxDECLARE_APP(GifApp);
