// Where pictures lie in the cache file: space handed out at offsets and taken back, the
// space of released pictures reused before the file grows. Plain arithmetic, no file and no
// lock: the store calls it under its own.
#pragma once

#include <cstdint>
#include <map>

class CacheSpace {
public:
    // An offset with size bytes free after it: the first free gap large enough, else the end.
    uint64_t Take(uint64_t size);
    // Gives back the size bytes at offset that Take handed out; neighbouring gaps merge.
    void Give(uint64_t offset, uint64_t size);

    // The file's length so far: the end of the furthest space ever handed out.
    uint64_t End() const { return m_end; }
    // Free bytes below End().
    uint64_t Free() const { return m_free; }

private:
    std::map<uint64_t, uint64_t> m_gaps;  // offset -> length, none touching another
    uint64_t m_end = 0;
    uint64_t m_free = 0;
};
