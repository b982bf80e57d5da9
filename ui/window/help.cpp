// The Help menu's web links and update check.
#include <wx/app.h>
#include <wx/intl.h>
#include <wx/menuitem.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include "core/settings/domain_option.h"
#include "core/settings/paths.h"
#include "ui/dialogs/message_boxes.h"
#include "core/settings/product.h"
#include "core/settings/update_check.h"
#include "ui/window/main_window.h"

namespace {
// The configured address; empty when option.cfg wasn't read (or, in tests, no record exists).
wxString ConfiguredAddress(wxString DomainOption::*address)
{
    return g_domainOption ? g_domainOption->*address : wxString();
}
}

void MainWindow::OpenUrl(const wxString& url)
{
    if (m_urlOpener)
        m_urlOpener(url);
    else
        wxLaunchDefaultBrowser(url);
}

void MainWindow::OnWebLink(wxCommandEvent& event)
{
    StopPreview();
    switch (event.GetId()) {
    case ID_HELP_PAGE:
        OpenConfiguredPage(ConfiguredAddress(&DomainOption::m_helpUrl));
        break;
    case ID_SUPPORT_PAGE:
        OpenConfiguredPage(ConfiguredAddress(&DomainOption::m_supportUrl));
        break;
    case ID_CHECK_UPDATE:
        CheckForUpdate();
        break;
    }
}

void MainWindow::OpenConfiguredPage(const wxString& url)
{
    // A browser started with an empty address shows nothing the user can make sense of.
    if (url.empty())
        TellNoAddress();
    else
        OpenUrl(url);
}

void MainWindow::TellNoAddress()
{
    ShowMessage(wxString::Format(_("No web address is configured for this command.\n"
                                   "The addresses are read from %s."),
                                 GetOptionFilePath()),
                GetProductName(), wxOK | wxICON_INFORMATION, this);
}

void MainWindow::CheckForUpdate()
{
    // An address that can't be fetched is as good as none. A check already under way will
    // answer for this one too.
    const wxString address = ConfiguredAddress(&DomainOption::m_updateUrl);
    if (IsUpdateAddress(address))
        m_updateCheck.Start(address);
    else
        TellNoAddress();
}

void MainWindow::OnUpdateCheckResult(wxCommandEvent& event)
{
    // A result that arrives while the window is closing has nobody left to tell.
    if (wxTheApp && wxTheApp->IsScheduledForDestruction(this))
        return;
    const wxString published = event.GetString();
    const wxString product = GetProductName();
    if (published.empty()) {
        ShowMessage(_("Update failed!Please check if the network is available."), product,
                     wxOK | wxCENTRE, nullptr);
        return;
    }
    if (CompareVersions(GetProductVersion(), published) < 0) {
        MessageDialog dialog(this,
                               "A new version of " + product + "(" + published +
                                   ") is available. Click Yes to open download page.",
                               product, wxYES_NO | wxCENTRE);
        dialog.SetTitle(product);
        if (dialog.ShowModal() == wxID_YES)
            OpenUrl(ConfiguredAddress(&DomainOption::m_downloadUrl));
        return;
    }
    ShowMessage("This version of " + product + "(" + GetProductVersion() +
                     ") is the latest version.",
                 product, wxOK | wxCENTRE, nullptr);
}
