#include "core/export/gif_save_options.h"

#include <algorithm>
#include <cstdlib>

#include <wx/numformatter.h>

namespace {
constexpr int kLevelQualities[kGifQualityLevelCount] = {100, 80, 60, 40};
constexpr double kBytesPerMegabyte = 1000.0 * 1000.0;

// Trailing zeros and a bare point go: "2.50" reads 2.5, "3.00" reads 3.
wxString WithoutTrailingZeros(wxString text)
{
    if (text.Find('.') == wxNOT_FOUND)
        return text;
    while (text.EndsWith("0"))
        text.RemoveLast();
    if (text.EndsWith("."))
        text.RemoveLast();
    return text;
}
}

bool GifSaveOptions::operator==(const GifSaveOptions& other) const
{
    return optimize == other.optimize && quality == other.quality &&
           keepUnder == other.keepUnder && limitBytes == other.limitBytes;
}

int QualityOfLevel(int level)
{
    return kLevelQualities[std::clamp(level, 0, kGifQualityLevelCount - 1)];
}

int LevelOfQuality(int quality)
{
    int best = 0;
    for (int level = 1; level < kGifQualityLevelCount; ++level)
        if (std::abs(kLevelQualities[level] - quality) < std::abs(kLevelQualities[best] - quality))
            best = level;
    return best;
}

std::optional<uint64_t> ParseMegabytes(const wxString& text)
{
    wxString number = text;
    number.Trim(true).Trim(false);
    number.Replace(",", ".");
    // Counted digit by digit rather than with strtod, which follows the locale's decimal
    // mark and takes "1e3", "inf" or "0x10" as numbers too.
    uint64_t whole = 0;
    uint64_t millionths = 0;
    uint64_t scale = 1000000;
    int digits = 0;
    bool point = false;
    for (wxUniChar c : number) {
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (c < '0' || c > '9')
            return std::nullopt;
        const int digit = static_cast<int>(c.GetValue() - '0');
        ++digits;
        if (!point) {
            whole = whole * 10 + digit;
            if (whole > static_cast<uint64_t>(kMaxLimitMegabytes))
                return std::nullopt;
        } else if (scale > 1) {
            scale /= 10;
            millionths += digit * scale;
        }
    }
    const uint64_t bytes = whole * 1000000 + millionths;
    if (digits == 0 || bytes == 0 || bytes > static_cast<uint64_t>(kMaxLimitMegabytes) * 1000000)
        return std::nullopt;
    return bytes;
}

wxString MegabytesText(uint64_t bytes)
{
    // Every digit down to the byte: a rounded text would be saved back as another limit (a
    // limit of 4000 bytes would read "0" and be refused). Counted in integers, so the decimal
    // mark is the point ParseMegabytes reads, whatever the locale.
    return WithoutTrailingZeros(wxString::Format("%llu.%06llu",
                                                 static_cast<unsigned long long>(bytes / 1000000),
                                                 static_cast<unsigned long long>(bytes % 1000000)));
}
