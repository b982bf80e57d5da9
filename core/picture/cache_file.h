// The file that holds compressed pictures beyond the memory budget. It lies in the user's
// cache folder under a name that carries the process id, "frames.PID.N.cache", and is
// unlinked as soon as it is open: the space comes back when the process closes it, even
// after a crash, and no other process sees it. A file left by a process that died between
// the two steps is removed at the next start, when that process no longer runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include <sys/types.h>

// $XDG_CACHE_HOME/zoruvede, or ~/.cache/zoruvede when the variable is unset, empty or not
// an absolute path.
std::string DefaultCacheFolder();

// Whether name (a bare file name) is a cache file's name; pid receives its process id.
bool ParseCacheFileName(const std::string& name, pid_t& pid);

// Removes from folder the cache files of this user whose processes no longer run. Best
// effort: what can't be listed or removed stays.
void RemoveStaleCacheFiles(const std::string& folder);

class CacheFile {
public:
    // A new, empty cache file in folder, made with its parents when missing. Null with
    // error set to the system's reason when it can't be made; path names the file tried.
    static std::unique_ptr<CacheFile> Create(const std::string& folder, std::string& path,
                                             std::string& error);
    ~CacheFile();
    CacheFile(const CacheFile&) = delete;
    CacheFile& operator=(const CacheFile&) = delete;

    const std::string& Path() const { return m_path; }

    // Both may run on several threads at once, on ranges that don't overlap. Each writes or
    // reads all size bytes or fails with error set to the reason.
    bool Write(uint64_t offset, const uint8_t* data, size_t size, std::string& error) const;
    bool Read(uint64_t offset, uint8_t* data, size_t size, std::string& error) const;

private:
    CacheFile(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}

    int m_fd;
    std::string m_path;
};
