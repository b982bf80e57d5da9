#include <gtest/gtest.h>
#include <wx/filefn.h>
#include <wx/translation.h>

#include "app/about_text.h"
#include "app/product.h"
#include "support/german_catalog.h"

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

    wxString prefix, suffix, notice, version;
    {
        ScopedGermanCatalog german;
        prefix = wxGetTranslation("Copyright (C)");
        suffix = wxGetTranslation("All rights reserved.");
        notice = RightsNotice("Apr  2 2020");
        version = AboutVersionLine();
    }

    ASSERT_NE(suffix, "All rights reserved.") << "the German catalog lacks the notice";
    EXPECT_EQ(notice, prefix + " 2020 Quorvantel. " + suffix);
    EXPECT_EQ(version, englishVersion);
}
