// The about box.
#include <wx/dialog.h>
#include <wx/hyperlink.h>
#include <wx/log.h>
#include <wx/stattext.h>
#include <wx/xrc/xmlres.h>

#include "core/settings/about_text.h"
#include "core/settings/domain_option.h"
#include "core/settings/product.h"
#include "ui/window/main_window.h"

void MainWindow::OnAbout(wxCommandEvent&)
{
    wxLogNull noLog;
    wxDialog dialog;
    if (!wxXmlResource::Get()->LoadDialog(&dialog, this, "AboutDialog"))
        return;

    if (auto* version = XRCCTRL(dialog, "m_static_version_name", wxStaticText))
        version->SetLabel(AboutVersionLine());
    if (auto* notice = XRCCTRL(dialog, "m_static_information", wxStaticText)) {
        notice->SetLabel(RightsNotice(GetBuildDate()));
        // The licence's sentence is long in every language: lines of a readable width.
        notice->Wrap(dialog.FromDIP(440));
    }
    if (auto* link = XRCCTRL(dialog, "m_hyperlink", wxHyperlinkCtrl)) {
        const wxString url = g_domainOption ? g_domainOption->m_downloadUrl : wxString();
        link->SetLabel(url);
        link->SetURL(url);
        // The page opens like every other product page, through the window's opener.
        link->Bind(wxEVT_HYPERLINK, [this](wxHyperlinkEvent& event) { OpenUrl(event.GetURL()); });
    }
    // The layout was sized for the placeholder texts.
    dialog.Fit();
    dialog.CentreOnParent();
    dialog.ShowModal();
}
