#include "core/picture/decoded_cache.h"

DecodedPictureRef DecodedCache::Find(uint64_t key)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_items.find(key);
    if (found == m_items.end())
        return nullptr;
    m_order.splice(m_order.begin(), m_order, found->second);
    return found->second->second;
}

void DecodedCache::Put(uint64_t key, DecodedPictureRef picture)
{
    if (!picture || picture->Bytes() > m_capacity)
        return;
    // Dropped pictures are freed after the lock is let go: their holders may be many.
    Order dropped;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        const auto found = m_items.find(key);
        if (found != m_items.end()) {
            m_bytes -= found->second->second->Bytes();
            dropped.splice(dropped.end(), m_order, found->second);
            m_items.erase(found);
        }
        m_bytes += picture->Bytes();
        m_order.emplace_front(key, std::move(picture));
        m_items[key] = m_order.begin();
        while (m_bytes > m_capacity) {
            const auto last = std::prev(m_order.end());
            m_bytes -= last->second->Bytes();
            m_items.erase(last->first);
            dropped.splice(dropped.end(), m_order, last);
        }
    }
}

void DecodedCache::Forget(uint64_t key)
{
    Order dropped;
    const std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_items.find(key);
    if (found == m_items.end())
        return;
    m_bytes -= found->second->second->Bytes();
    dropped.splice(dropped.end(), m_order, found->second);
    m_items.erase(found);
}

size_t DecodedCache::Bytes() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_bytes;
}
