#include "app/gif_app.h"
#include "ui/dialogs/message_boxes.h"

#include <wx/image.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/xrc/xmlres.h>

#include "core/settings/command_line.h"
#include "app/crash_report.h"
#include "core/settings/domain_option.h"
#include "core/settings/paths.h"
#include "core/settings/product.h"
#include "app/startup.h"
#include "core/base/trace.h"
#include "ui/window/main_window.h"

GifApp::GifApp()
{
    wxHandleFatalExceptions(true);
}

bool GifApp::OnInit()
{
    if (!wxApp::OnInit())
        return false;

    m_appLocale.reset();
    m_appLocale = std::make_unique<wxLocale>();
    {
        // Machines without an English system locale still run in English; the toolkit's
        // complaint about it must not reach the user.
        wxLogNull noLog;
        m_appLocale->Init(wxLANGUAGE_ENGLISH, wxLOCALE_LOAD_DEFAULT);
    }
    wxLocale::AddCatalogLookupPathPrefix("m_locale_");
    m_appLocale->AddCatalog("ui");

    wxLogNull noLog;
    wxInitAllImageHandlers();
    wxXmlResource::Get()->InitAllHandlers();
    LoadThemes(GetThemesDir());

    const wxString optionPath = GetOptionFilePath();
    Trace(optionPath.utf8_str());
    g_domainOption = new DomainOption(optionPath);
    LoadDomainOption();

    m_mainFrame = CreateMainWindow();
    if (!m_mainFrame) {
        // An incomplete installation: say so where the user looks, not only on a terminal.
        const wxString message = wxString::Format(
            _("The window layout could not be loaded from %s.\nPlease reinstall the program."),
            GetThemesDir());
        fprintf(stderr, "zoruvede: %s\n", static_cast<const char*>(message.utf8_str()));
        ShowMessage(message, GetProductName(), wxOK | wxICON_ERROR);
        return false;
    }
    m_mainFrame->Show();
    // Once the window is up, so the question has it as parent; the files come after it.
    MainWindow* frame = m_mainFrame;
    m_mainFrame->CallAfter([frame, files = m_startFiles] {
        frame->OfferRecovery();
        frame->OpenAtStart(files);
    });
    return true;
}

void GifApp::OnInitCmdLine(wxCmdLineParser& parser)
{
    wxApp::OnInitCmdLine(parser);
    AddFilesParameter(parser);
}

bool GifApp::OnCmdLineParsed(wxCmdLineParser& parser)
{
    if (!wxApp::OnCmdLineParsed(parser))
        return false;
    m_startFiles = FilesOfCommandLine(parser);
    return true;
}

int GifApp::OnExit()
{
    delete g_domainOption;
    g_domainOption = nullptr;
    return 0;
}

void GifApp::OnFatalException()
{
    GenerateCrashReport();
}
