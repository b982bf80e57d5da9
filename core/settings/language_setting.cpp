#include "core/settings/language_setting.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/intl.h>
#include <wx/log.h>

#include "core/files/atomic_file.h"

namespace {
const MenuLanguage kMenuLanguages[] = {
    // Each name with a key of its own (Alt+H, L, then the key), as every language reads it.
    {LANG_CHINESE_SIMPLIFIED, "中文简体(&S)", "zh_CN"},
    {LANG_CHINESE_TRADITIONAL, "中文繁体(&T)", "zh_TW"},
    {LANG_GERMAN, "&Deutsch", "de"},
    {LANG_ENGLISH, "&English", "en"},
    {LANG_FRENCH, "&Français", "fr"},
    {LANG_ITALIAN, "&Italiano", "it"},
    {LANG_JAPANESE, "日本語(&J)", "ja"},
};

const int kToolkitLanguages[] = {
    wxLANGUAGE_CHINESE_SIMPLIFIED, wxLANGUAGE_CHINESE_TRADITIONAL, wxLANGUAGE_GERMAN,
    wxLANGUAGE_ENGLISH, wxLANGUAGE_FRENCH, wxLANGUAGE_ITALIAN, wxLANGUAGE_JAPANESE,
};
static_assert(sizeof kMenuLanguages / sizeof kMenuLanguages[0] ==
                  sizeof kToolkitLanguages / sizeof kToolkitLanguages[0],
              "every menu language maps to a toolkit language");

int IndexOf(int storedId)
{
    for (size_t i = 0; i < sizeof kMenuLanguages / sizeof kMenuLanguages[0]; ++i)
        if (kMenuLanguages[i].id == storedId)
            return static_cast<int>(i);
    return -1;
}
}

const MenuLanguage* MenuLanguages(size_t* count)
{
    *count = sizeof kMenuLanguages / sizeof kMenuLanguages[0];
    return kMenuLanguages;
}

int ToToolkitLanguage(int storedId)
{
    if (storedId == LANG_SYSTEM_DEFAULT)
        return wxLANGUAGE_DEFAULT;
    const int index = IndexOf(storedId);
    return index < 0 ? wxLANGUAGE_UNKNOWN : kToolkitLanguages[index];
}

wxString CatalogNameFor(int storedId)
{
    const int index = IndexOf(storedId);
    return index < 0 ? wxString() : wxString(kMenuLanguages[index].catalog);
}

int ParseLanguageId(const char* bytes, size_t length)
{
    char text[9] = {};
    std::memcpy(text, bytes, length < 8 ? length : 8);
    return std::atoi(text);
}

int ReadLanguageSetting(const wxString& path)
{
    if (!wxFileExists(path)) {
        WriteLanguageSetting(path, LANG_ENGLISH);
        return LANG_ENGLISH;
    }
    wxLogNull noLog;
    wxFFile file(path, "rb");
    if (!file.IsOpened())
        return 0;
    char bytes[8];
    const size_t got = file.Read(bytes, sizeof bytes);
    return ParseLanguageId(bytes, got);
}

bool WriteLanguageSetting(const wxString& path, int id, wxString* error)
{
    char text[16];
    const int n = std::snprintf(text, sizeof text, "%d", id);
    return WriteFileAtomically(path, text, static_cast<size_t>(n), error);
}
