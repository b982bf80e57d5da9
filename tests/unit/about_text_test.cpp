#include <algorithm>
#include <cstdint>
#include <map>
#include <string>

#include <gtest/gtest.h>
#include <wx/translation.h>

#include "app/about_text.h"
#include "app/product.h"

namespace {
void PutWord(std::string& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// The bytes of a compiled catalog (.mo, little-endian, no hash table) holding entries.
std::string CompiledCatalog(std::map<std::string, std::string> entries)
{
    entries[""] = "Content-Type: text/plain; charset=UTF-8\n";
    const uint32_t count = static_cast<uint32_t>(entries.size());
    const uint32_t originals = 28, translations = originals + 8 * count;
    uint32_t offset = translations + 8 * count;
    std::string header, strings;
    PutWord(header, 0x950412de);
    PutWord(header, 0);
    PutWord(header, count);
    PutWord(header, originals);
    PutWord(header, translations);
    PutWord(header, 0);
    PutWord(header, offset);
    std::string originalTable, translationTable;
    for (int column = 0; column < 2; ++column)
        for (const auto& entry : entries) { // std::map keeps the keys sorted, as the format asks
            const std::string& text = column == 0 ? entry.first : entry.second;
            std::string& table = column == 0 ? originalTable : translationTable;
            PutWord(table, static_cast<uint32_t>(text.size()));
            PutWord(table, offset);
            strings += text;
            strings.push_back('\0');
            offset += static_cast<uint32_t>(text.size()) + 1;
        }
    return header + originalTable + translationTable + strings;
}

class MemoryCatalogLoader : public wxTranslationsLoader {
public:
    explicit MemoryCatalogLoader(std::string bytes) : m_bytes(std::move(bytes)) {}
    wxMsgCatalog* LoadCatalog(const wxString& domain, const wxString& lang) override
    {
        if (lang != "de")
            return nullptr;
        return wxMsgCatalog::CreateFromData(
            wxScopedCharBuffer::CreateNonOwned(m_bytes.data(), m_bytes.size()), domain);
    }
    wxArrayString GetAvailableTranslations(const wxString&) const override
    {
        wxArrayString languages;
        languages.Add("de");
        return languages;
    }

private:
    std::string m_bytes;
};

// Makes the catalog the translation of every lookup while it lives. Unit tests run without
// a locale, so there is no earlier translations object to keep.
class ScopedGermanCatalog {
public:
    explicit ScopedGermanCatalog(const std::map<std::string, std::string>& entries)
    {
        auto* translations = new wxTranslations();
        translations->SetLoader(new MemoryCatalogLoader(CompiledCatalog(entries)));
        translations->SetLanguage("de");
        translations->AddCatalog("language");
        wxTranslations::Set(translations);
    }
    ~ScopedGermanCatalog() { wxTranslations::Set(nullptr); }
};
}

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
    EXPECT_EQ(englishVersion, GetProductName() + " " + GetProductVersion());

    ASSERT_EQ(wxTranslations::Get(), nullptr);
    ScopedGermanCatalog german({{"Copyright (C)", "Urheberrecht (C)"},
                                {"All rights reserved.", "Alle Rechte vorbehalten."},
                                {"%s %s", "%s, Ausgabe %s"}});
    ASSERT_EQ(wxGetTranslation("All rights reserved."), "Alle Rechte vorbehalten.");
    EXPECT_EQ(RightsNotice("Apr  2 2020"), "Urheberrecht (C) 2020 Quorvantel. Alle Rechte vorbehalten.");
    EXPECT_EQ(AboutVersionLine(), englishVersion);
}
