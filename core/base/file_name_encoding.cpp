#include "core/base/file_name_encoding.h"

#include <wx/intl.h>
#include <wx/strconv.h>
#include <wx/utils.h>

namespace {

// wxMBConvUTF8's MAP_INVALID_UTF8_TO_PUA puts an invalid byte b at this code point plus b.
constexpr wxUint32 kByteCharacters = 0x100000;

bool IsAscii(const wxString& charset)
{
    const wxString c = charset.Upper();
    return c.empty() || c == "ANSI_X3.4-1968" || c == "US-ASCII" || c == "ASCII" ||
           c == "646" || c == "POSIX" || c == "C";
}

} // namespace

wxString FileNameEncodingFor(const wxString& filenameEncodingVariable,
                             const wxString& localeCharset)
{
    const wxString first = filenameEncodingVariable.BeforeFirst(',').Strip(wxString::both);
    if (!first.empty() && first.CmpNoCase("@locale") != 0)
        return first.Upper();
    return IsAscii(localeCharset) ? wxString("UTF-8") : localeCharset.Upper();
}

void UseFileNameEncoding()
{
    wxString variable;
    wxGetEnv("G_FILENAME_ENCODING", &variable);
    static wxConvBrokenFileNames conversion(
        FileNameEncodingFor(variable, wxLocale::GetSystemEncodingName()));
    wxConvFileName = &conversion;
}

bool IsFileNameByteCharacter(wxUniChar c)
{
    const wxUint32 u = c.GetValue();
    return u >= kByteCharacters && u < kByteCharacters + 0x100;
}

std::string FileNameBytes(const wxString& name)
{
    const wxCharBuffer bytes = name.fn_str();
    return bytes.data() ? std::string(bytes.data(), bytes.length()) : std::string();
}

wxString FileNameFromBytes(const std::string& bytes)
{
    return wxString(bytes.c_str(), *wxConvFileName);
}
