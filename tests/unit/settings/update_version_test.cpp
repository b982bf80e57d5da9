#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/mstream.h>

#include "core/settings/product.h"
#include "core/settings/update_check.h"

namespace {
const std::string kProduct = GetProductName().utf8_string();

wxString Parse(const std::string& bytes)
{
    wxMemoryInputStream stream(bytes.data(), bytes.size());
    return ParseUpdateDocument(stream);
}

std::string Entry(const std::string& element, const std::string& attributes)
{
    return "<" + element + " " + attributes + "/>";
}

std::string Document(const std::string& children)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<updates>\n" + children + "\n</updates>\n";
}
}

TEST(UpdateDocument, VersionIsTheAttributeAfterTheProductNameWhateverTheNames)
{
    EXPECT_EQ(Parse(Document(Entry("product", "name=\"" + kProduct + "\" version=\"2.1.0\""))),
              "2.1.0");
    // Element and attribute names are free, other products may come first and last.
    EXPECT_EQ(Parse(Document(Entry("a", "id=\"Other Tool\" v=\"9.9\"") +
                             Entry("zz", "x=\"1\" y=\"" + kProduct + "\" z=\"2.0.40\" w=\"7\"") +
                             Entry("b", "id=\"Another\" v=\"8.8\""))),
              "2.0.40");
}

TEST(UpdateDocument, ProductNameOnLastAttributeIsNoEntry)
{
    EXPECT_EQ(Parse(Document(Entry("p", "v=\"2.5\" name=\"" + kProduct + "\""))), "");
    // ... and so it doesn't override an earlier real entry.
    EXPECT_EQ(Parse(Document(Entry("p", "name=\"" + kProduct + "\" v=\"2.2\"") +
                             Entry("p", "v=\"2.5\" name=\"" + kProduct + "\""))),
              "2.2");
}

TEST(UpdateDocument, NameDifferingInCaseOrBlanksDoesNotMatch)
{
    std::string lower = kProduct;
    for (char& c : lower)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    std::string plus = kProduct;
    for (char& c : plus)
        if (c == ' ')
            c = '+';
    for (const std::string& name : {lower, plus, kProduct + " ", " " + kProduct,
                                    kProduct.substr(0, kProduct.find(' ')) + "  " +
                                        kProduct.substr(kProduct.find(' ') + 1)})
        EXPECT_EQ(Parse(Document(Entry("p", "name=\"" + name + "\" v=\"3.0\""))), "") << name;
}

TEST(UpdateDocument, LaterEntryWinsButOnlyFirstMatchWithinOneElement)
{
    EXPECT_EQ(Parse(Document(Entry("p", "n=\"" + kProduct + "\" v=\"2.0.40\"") +
                             Entry("p", "n=\"" + kProduct + "\" v=\"2.0.35\""))),
              "2.0.35");
    EXPECT_EQ(Parse(Document(Entry("p", "n=\"" + kProduct + "\" v=\"2.2\" m=\"" + kProduct +
                                            "\" w=\"3.0\""))),
              "2.2");
}

TEST(UpdateDocument, EmptyVersionOrNoEntryGivesNothing)
{
    EXPECT_EQ(Parse(Document(Entry("p", "n=\"" + kProduct + "\" v=\"\""))), "");
    EXPECT_EQ(Parse(Document(Entry("p", "n=\"Other Tool\" v=\"2.9\""))), "");
    EXPECT_EQ(Parse(Document("")), "");
}

TEST(UpdateDocument, BrokenDocumentsGiveNothing)
{
    const std::string good = Entry("p", "n=\"" + kProduct + "\" v=\"2.1.0\"");
    const std::vector<std::string> broken = {
        "",
        "Quorvantel GIF Zoruvede 2.1.0",
        Document(good).substr(0, Document(good).size() - 12), // cut off before the root ends
        "<updates>" + good + "</update>",
        // Latin-1 bytes in a document read as UTF-8.
        "<updates>" + good + "<p n=\"Caf\xE9\" v=\"1\"/></updates>",
        std::string("<updates>\xFF\xFE") + good + "</updates>",
    };
    for (const std::string& bytes : broken)
        EXPECT_EQ(Parse(bytes), "") << bytes;
}

TEST(UpdateVersions, OrderFollowsTheNumbersNotTheText)
{
    const std::vector<const char*> ascending = {"1.9.99", "2.0.9",  "2.0.10", "2.0.31",
                                                "2.0.32", "2.1.0",  "2.10",   "10.0"};
    for (size_t i = 0; i < ascending.size(); ++i)
        for (size_t j = 0; j < ascending.size(); ++j) {
            const int order = CompareVersions(ascending[i], ascending[j]);
            if (i < j)
                EXPECT_LT(order, 0) << ascending[i] << " vs " << ascending[j];
            else if (i > j)
                EXPECT_GT(order, 0) << ascending[i] << " vs " << ascending[j];
            else
                EXPECT_EQ(order, 0) << ascending[i];
        }
}

TEST(UpdateVersions, ShorterAndLongerFormsCompareByTheirNumbers)
{
    EXPECT_EQ(CompareVersions("2.1", "2.1.0"), 0);
    EXPECT_EQ(CompareVersions("2.1.0.0", "2.1"), 0);
    EXPECT_LT(CompareVersions("2.0.31", "2.0.31.1"), 0);
    EXPECT_GT(CompareVersions("2.0.31.1", "2.0.31"), 0);
    EXPECT_LT(CompareVersions("2", "2.0.31"), 0);
    EXPECT_EQ(CompareVersions("2.0.31", " 2.0.31 "), 0);
    // A number too long for any integer still counts as large, not as a wrapped small one.
    EXPECT_LT(CompareVersions("2.0.31", "2.0.99999999999999999999999999"), 0);
}

TEST(UpdateAddress, OnlyAbsoluteHttpAddressesWithAHostAreFetched)
{
    for (const char* good : {"http://127.0.0.1:8080/zoruvede-update.xml",
                             "https://example.invalid/zoruvede/zoruvede-update.xml",
                             "HTTPS://example.invalid/x-update.xml"})
        EXPECT_TRUE(IsUpdateAddress(good)) << good;
    // The last one is what an option.cfg with an empty update value gives.
    for (const char* bad : {"", "not an address", "example.invalid/x-update.xml",
                            "ftp://example.invalid/x-update.xml", "file:///etc/x-update.xml",
                            "http:///x-update.xml", "-update.xml"})
        EXPECT_FALSE(IsUpdateAddress(bad)) << bad;
}
