#include "core/base/file_length_text.h"

#include <algorithm>

#include <wx/numformatter.h>

wxString FileLengthText(uint64_t bytes)
{
    if (bytes < 1000 * 1000)
        return wxString::Format("%llu kB",
                                static_cast<unsigned long long>(std::max<uint64_t>(1, (bytes + 500) / 1000)));
    const double megabytes = bytes / (1000.0 * 1000.0);
    if (megabytes < 999.5)
        return wxNumberFormatter::ToString(megabytes, megabytes >= 100 ? 0 : 1) + " MB";
    const double gigabytes = megabytes / 1000;
    return wxNumberFormatter::ToString(gigabytes, gigabytes >= 100 ? 0 : 1) + " GB";
}
