// The interface language: stored per user, applied through the toolkit's locale.
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/statusbr.h>

#include "core/settings/language_setting.h"
#include "ui/dialogs/message_boxes.h"
#include "core/settings/paths.h"
#include "core/settings/product.h"
#include "ui/window/main_window.h"

int MainWindow::ReadLanguageSetting()
{
    return ::ReadLanguageSetting(GetLanguageFilePath());
}

void MainWindow::ApplyLanguage(int id)
{
    // The previous window locale goes first, which makes the application-wide one current
    // again; at most one window locale exists at a time.
    m_locale.reset();
    m_locale = std::make_unique<wxLocale>();
    int language = ToToolkitLanguage(id);
    // A number outside the menu's table keeps the texts in English.
    if (language == wxLANGUAGE_UNKNOWN)
        language = wxLANGUAGE_ENGLISH;
    {
        // A system without that locale installed makes the toolkit complain; the catalogs
        // still load, and the user must not see the complaint.
        wxLogNull noLog;
        m_locale->Init(language, wxLOCALE_LOAD_DEFAULT);
    }
    wxLocale::AddCatalogLookupPathPrefix(GetAppBaseDir() + "/Language");
    m_locale->AddCatalog("language");
}

void MainWindow::OnLanguage(wxCommandEvent& event)
{
    m_language = event.GetId();
    wxString error;
    const wxString path = GetLanguageFilePath();
    const bool stored = ::WriteLanguageSetting(path, m_language, &error);
    ApplyLanguage(m_language);
    BuildMenuBar();
    if (FrameCount() > 0)
        EnableFrameTools();
    else
        DisableFrameTools();
    // The preview keeps running; its command keeps saying that it stops it.
    if (m_player.Playing())
        SetStopLook();
    RelabelControls();
    // The change applies all the same; the user learns that the next start won't keep it.
    if (!stored)
        ShowMessage(wxString::Format(_("The language could not be stored in %s:\n%s"), path, error),
                     GetProductName(), wxOK | wxICON_WARNING, this);
}

void MainWindow::RelabelControls()
{
    SetLabels();
    // Field 1 names the frame shown; with none shown it stays empty.
    m_statusBar->SetStatusText(m_shownIndex >= 0 ? FrameStatusText() : wxString(), 1);
    ShowLength();
    ShowCanvas();
    UpdateTitle();
}
