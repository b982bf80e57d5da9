// The pictures decoded last, kept so that the preview's current and next frames and an
// export's working set are not decoded twice: least recently used first out, bounded in
// bytes. Safe on any thread. A picture larger than the whole cache is not kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "core/picture/decoded_picture.h"

class DecodedCache {
public:
    explicit DecodedCache(size_t capacityBytes) : m_capacity(capacityBytes) {}

    // The picture kept under key, now the most recently used; null when none is.
    DecodedPictureRef Find(uint64_t key);
    void Put(uint64_t key, DecodedPictureRef picture);
    void Forget(uint64_t key);

    size_t Bytes() const;

private:
    using Order = std::list<std::pair<uint64_t, DecodedPictureRef>>;

    mutable std::mutex m_mutex;
    const size_t m_capacity;
    size_t m_bytes = 0;
    Order m_order;  // most recently used first
    std::unordered_map<uint64_t, Order::iterator> m_items;
};
