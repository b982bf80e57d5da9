#include "core/view/status_widths.h"

#include <algorithm>
#include <cstdint>

std::vector<int> SteadyStatusWants(const std::vector<int>& wanted, const std::vector<int>& shown,
                                   int available)
{
    std::vector<int> steady = wanted;
    int64_t total = 0;
    for (size_t i = 0; i < steady.size(); ++i) {
        if (i + 1 < steady.size() && i < shown.size() && wanted[i] > 0)
            steady[i] = std::max(wanted[i], shown[i]);
        total += std::max(0, steady[i]);
    }
    return total <= available ? steady : wanted;
}

std::vector<int> ShareStatusWidths(const std::vector<int>& wanted, int available, int kept)
{
    const int count = static_cast<int>(wanted.size());
    std::vector<int> widths(count, 0);
    if (count == 0)
        return widths;
    available = std::max(0, available);
    int64_t total = 0;
    for (int i = 0; i < count; ++i) {
        widths[i] = std::max(0, wanted[i]);
        total += widths[i];
    }
    if (total <= available) {
        widths.back() += available - static_cast<int>(total);
        return widths;
    }
    kept = std::clamp(kept, 0, count - 1);
    widths[kept] = std::min(widths[kept], available);
    const int left = available - widths[kept];
    const int64_t othersWanted = total - std::max(0, wanted[kept]);
    int given = 0;
    int lastOther = -1;
    for (int i = 0; i < count; ++i) {
        if (i == kept)
            continue;
        widths[i] = othersWanted > 0
            ? static_cast<int>(std::max<int64_t>(0, wanted[i]) * left / othersWanted)
            : 0;
        given += widths[i];
        if (wanted[i] > 0)
            lastOther = i;
    }
    // What rounding down kept back goes to a field that has text; with none, to the kept one.
    widths[lastOther >= 0 ? lastOther : kept] += left - given;
    return widths;
}
