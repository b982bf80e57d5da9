// The German catalog of the build tree in force for a scope. Unit tests run without a locale,
// so there is no earlier translations object to keep: the scope ends with none.
#pragma once

#include <gtest/gtest.h>
#include <wx/filefn.h>
#include <wx/translation.h>

class ScopedGermanCatalog {
public:
    ScopedGermanCatalog()
    {
        EXPECT_EQ(wxTranslations::Get(), nullptr);
        const wxString root = wxString(ZORUVEDE_BUILD_DIR) + "/Language";
        EXPECT_TRUE(wxFileExists(root + "/de/language.mo")) << "build the target zoruvede_data";
        wxFileTranslationsLoader::AddCatalogLookupPathPrefix(root);
        auto* german = new wxTranslations();
        german->SetLanguage(wxLANGUAGE_GERMAN);
        german->AddCatalog("language");
        wxTranslations::Set(german);
    }
    ~ScopedGermanCatalog() { wxTranslations::Set(nullptr); }
    ScopedGermanCatalog(const ScopedGermanCatalog&) = delete;
    ScopedGermanCatalog& operator=(const ScopedGermanCatalog&) = delete;
};
