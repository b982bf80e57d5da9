#include <gtest/gtest.h>
#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/intl.h>

#include "core/settings/language_setting.h"
#include "support/temp_dir.h"

namespace {
wxString WriteBytes(const TempDir& dir, const char* bytes)
{
    const wxString path = dir.File("language.txt");
    wxFFile file(path, "wb");
    file.Write(bytes, strlen(bytes));
    return path;
}

std::string ReadBytes(const wxString& path)
{
    wxFFile file(path, "rb");
    char buffer[32] = {};
    const size_t n = file.Read(buffer, sizeof buffer);
    return std::string(buffer, n);
}
}

TEST(LanguageSetting, MissingFileIsCreatedHoldingEnglish)
{
    TempDir dir;
    const wxString path = dir.File("language.txt");
    EXPECT_EQ(ReadLanguageSetting(path), LANG_ENGLISH);
    EXPECT_EQ(ReadBytes(path), "58");
}

TEST(LanguageSetting, ReadsLikeTheStandardIntegerConversion)
{
    TempDir dir;
    EXPECT_EQ(ReadLanguageSetting(WriteBytes(dir, "89")), 89);
    EXPECT_EQ(ReadLanguageSetting(WriteBytes(dir, " 80abc")), 80);
    EXPECT_EQ(ReadLanguageSetting(WriteBytes(dir, "abc")), 0);
    EXPECT_EQ(ReadLanguageSetting(WriteBytes(dir, "")), 0);
    EXPECT_EQ(ReadLanguageSetting(WriteBytes(dir, "-7")), -7);
    // Only the first eight bytes count.
    EXPECT_EQ(ReadLanguageSetting(WriteBytes(dir, "        112")), 0);
    EXPECT_EQ(ReadLanguageSetting(WriteBytes(dir, "123456789")), 12345678);
}

TEST(LanguageSetting, WritesDigitsWithoutEndOfLine)
{
    TempDir dir;
    const wxString path = dir.File("language.txt");
    ASSERT_TRUE(WriteLanguageSetting(path, 112));
    EXPECT_EQ(ReadBytes(path), "112");
    ASSERT_TRUE(WriteLanguageSetting(path, 5));
    EXPECT_EQ(ReadBytes(path), "5");
}

TEST(LanguageSetting, UnwritableFolderReportsFailure)
{
    EXPECT_FALSE(WriteLanguageSetting("/nonexistent-folder/language.txt", 58));
}

TEST(LanguageIds, MenuNumbersMapToTheToolkitsLanguages)
{
    EXPECT_EQ(ToToolkitLanguage(LANG_ENGLISH), wxLANGUAGE_ENGLISH);
    EXPECT_EQ(ToToolkitLanguage(LANG_GERMAN), wxLANGUAGE_GERMAN);
    EXPECT_EQ(ToToolkitLanguage(LANG_CHINESE_SIMPLIFIED), wxLANGUAGE_CHINESE_SIMPLIFIED);
    EXPECT_EQ(ToToolkitLanguage(LANG_CHINESE_TRADITIONAL), wxLANGUAGE_CHINESE_TRADITIONAL);
    EXPECT_EQ(ToToolkitLanguage(LANG_JAPANESE), wxLANGUAGE_JAPANESE);
    EXPECT_EQ(ToToolkitLanguage(0), wxLANGUAGE_DEFAULT);
    EXPECT_EQ(ToToolkitLanguage(5), wxLANGUAGE_UNKNOWN);
    EXPECT_EQ(CatalogNameFor(LANG_FRENCH), "fr");
    EXPECT_EQ(CatalogNameFor(5), "");

    size_t count = 0;
    const MenuLanguage* languages = MenuLanguages(&count);
    ASSERT_EQ(count, 7u);
    const int order[] = {46, 47, 89, 58, 80, 110, 112};
    for (size_t i = 0; i < count; ++i)
        EXPECT_EQ(languages[i].id, order[i]);
}
