#include "core/document/frame_order.h"

#include <algorithm>
#include <numeric>

namespace {

// The frames that stay, in list order.
std::vector<int> StayingPositions(int count, const std::vector<int>& moved)
{
    std::vector<int> staying;
    for (int i = 0; i < count; ++i)
        if (!std::binary_search(moved.begin(), moved.end(), i))
            staying.push_back(i);
    return staying;
}

}  // namespace

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

int MovedStart(int count, const std::vector<int>& indices, int gap)
{
    gap = std::clamp(gap, 0, std::max(count, 0));
    const std::vector<int> moved = ValidPositions(count, indices);
    const auto before = std::lower_bound(moved.begin(), moved.end(), gap) - moved.begin();
    return gap - static_cast<int>(before);
}

std::vector<int> MovedPositions(int count, const std::vector<int>& indices, int gap)
{
    std::vector<int> positions(ValidPositions(count, indices).size());
    std::iota(positions.begin(), positions.end(), MovedStart(count, indices, gap));
    return positions;
}

std::vector<int> OrderAfterMove(int count, const std::vector<int>& indices, int gap)
{
    const std::vector<int> moved = ValidPositions(count, indices);
    const std::vector<int> staying = StayingPositions(count, moved);
    const int start = MovedStart(count, moved, gap);
    std::vector<int> order(staying.begin(), staying.begin() + start);
    order.insert(order.end(), moved.begin(), moved.end());
    order.insert(order.end(), staying.begin() + start, staying.end());
    return order;
}

bool MoveChangesNothing(int count, const std::vector<int>& indices, int gap)
{
    const std::vector<int> moved = ValidPositions(count, indices);
    if (moved.empty())
        return true;
    const bool block = moved.back() - moved.front() + 1 == static_cast<int>(moved.size());
    return block && gap >= moved.front() && gap <= moved.back() + 1;
}

int GapForStep(int count, const std::vector<int>& indices, int step)
{
    const std::vector<int> moved = ValidPositions(count, indices);
    if (moved.empty() || step == 0)
        return -1;
    const int start = moved.front() + step;
    if (start < 0 || start > count - static_cast<int>(moved.size()))
        return -1;
    const std::vector<int> staying = StayingPositions(count, moved);
    return start == static_cast<int>(staying.size()) ? count : staying[start];
}

std::vector<int> ReverseOrder(int count, const std::vector<int>& indices)
{
    std::vector<int> chosen = ValidPositions(count, indices);
    std::vector<int> order(count);
    for (int i = 0; i < count; ++i)
        order[i] = i;
    if (chosen.size() < 2)
        chosen = order;
    // The chosen places are kept; the frames in them come in reverse.
    for (size_t i = 0; i < chosen.size(); ++i)
        order[chosen[i]] = chosen[chosen.size() - 1 - i];
    return order;
}

std::vector<int> InverseOrder(const std::vector<int>& order)
{
    std::vector<int> inverse(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        inverse[order[i]] = static_cast<int>(i);
    return inverse;
}
