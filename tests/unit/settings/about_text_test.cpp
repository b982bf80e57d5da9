#include <gtest/gtest.h>
#include <wx/filefn.h>
#include <wx/translation.h>

#include "core/settings/about_text.h"
#include "core/settings/product.h"
#include "support/german_catalog.h"

namespace {
const char* const kLicence =
    "This program is free software: you can redistribute it and/or modify it under the terms "
    "of the GNU General Public License, version 3 or (at your option) any later version (%s).";
const char* const kNoWarranty =
    "It comes with ABSOLUTELY NO WARRANTY, to the extent permitted by law.";
}

TEST(AboutText, NoticeTakesTheYearOfTheBuildDateAndStatesTheLicence)
{
    const wxString licence = wxString::Format(kLicence, "GPL-3.0-or-later");
    EXPECT_EQ(RightsNotice("Apr  2 2020"),
              "Copyright (C) 2020 Quorvantel\n" + licence + "\n" + kNoWarranty);
    EXPECT_EQ(RightsNotice("Dec 31 1999").BeforeFirst('\n'), "Copyright (C) 1999 Quorvantel");
    // No year rather than a year 0.
    EXPECT_EQ(RightsNotice("unknown").BeforeFirst('\n'), "Copyright (C) Quorvantel");
    EXPECT_FALSE(RightsNotice("Apr  2 2020").Contains("rights reserved"));
}

TEST(AboutText, NoticeFollowsTheCatalogWhileVersionLineAndLicenceIdStayTheSame)
{
    const wxString englishVersion = AboutVersionLine();
    EXPECT_EQ(englishVersion, "Quorvantel GIF Zoruvede 2.0.31");

    wxString prefix, licence, warranty, notice, version;
    {
        ScopedGermanCatalog german;
        prefix = wxGetTranslation("Copyright (C)");
        licence = wxGetTranslation(kLicence);
        warranty = wxGetTranslation(kNoWarranty);
        notice = RightsNotice("Apr  2 2020");
        version = AboutVersionLine();
    }

    ASSERT_NE(licence, kLicence) << "the German catalog lacks the licence";
    ASSERT_NE(warranty, kNoWarranty) << "the German catalog lacks the warranty line";
    EXPECT_EQ(notice, prefix + " 2020 Quorvantel\n" +
                          wxString::Format(licence, "GPL-3.0-or-later") + "\n" + warranty);
    EXPECT_TRUE(notice.Contains("GPL-3.0-or-later"));
    EXPECT_EQ(version, englishVersion);
}
