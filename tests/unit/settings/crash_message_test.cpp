#include <gtest/gtest.h>
#include <wx/arrstr.h>

#include "core/settings/crash_message.h"

TEST(CrashMessage, EnglishMessageNamesFolderOnALineOfItsOwn)
{
    const wxString folder = "/tmp/zoruvede_dbgrpt-42-20200402T134510";
    const wxArrayString lines = wxSplit(CrashMessage(folder), '\n', '\0');
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Application have crashed due to some unknown reasons,");
    EXPECT_EQ(lines[1], "Please email the zip crashing report file that is generated in ");
    EXPECT_EQ(lines[2], folder);
    EXPECT_EQ(lines[3], " to us.");
}

TEST(CrashMessage, EveryPlaceholderGetsTheFolderAndTheFolderIsNotReinterpreted)
{
    EXPECT_EQ(FillCrashMessage("Bericht in %s.\nOrdner %s öffnen", "/tmp/r"),
              "Bericht in /tmp/r.\nOrdner /tmp/r öffnen");
    // A format call would read these as conversions of their own.
    EXPECT_EQ(FillCrashMessage("in %s and %s", "/tmp/50%s%d"), "in /tmp/50%s%d and /tmp/50%s%d");
}

TEST(CrashMessage, TimestampIsIsoDateBlankIsoTimeZeroPadded)
{
    EXPECT_EQ(CrashTimestamp(wxDateTime(5, wxDateTime::Jan, 2021, 3, 4, 5)), "2021-01-05 03:04:05");
    EXPECT_EQ(CrashTimestamp(wxDateTime(2, wxDateTime::Apr, 2020, 13, 45, 10)),
              "2020-04-02 13:45:10");
}
