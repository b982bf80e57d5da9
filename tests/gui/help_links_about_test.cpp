// Help > Help and Support open their pages through the window's opener; Help > About shows
// the product line, the copyright and licence notice and the download link.
#include <vector>

#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/hyperlink.h>
#include <wx/menuitem.h>
#include <wx/stattext.h>
#include <wx/testing.h>
#include <wx/xrc/xmlres.h>

#include "core/settings/about_text.h"
#include "core/settings/domain_option.h"
#include "core/settings/product.h"
#include "ui/window/main_window.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"
#include "support/temp_dir.h"

namespace {
// Installs a configuration record (or none) for the test's duration.
class ScopedOption {
public:
    explicit ScopedOption(bool present = true)
        : m_previous(g_domainOption), m_option("/nonexistent/option.cfg")
    {
        m_option.m_helpUrl = "https://example.invalid/zoruvede/help";
        m_option.m_supportUrl = "https://example.invalid/zoruvede/support";
        m_option.m_downloadUrl = "https://example.invalid/zoruvede/download";
        g_domainOption = present ? &m_option : nullptr;
    }
    ~ScopedOption() { g_domainOption = m_previous; }
    const DomainOption& operator*() const { return m_option; }

private:
    DomainOption* m_previous;
    DomainOption m_option;
};

struct AboutSeen {
    bool shown = false;
    wxString versionLine;
    wxString notice;
    wxString linkLabel;
    wxString linkUrl;
};

// Reads the about box's texts and clicks its link before closing it with OK.
class ExpectAboutBox : public wxExpectModalBase<wxDialog, ExpectAboutBox> {
public:
    explicit ExpectAboutBox(AboutSeen* seen) : m_seen(seen) {}

protected:
    int OnInvoked(wxDialog* dialog) const override
    {
        auto* version = XRCCTRL(*dialog, "m_static_version_name", wxStaticText);
        auto* notice = XRCCTRL(*dialog, "m_static_information", wxStaticText);
        auto* link = XRCCTRL(*dialog, "m_hyperlink", wxHyperlinkCtrl);
        if (!version || !notice || !link)
            return wxID_NONE; // not the about box
        m_seen->shown = true;
        m_seen->versionLine = version->GetLabel();
        m_seen->notice = notice->GetLabel();
        m_seen->linkLabel = link->GetLabel();
        m_seen->linkUrl = link->GetURL();
        wxHyperlinkEvent click(link, link->GetId(), link->GetURL());
        link->GetEventHandler()->ProcessEvent(click);
        return wxID_OK;
    }

private:
    AboutSeen* m_seen;
};

struct LinkWindow {
    LinkWindow()
    {
        Probe(fixture.Frame()).UrlOpener() = [this](const wxString& url) { opened.push_back(url); };
    }
    MainWindowFixture fixture;
    std::vector<wxString> opened;
};
}

TEST(HelpLinks, HelpAndSupportStopThePreviewAndOpenTheirPages)
{
    ScopedOption option;
    LinkWindow window;
    MainWindow& frame = window.fixture.Frame();
    TempDir dir;
    window.fixture.AddImages(
        wxArrayString(1, WritePicture(dir, "a.png", 40, 30)) /* one frame is enough to play */);
    ASSERT_EQ(frame.FrameCount(), 1);

    for (wxMenuItem* item : {MenuItem(frame, ID_HELP_PAGE), MenuItem(frame, ID_SUPPORT_PAGE)}) {
        window.fixture.Command(ID_RUN_ANIMATION);
        ASSERT_TRUE(Probe(frame).Player().Playing());
        window.fixture.Command(item->GetId());
        EXPECT_FALSE(Probe(frame).Player().Playing()) << item->GetItemLabelText();
        EXPECT_FALSE(Probe(frame).PreviewTimer().IsRunning()) << item->GetItemLabelText();
    }
    EXPECT_EQ(window.opened,
              (std::vector<wxString>{(*option).m_helpUrl, (*option).m_supportUrl}));
}

TEST(HelpLinks, WithoutConfigurationTheUserIsToldAndNoBrowserStarts)
{
    ScopedOption none(false);
    LinkWindow window;
    for (wxMenuItem* item : {MenuItem(window.fixture.Frame(), ID_HELP_PAGE),
                             MenuItem(window.fixture.Frame(), ID_SUPPORT_PAGE)})
        wxTEST_DIALOG(window.fixture.Command(item->GetId()),
                      ExpectMessage(wxID_OK, "No web address is configured"));
    EXPECT_TRUE(window.opened.empty());
}

TEST(HelpAbout, AboutBoxShowsProductLineNoticeAndDownloadLink)
{
    ScopedOption option;
    LinkWindow window;
    AboutSeen seen;
    wxTEST_DIALOG(window.fixture.Command(ID_ABOUT_BOX),
                  ExpectAboutBox(&seen));
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.versionLine, "Quorvantel GIF Zoruvede 2.0.31");
    // The box wraps the notice's lines to its width, at blanks.
    wxString shown = seen.notice, notice = RightsNotice(GetBuildDate());
    shown.Replace("\n", " ");
    notice.Replace("\n", " ");
    EXPECT_EQ(shown, notice);
    EXPECT_TRUE(shown.Contains("GPL-3.0-or-later")) << shown;
    EXPECT_TRUE(seen.notice.Contains(wxString::Format(" %d ", YearOfBuildDate(GetBuildDate()))))
        << seen.notice;
    EXPECT_EQ(seen.linkLabel, (*option).m_downloadUrl);
    EXPECT_EQ(seen.linkUrl, (*option).m_downloadUrl);
    // The link opens through the window's opener, like every product page.
    EXPECT_EQ(window.opened, std::vector<wxString>{(*option).m_downloadUrl});
}
