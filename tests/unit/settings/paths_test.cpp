#include <gtest/gtest.h>
#include <wx/ffile.h>
#include <wx/filefn.h>

#include "core/settings/paths.h"
#include "core/settings/product.h"
#include "support/temp_dir.h"

TEST(AppBaseDir, IsTheParentOfTheExecutablesDirectory)
{
    EXPECT_EQ(AppBaseDirFromProgramPath("/opt/zoruvede/bin/zoruvede"), "/opt/zoruvede");
    EXPECT_EQ(AppBaseDirFromProgramPath("D:/Apps/Tool/bin/tool.exe"), "D:/Apps/Tool");
}

TEST(AppBaseDir, BackslashesCountAsSeparators)
{
    EXPECT_EQ(AppBaseDirFromProgramPath("D:\\X\\tool.exe"), "D:");
    EXPECT_EQ(AppBaseDirFromProgramPath("D:\\X\\tool.exe") + "/Themes", "D:/Themes");
}

TEST(AppBaseDir, PathWithoutSeparatorGivesEmptyBase)
{
    EXPECT_EQ(AppBaseDirFromProgramPath("zoruvede"), "");
    EXPECT_EQ(AppBaseDirFromProgramPath("zoruvede") + "/option.cfg", "/option.cfg");
    // One separator: the directory is found but it has no parent.
    EXPECT_EQ(AppBaseDirFromProgramPath("bin/zoruvede"), "");
    EXPECT_EQ(AppBaseDirFromProgramPath("/zoruvede"), "");
}

TEST(UserDataDir, CreatesMakerAndProductFoldersInsideDocuments)
{
    TempDir docs;
    const wxString dir = UserDataDirIn(docs.Path());
    EXPECT_EQ(dir, docs.Path() + "/Quorvantel files/Quorvantel GIF Zoruvede");
    EXPECT_TRUE(wxDirExists(dir));
    // A second call finds the folders in place and says nothing about them.
    EXPECT_EQ(UserDataDirIn(docs.Path()), dir);
}

TEST(Product, ConstantsReadAsTheUserSeesThem)
{
    EXPECT_EQ(GetProductName(), "Quorvantel GIF Zoruvede");
    EXPECT_EQ(GetMakerName(), "Quorvantel");
    EXPECT_EQ(GetProductVersion(), "2.0.31");
    EXPECT_EQ(YearOfBuildDate("Apr  2 2020"), 2020);
    EXPECT_EQ(YearOfBuildDate(""), 0);
    EXPECT_GE(YearOfBuildDate(GetBuildDate()), 2024);
}

TEST(Paths, SettingsLiveInTheXdgConfigurationFolder)
{
    EXPECT_EQ(ConfigDirIn("/x/conf", "/home/u"), "/x/conf/" + GetProductName());
    EXPECT_EQ(ConfigDirIn("", "/home/u"), "/home/u/.config/" + GetProductName());
    // A relative XDG_CACHE_HOME is ignored, as the base directory rules say.
    EXPECT_EQ(CacheDirIn("/x/cache", "/home/u"), "/x/cache/" + GetProductName());
    EXPECT_EQ(CacheDirIn("cache", "/home/u"), "/home/u/.cache/" + GetProductName());
    EXPECT_EQ(CacheDirIn("", "/home/u"), "/home/u/.cache/" + GetProductName());
}

TEST(Paths, AnOldSettingIsMovedOnceAndNeverOverANewOne)
{
    TempDir dir;
    const wxString old = dir.File("old.txt"), now = dir.File("new.txt");
    wxFFile(old, "wb").Write("89", 2);
    EXPECT_TRUE(MoveOldSetting(old, now));
    EXPECT_FALSE(wxFileExists(old));
    wxString text;
    wxFFile(now, "rb").ReadAll(&text);
    EXPECT_EQ(text, "89");
    wxFFile(old, "wb").Write("58", 2);
    EXPECT_FALSE(MoveOldSetting(old, now)) << "the new place's setting wins";
    EXPECT_TRUE(wxFileExists(old));
    EXPECT_FALSE(MoveOldSetting(dir.File("none.txt"), dir.File("other.txt")));
}
