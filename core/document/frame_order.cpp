#include "core/document/frame_order.h"

#include <algorithm>

std::vector<int> ValidPositions(int count, const std::vector<int>& indices)
{
    std::vector<int> valid;
    for (int i : indices)
        if (i >= 0 && i < count)
            valid.push_back(i);
    std::sort(valid.begin(), valid.end());
    valid.erase(std::unique(valid.begin(), valid.end()), valid.end());
    return valid;
}
