// The compressed bytes of every picture of the process, within a memory budget: past it, the
// least recently used ones move to a cache file (cache_file.h) and are read back from there
// when asked for. One store a process, made by its owner (the window) and held by every
// picture made in it, so it lives as long as the last of them. Safe on any thread: pictures
// are added, read and released on several at once.
//
// When the cache file can't be made or written (an unwritable folder, a full disk), the store
// says so once through TakeTrouble and keeps every picture in memory from then on: nothing is
// lost, only memory is spent.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <wx/string.h>

#include "core/picture/cache_space.h"
#include "core/picture/decoded_cache.h"

class CacheFile;

// Half of free, an estimate of the memory the machine can give at start-up (0: unknown,
// which gives 1 GiB).
uint64_t DefaultPictureBudget(uint64_t freeMemory);

struct PictureStoreOptions {
    uint64_t budgetBytes = 0;           // compressed bytes kept in memory; 0: the default
    std::string cacheFolder;            // empty: DefaultCacheFolder()
    size_t decodedBytes = size_t{64} << 20;  // the decoded-picture cache: a few 1080p frames
};

class PictureStore {
public:
    using Bytes = std::shared_ptr<const std::vector<uint8_t>>;

    // A store; removes the cache files that dead processes left in its folder.
    static std::shared_ptr<PictureStore> Create(PictureStoreOptions options = {});
    ~PictureStore();
    PictureStore(const PictureStore&) = delete;
    PictureStore& operator=(const PictureStore&) = delete;

    // Takes a picture's compressed bytes; the key names them until Release. Moves pictures to
    // the cache file, on the calling thread, when the memory held passes the budget.
    uint64_t Add(std::vector<uint8_t> bytes);
    // The bytes of key: shared from memory, or read from the cache file. Null when the file
    // can't be read (TakeTrouble then says why).
    Bytes Read(uint64_t key);
    void Release(uint64_t key);

    // The one message about the cache file that the user has not been shown yet, naming the
    // file and the reason, or nothing. Each kind of trouble is told once.
    std::optional<wxString> TakeTrouble();

    DecodedCache& Decoded() { return m_decoded; }

    struct Figures {
        size_t pictures = 0;
        uint64_t memoryBytes = 0;  // compressed bytes held in memory
        uint64_t fileBytes = 0;    // compressed bytes in the cache file
        uint64_t fileLength = 0;   // the file's length, its free gaps included
    };
    Figures Counts() const;
    uint64_t Budget() const { return m_budget; }

private:
    struct Entry {
        Bytes bytes;  // null while in the file
        uint64_t offset = 0;
        uint64_t size = 0;
        bool queued = false;  // in m_recent: in memory and not being moved
        std::list<uint64_t>::iterator recent;
    };

    explicit PictureStore(const PictureStoreOptions& options);
    void MoveOverBudget();
    bool MoveOne(std::unique_lock<std::mutex>& lock);
    bool OpenFile();
    struct Trouble {
        enum Kind { Write, Read } kind;
        std::string path, reason;
    };
    void Tell(bool& told, Trouble trouble);

    const uint64_t m_budget;
    const std::string m_folder;
    DecodedCache m_decoded;

    mutable std::mutex m_mutex;
    std::unordered_map<uint64_t, Entry> m_entries;
    std::list<uint64_t> m_recent;  // keys in memory, most recently used first
    uint64_t m_nextKey = 1;
    uint64_t m_memoryBytes = 0;
    uint64_t m_fileBytes = 0;
    bool m_moving = false;     // a thread is moving pictures to the file
    bool m_fileFailed = false; // the file can't be made or written: everything stays in memory
    std::unique_ptr<CacheFile> m_file;
    std::string m_filePath;
    CacheSpace m_space;
    std::vector<Trouble> m_troubles;  // not taken yet
    bool m_toldWrite = false, m_toldRead = false;
};
