#include "core/picture/cache_space.h"

#include <iterator>

uint64_t CacheSpace::Take(uint64_t size)
{
    // First fit: the gaps of released pictures are few (as many as the pictures at most), and
    // frames of one recording have similar sizes, so most gaps fit the next one that comes.
    for (auto gap = m_gaps.begin(); gap != m_gaps.end(); ++gap) {
        if (gap->second < size)
            continue;
        const uint64_t offset = gap->first, rest = gap->second - size;
        m_gaps.erase(gap);
        if (rest > 0)
            m_gaps.emplace(offset + size, rest);
        m_free -= size;
        return offset;
    }
    const uint64_t offset = m_end;
    m_end += size;
    return offset;
}

void CacheSpace::Give(uint64_t offset, uint64_t size)
{
    if (size == 0)
        return;
    m_free += size;
    auto next = m_gaps.lower_bound(offset);
    if (next != m_gaps.begin()) {
        const auto before = std::prev(next);
        if (before->first + before->second == offset) {
            offset = before->first;
            size += before->second;
            m_gaps.erase(before);
        }
    }
    if (next != m_gaps.end() && offset + size == next->first) {
        size += next->second;
        m_gaps.erase(next);
    }
    m_gaps.emplace(offset, size);
}
