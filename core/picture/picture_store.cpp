#include "core/picture/picture_store.h"

#include <wx/intl.h>

#include "core/base/available_memory.h"
#include "core/picture/cache_file.h"

uint64_t DefaultPictureBudget(uint64_t freeMemory)
{
    return freeMemory > 0 ? freeMemory / 2 : uint64_t{1} << 30;
}

std::shared_ptr<PictureStore> PictureStore::Create(PictureStoreOptions options)
{
    if (options.budgetBytes == 0)
        options.budgetBytes = DefaultPictureBudget(AvailableMemory());
    if (options.cacheFolder.empty())
        options.cacheFolder = DefaultCacheFolder();
    RemoveStaleCacheFiles(options.cacheFolder);
    return std::shared_ptr<PictureStore>(new PictureStore(options));
}

PictureStore::PictureStore(const PictureStoreOptions& options)
    : m_budget(options.budgetBytes), m_folder(options.cacheFolder), m_decoded(options.decodedBytes)
{
}

// Closing the file frees its space: it was unlinked when it was made.
PictureStore::~PictureStore() = default;

uint64_t PictureStore::Add(std::vector<uint8_t> bytes)
{
    uint64_t key = 0;
    bool over = false;
    {
        auto shared = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
        const std::lock_guard<std::mutex> lock(m_mutex);
        key = m_nextKey++;
        Entry& entry = m_entries[key];
        entry.size = shared->size();
        entry.bytes = std::move(shared);
        entry.queued = true;
        entry.recent = m_recent.insert(m_recent.begin(), key);
        m_memoryBytes += entry.size;
        over = m_memoryBytes > m_budget && !m_fileFailed && !m_moving;
    }
    if (over)
        MoveOverBudget();
    return key;
}

PictureStore::Bytes PictureStore::Read(uint64_t key)
{
    uint64_t offset = 0, size = 0;
    CacheFile* file = nullptr;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        const auto found = m_entries.find(key);
        if (found == m_entries.end())
            return nullptr;
        Entry& entry = found->second;
        if (entry.bytes) {
            if (entry.queued)
                m_recent.splice(m_recent.begin(), m_recent, entry.recent);
            return entry.bytes;
        }
        offset = entry.offset, size = entry.size;
        file = m_file.get();
    }
    // The file is never closed before the store dies, and the caller's picture keeps these
    // bytes from being released and their space handed out again while they are read.
    auto bytes = std::make_shared<std::vector<uint8_t>>(size);
    std::string reason;
    if (file->Read(offset, bytes->data(), size, reason))
        return bytes;
    const std::lock_guard<std::mutex> lock(m_mutex);
    Tell(m_toldRead, {Trouble::Read, m_filePath, reason});
    return nullptr;
}

void PictureStore::Release(uint64_t key)
{
    m_decoded.Forget(key);
    Bytes freed;  // let go of after the lock
    const std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_entries.find(key);
    if (found == m_entries.end())
        return;
    Entry& entry = found->second;
    if (entry.queued)
        m_recent.erase(entry.recent);
    if (entry.bytes) {
        m_memoryBytes -= entry.size;
        freed = std::move(entry.bytes);
    } else {
        m_fileBytes -= entry.size;
        m_space.Give(entry.offset, entry.size);
    }
    m_entries.erase(found);
}

// The texts are made here, on the owner's thread, rather than where the trouble arose: the
// language may change on the window's thread while a worker adds pictures.
std::optional<wxString> PictureStore::TakeTrouble()
{
    std::vector<Trouble> troubles;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        troubles.swap(m_troubles);
    }
    std::optional<wxString> message;
    for (const Trouble& trouble : troubles) {
        const wxString path = wxString::FromUTF8(trouble.path);
        const wxString reason = wxString::FromUTF8(trouble.reason);
        const wxString text =
            trouble.kind == Trouble::Write
                ? wxString::Format(_("Frames can't be kept in the cache file %s:\n%s\nThey stay "
                                     "in memory, which may run short."),
                                   path, reason)
                : wxString::Format(_("Frames can't be read back from the cache file %s:\n%s"),
                                   path, reason);
        message = message ? *message + "\n\n" + text : text;
    }
    return message;
}

PictureStore::Figures PictureStore::Counts() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return {m_entries.size(), m_memoryBytes, m_fileBytes, m_space.End()};
}

// One thread moves at a time; the others go on adding meanwhile, and this one carries on
// until the memory held is back within the budget, theirs included.
void PictureStore::MoveOverBudget()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_moving)
        return;
    m_moving = true;
    while (m_memoryBytes > m_budget && !m_fileFailed && !m_recent.empty() && MoveOne(lock)) {
    }
    m_moving = false;
}

// Writes the least recently used picture in memory to the file, the lock let go meanwhile so
// that readers and adders go on. False when the file failed.
bool PictureStore::MoveOne(std::unique_lock<std::mutex>& lock)
{
    if (!m_file && !OpenFile())
        return false;
    const uint64_t key = m_recent.back();
    m_recent.pop_back();
    Entry& chosen = m_entries[key];
    chosen.queued = false;
    const Bytes bytes = chosen.bytes;
    const uint64_t offset = m_space.Take(chosen.size);

    lock.unlock();
    std::string reason;
    const bool written = m_file->Write(offset, bytes->data(), bytes->size(), reason);
    lock.lock();

    // The entry may have been released meanwhile; a reference into the map would not survive.
    const auto found = m_entries.find(key);
    if (found == m_entries.end() || !written) {
        m_space.Give(offset, bytes->size());
        if (found != m_entries.end()) {
            found->second.queued = true;
            found->second.recent = m_recent.insert(m_recent.begin(), key);
        }
    } else {
        found->second.bytes.reset();
        found->second.offset = offset;
        m_memoryBytes -= found->second.size;
        m_fileBytes += found->second.size;
    }
    if (!written) {
        m_fileFailed = true;
        Tell(m_toldWrite, {Trouble::Write, m_filePath, reason});
    }
    return written;
}

bool PictureStore::OpenFile()
{
    std::string reason;
    m_file = CacheFile::Create(m_folder, m_filePath, reason);
    if (m_file)
        return true;
    m_fileFailed = true;
    Tell(m_toldWrite, {Trouble::Write, m_filePath, reason});
    return false;
}

void PictureStore::Tell(bool& told, Trouble trouble)
{
    if (told)
        return;
    told = true;
    m_troubles.push_back(std::move(trouble));
}
