// The compiled catalogs of the build tree (Language/<lang>/language.mo, made from
// Language/<lang>/language.po) load through the toolkit's translation classes alone, with the
// language that the Language menu maps each stored number to; no system locale is involved,
// so this also holds on a machine that has only C.UTF-8.
#include <gtest/gtest.h>
#include <wx/filefn.h>
#include <wx/translation.h>

#include <map>
#include <memory>
#include <string>

#include "core/settings/language_setting.h"

namespace {
const char* const kDomain = "language";

wxString CatalogRoot()
{
    return wxString(ZORUVEDE_BUILD_DIR) + "/Language";
}

wxString U(const char* utf8)
{
    return wxString::FromUTF8(utf8);
}

// The six menu languages that have a catalog, by stored number.
const int kTranslated[] = {LANG_CHINESE_SIMPLIFIED, LANG_CHINESE_TRADITIONAL, LANG_GERMAN,
                           LANG_FRENCH, LANG_ITALIAN, LANG_JAPANESE};

// One translations object per language, as the window's locale sets it up: the toolkit
// language of the stored number, the catalog "language" under the build's Language folder.
struct Catalog {
    std::unique_ptr<wxTranslations> translations = std::make_unique<wxTranslations>();
    bool added = false;

    explicit Catalog(int storedId)
    {
        wxFileTranslationsLoader::AddCatalogLookupPathPrefix(CatalogRoot());
        translations->SetLanguage(static_cast<wxLanguage>(ToToolkitLanguage(storedId)));
        added = translations->AddCatalog(kDomain);
    }

    // The translation of key (UTF-8), or "<none>" when the catalog has none.
    wxString operator()(const char* key) const
    {
        const wxString* found = translations->GetTranslatedString(U(key), kDomain);
        return found ? *found : wxString("<none>");
    }
};

const char* const kProjectQuestion =
    "The project is unsaved,you can continue to edit\n your project when you open it next "
    "time,do you \nwant to save the project now?";
const char* const kCrashMessage =
    "Application have crashed due to some unknown reasons,\nPlease email the zip crashing "
    "report file that is generated in \n%s\n to us.";
}

TEST(Catalog, EveryMenuLanguageButEnglishLoadsItsCompiledCatalog)
{
    size_t count = 0;
    const MenuLanguage* languages = MenuLanguages(&count);
    ASSERT_EQ(count, 7u);
    for (size_t i = 0; i < count; ++i) {
        const MenuLanguage& language = languages[i];
        SCOPED_TRACE(language.catalog);
        if (language.id == LANG_ENGLISH)
            continue;
        const wxString mo = CatalogRoot() + "/" + language.catalog + "/language.mo";
        ASSERT_TRUE(wxFileExists(mo)) << mo << " is missing: build the target zoruvede_data";
        Catalog catalog(language.id);
        EXPECT_TRUE(catalog.added);
        EXPECT_TRUE(catalog.translations->IsLoaded(kDomain));
        // Something that only this catalog says: the language's own word for "File".
        EXPECT_NE(catalog("File"), "<none>");
    }
}

TEST(Catalog, EnglishShowsTheKeysThemselves)
{
    Catalog english(LANG_ENGLISH);
    EXPECT_EQ(english("File"), "<none>");
    EXPECT_EQ(english("Delay "), "<none>");
}

TEST(Catalog, MenuTitlesAndLabelsReadInEachLanguage)
{
    struct Expected {
        const char* file;
        const char* frame;
        const char* animation;
        const char* help;
        const char* insertImage;
        const char* loopDialogTitle;
    };
    const std::map<int, Expected> expected = {
        {LANG_CHINESE_SIMPLIFIED, {"文件", "帧", "动画", "帮助", "插入图片(&I)", "循环次数"}},
        {LANG_CHINESE_TRADITIONAL, {"檔案", "影格", "動畫", "說明", "插入圖片(&I)", "循環次數"}},
        {LANG_GERMAN, {"Datei", "Einzelbild", "Animation", "Hilfe", "Bild &einfügen", "Wiederholungen"}},
        {LANG_FRENCH, {"Fichier", "Images", "Animation", "Aide", "&Insérer une image", "Nombre de boucles"}},
        {LANG_ITALIAN, {"File", "Fotogramma", "Animazione", "Aiuto", "&Inserisci immagine", "Ripetizioni"}},
        {LANG_JAPANESE, {"ファイル", "フレーム", "アニメーション", "ヘルプ", "画像を挿入(&I)", "ループ回数"}},
    };
    for (int id : kTranslated) {
        SCOPED_TRACE(id);
        const Catalog tr(id);
        const Expected& e = expected.at(id);
        EXPECT_EQ(tr("File"), U(e.file));
        EXPECT_EQ(tr("Frame"), U(e.frame));
        EXPECT_EQ(tr("Animation"), U(e.animation));
        EXPECT_EQ(tr("Help"), U(e.help));
        EXPECT_EQ(tr("&Insert Image"), U(e.insertImage));
        EXPECT_EQ(tr("Loop Counter"), U(e.loopDialogTitle));
    }
}

// The status bar's frame text is a format made of translated pieces; the pieces must leave
// the format intact.
TEST(Catalog, StatusTextBuiltFromTranslatedPiecesFormatsCleanly)
{
    const std::map<int, const char*> expected = {
        {LANG_CHINESE_SIMPLIFIED, "cat.png 宽度:640像素,高度:480 像素"},
        {LANG_CHINESE_TRADITIONAL, "cat.png 寬度:640像素,高度:480 像素"},
        {LANG_GERMAN, "cat.png Breite:640px,Höhe:480 px"},
        {LANG_FRENCH, "cat.png Largeur :640px,Hauteur :480 px"},
        {LANG_ITALIAN, "cat.png Larghezza:640px,Altezza:480 px"},
        {LANG_JAPANESE, "cat.png 幅:640px,高さ:480 px"},
    };
    for (int id : kTranslated) {
        SCOPED_TRACE(id);
        const Catalog tr(id);
        const wxString format = "%s " + tr("Width") + ":" + "%d" + tr("px") + "," + tr("Height") +
                                ":%d " + tr("px");
        EXPECT_EQ(wxString::Format(format, "cat.png", 640, 480), U(expected.at(id)));
    }
}

// Keys with odd blanks, spellings and line breaks are found exactly as the program writes them,
// and their translations keep what the program relies on.
TEST(Catalog, OddlySpelledKeysAreFoundAndKeepTheirShape)
{
    for (int id : kTranslated) {
        SCOPED_TRACE(id);
        const Catalog tr(id);
        for (const char* key : {"Delay ", "sec ", " Loading images....", " Saving images....",
                                "Image files ", "Image files", "Load Xml Files", "Xml files",
                                "Update failed!Please check if the network is available.",
                                "Are you sure you want to delete selected image(s)?"}) {
            SCOPED_TRACE(key);
            EXPECT_NE(tr(key), "<none>");
            EXPECT_NE(tr(key), U(key));
        }
        // The progress messages keep their leading blank.
        EXPECT_TRUE(tr(" Loading images....").StartsWith(" "));
        EXPECT_TRUE(tr(" Saving images....").StartsWith(" "));

        const wxString question = tr(kProjectQuestion);
        ASSERT_NE(question, "<none>");
        EXPECT_EQ(question.Freq('\n'), 2u);

        // The report folder replaces %s and stands on a line of its own.
        const wxString crash = tr(kCrashMessage);
        ASSERT_NE(crash, "<none>");
        EXPECT_EQ(crash.Freq('\n'), 3u);
        EXPECT_NE(crash.Find("\n%s\n"), wxNOT_FOUND);
        wxString filled = crash;
        EXPECT_EQ(filled.Replace("%s", "/tmp/report"), 1u);

        EXPECT_EQ(tr("&Delete").Freq('&'), 1u);
        EXPECT_EQ(tr("Delete").Freq('&'), 0u);
    }
}

TEST(Catalog, RightsNoticePiecesAreTranslated)
{
    const std::map<int, const char*> noWarranty = {
        {LANG_CHINESE_SIMPLIFIED, "在法律允许的范围内，本程序不提供任何担保。"},
        {LANG_CHINESE_TRADITIONAL, "在法律允許的範圍內，本程式不提供任何擔保。"},
        {LANG_GERMAN, "Es wird OHNE JEDE GEWÄHRLEISTUNG bereitgestellt, soweit das Gesetz es zulässt."},
        {LANG_FRENCH, "Il est fourni SANS AUCUNE GARANTIE, dans les limites permises par la loi."},
        {LANG_ITALIAN, "Viene fornito SENZA ALCUNA GARANZIA, nei limiti consentiti dalla legge."},
        {LANG_JAPANESE, "法律で認められる範囲において、一切の保証はありません。"},
    };
    const char* licence =
        "This program is free software: you can redistribute it and/or modify it under the terms "
        "of the GNU General Public License, version 3 or (at your option) any later version (%s).";
    for (int id : kTranslated) {
        SCOPED_TRACE(id);
        const Catalog tr(id);
        EXPECT_NE(tr("Copyright (C)"), "<none>");
        EXPECT_EQ(tr("It comes with ABSOLUTELY NO WARRANTY, to the extent permitted by law."),
                  U(noWarranty.at(id)));
        // The licence is named by its own words in every language, and its identifier goes in.
        EXPECT_TRUE(tr(licence).Contains("GNU General Public License")) << tr(licence);
        EXPECT_EQ(tr(licence).Freq('%'), 1u) << tr(licence);
    }
}

// A count takes the form its number needs by the catalog's own rule: French counts 0 as one,
// Japanese and Chinese have a single form.
TEST(Catalog, CountsTakeTheFormTheirNumberNeeds)
{
    const struct {
        int id;
        unsigned n;
        const char* expected;
    } cases[] = {
        {LANG_GERMAN, 1, "%d Einzelbild löschen"},     {LANG_GERMAN, 2, "%d Einzelbilder löschen"},
        {LANG_FRENCH, 0, "Supprimer %d image"},        {LANG_FRENCH, 1, "Supprimer %d image"},
        {LANG_FRENCH, 2, "Supprimer %d images"},       {LANG_ITALIAN, 1, "Elimina %d fotogramma"},
        {LANG_ITALIAN, 11, "Elimina %d fotogrammi"},   {LANG_JAPANESE, 1, "%d フレームの削除"},
        {LANG_JAPANESE, 7, "%d フレームの削除"},        {LANG_CHINESE_TRADITIONAL, 3, "刪除 %d 個影格"},
        {LANG_CHINESE_SIMPLIFIED, 1, "删除 %d 帧"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << " n=" << c.n);
        const Catalog tr(c.id);
        const wxString* found =
            tr.translations->GetTranslatedString("Delete %d Frame", c.n, kDomain);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(*found, U(c.expected));
    }
}
