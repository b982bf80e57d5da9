#include <gtest/gtest.h>
#include <wx/filefn.h>

#include "app/paths.h"
#include "app/product.h"
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
