#include <gtest/gtest.h>
#include <wx/ffile.h>

#include "core/settings/domain_option.h"
#include "support/temp_dir.h"

namespace {
wxString WriteOption(const TempDir& dir, const char* body)
{
    const wxString path = dir.File("option.cfg");
    wxFFile file(path, "wb");
    file.Write(wxString::FromUTF8(body), wxConvUTF8);
    return path;
}

const char kFull[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<o><p><a>help</a><b>two</b><c>support</c><d>four</d><e>https://u/x</e>"
    "<f>download</f><g>seven</g></p></o>";
}

TEST(DomainOption, ReadsSevenValuesByPosition)
{
    TempDir dir;
    DomainOption option(WriteOption(dir, kFull));
    EXPECT_TRUE(LoadDomainOption(option));
    EXPECT_EQ(option.m_helpUrl, "help");
    EXPECT_EQ(option.m_value2, "two");
    EXPECT_EQ(option.m_supportUrl, "support");
    EXPECT_EQ(option.m_value4, "four");
    EXPECT_EQ(option.m_updateUrl, "https://u/x-update.xml");
    EXPECT_EQ(option.m_downloadUrl, "download");
    EXPECT_EQ(option.m_value7, "seven");
}

TEST(DomainOption, ShortFileKeepsTheValuesBeforeTheGap)
{
    TempDir dir;
    DomainOption option(WriteOption(dir, "<o><p><a>help</a><b>2</b><c>support</c><d>4</d></p></o>"));
    EXPECT_FALSE(LoadDomainOption(option));
    EXPECT_EQ(option.m_helpUrl, "help");
    EXPECT_EQ(option.m_value2, "2");
    EXPECT_EQ(option.m_supportUrl, "support");
    EXPECT_EQ(option.m_value4, "4");
    EXPECT_EQ(option.m_updateUrl, "");
}

TEST(DomainOption, EmptyElementGivesEmptyValue)
{
    TempDir dir;
    DomainOption option(WriteOption(dir, "<o><p><a/><b></b><c>s</c><d/><e>u</e><f/><g/></p></o>"));
    EXPECT_TRUE(LoadDomainOption(option));
    EXPECT_EQ(option.m_helpUrl, "");
    EXPECT_EQ(option.m_supportUrl, "s");
    EXPECT_EQ(option.m_updateUrl, "u-update.xml");
}

TEST(DomainOption, ElementNamesDontMatterOnlyTheirOrder)
{
    TempDir dir;
    DomainOption option(WriteOption(
        dir, "<x><y><support>S</support><help>H</help><c/><d/><e/><f/><g/></y></x>"));
    EXPECT_TRUE(LoadDomainOption(option));
    EXPECT_EQ(option.m_helpUrl, "S");
    EXPECT_EQ(option.m_value2, "H");
}

TEST(DomainOption, MissingOrBrokenFileLeavesEverythingEmpty)
{
    TempDir dir;
    DomainOption missing(dir.File("nothing.cfg"));
    EXPECT_FALSE(LoadDomainOption(missing));
    EXPECT_EQ(missing.m_helpUrl, "");

    DomainOption broken(WriteOption(dir, "<o><p><a>help</a>"));
    EXPECT_FALSE(LoadDomainOption(broken));
    EXPECT_EQ(broken.m_helpUrl, "");

    DomainOption rootOnly(WriteOption(dir, "<o/>"));
    EXPECT_FALSE(LoadDomainOption(rootOnly));
}
