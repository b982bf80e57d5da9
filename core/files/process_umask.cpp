#include "core/files/process_umask.h"

#include <fstream>
#include <iterator>

namespace {
constexpr mode_t kDefaultUmask = 022;
}

mode_t UmaskFromStatus(const std::string& status, mode_t fallback)
{
    const std::string key = "\nUmask:";
    const std::string text = "\n" + status;
    const size_t at = text.find(key);
    if (at == std::string::npos)
        return fallback;
    size_t pos = at + key.size();
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    mode_t mask = 0;
    size_t digits = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '7'; ++pos, ++digits) {
        mask = mask * 8 + static_cast<mode_t>(text[pos] - '0');
        if (mask > 0777)
            return fallback;
    }
    const bool ended = pos == text.size() || text[pos] == '\n';
    return digits > 0 && ended ? mask : fallback;
}

mode_t CurrentUmask()
{
    std::ifstream file("/proc/self/status");
    if (!file)
        return kDefaultUmask;
    const std::string status((std::istreambuf_iterator<char>(file)),
                             std::istreambuf_iterator<char>());
    return UmaskFromStatus(status, kDefaultUmask);
}
