// The interface language as stored in language.txt and offered by the Language menu.
// The stored number (and the menu item id) uses the product's own numbering; the toolkit
// numbers its languages differently, and ToToolkitLanguage is the one place that maps them.
#pragma once

#include <cstddef>

#include <wx/string.h>

enum StoredLanguage {
    LANG_SYSTEM_DEFAULT = 0,
    LANG_CHINESE_SIMPLIFIED = 46,
    LANG_CHINESE_TRADITIONAL = 47,
    LANG_ENGLISH = 58,
    LANG_FRENCH = 80,
    LANG_GERMAN = 89,
    LANG_ITALIAN = 110,
    LANG_JAPANESE = 112,
};

struct MenuLanguage {
    int id;              // stored number and menu item id
    const char* label;   // the language's own name, UTF-8, never translated
    const char* catalog; // folder of its catalogs under Language/
};

// The seven languages of the menu, in menu order.
const MenuLanguage* MenuLanguages(size_t* count);

// The toolkit's wxLanguage for a stored number; wxLANGUAGE_UNKNOWN for numbers outside the table.
int ToToolkitLanguage(int storedId);
// The catalog folder name for a stored number; empty for the default and unknown ones.
wxString CatalogNameFor(int storedId);

// What the standard string-to-integer conversion makes of the first bytes of the file:
// leading blanks, an optional sign, digits up to the first non-digit; 0 without digits.
int ParseLanguageId(const char* bytes, size_t length);
// The stored id, read from path: 58 (written to the file) when the file doesn't exist,
// 0 when it can't be read.
int ReadLanguageSetting(const wxString& path);
// Stores id as decimal digits without end of line. False (with error naming the reason, when
// given) when it couldn't be written; the previous file then stays as it was.
bool WriteLanguageSetting(const wxString& path, int id, wxString* error = nullptr);
