#include <gtest/gtest.h>
#include <wx/filefn.h>
#include <wx/translation.h>

#include "app/about_text.h"
#include "app/product.h"

TEST(AboutText, NoticeTakesTheYearOfTheBuildDateNotTheCurrentYear)
{
    EXPECT_EQ(RightsNotice("Apr  2 2020"), "Copyright (C) 2020 Quorvantel. All rights reserved.");
    EXPECT_EQ(RightsNotice("Dec 31 1999"), "Copyright (C) 1999 Quorvantel. All rights reserved.");
    // No year rather than a year 0.
    EXPECT_EQ(RightsNotice("unknown"), "Copyright (C) Quorvantel. All rights reserved.");
}

TEST(AboutText, NoticeFollowsTheCatalogWhileVersionLineStaysTheSame)
{
    const wxString englishVersion = AboutVersionLine();
    EXPECT_EQ(englishVersion, "Quorvantel GIF Zoruvede 2.0.31");

    // The German catalog of the build tree; unit tests run without a locale, so there is no
    // earlier translations object to keep.
    ASSERT_EQ(wxTranslations::Get(), nullptr);
    const wxString root = wxString(ZORUVEDE_BUILD_DIR) + "/Language";
    ASSERT_TRUE(wxFileExists(root + "/de/language.mo")) << "build the target zoruvede_data";
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(root);
    auto* german = new wxTranslations();
    german->SetLanguage(wxLANGUAGE_GERMAN);
    german->AddCatalog("language");
    wxTranslations::Set(german);

    const wxString prefix = wxGetTranslation("Copyright (C)");
    const wxString suffix = wxGetTranslation("All rights reserved.");
    const wxString notice = RightsNotice("Apr  2 2020");
    const wxString version = AboutVersionLine();
    wxTranslations::Set(nullptr);

    ASSERT_NE(suffix, "All rights reserved.") << "the German catalog lacks the notice";
    EXPECT_EQ(notice, prefix + " 2020 Quorvantel. " + suffix);
    EXPECT_EQ(version, englishVersion);
}
