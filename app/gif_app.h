// The application object: start-up, shut-down and the crash hook.
#pragma once

#include <memory>

#include <wx/app.h>
#include <wx/intl.h>

class GifFrame;

class GifApp : public wxApp {
public:
    GifApp();
    bool OnInit() override;
    int OnExit() override;
    void OnFatalException() override;

    GifFrame* m_mainFrame = nullptr;
    std::unique_ptr<wxLocale> m_appLocale;
};

wxDECLARE_APP(GifApp);
