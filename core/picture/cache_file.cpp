#include "core/picture/cache_file.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/base/process_gone.h"

namespace {

constexpr const char* kPrefix = "frames.";
constexpr const char* kSuffix = ".cache";

// Makes folder and its missing parents, private to the user, like mkdir -p.
bool MakeFolders(const std::string& folder, std::string& error)
{
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            error = std::strerror(errno);
            return false;
        }
        if (slash == std::string::npos)
            break;
    }
    struct stat st;
    if (::stat(folder.c_str(), &st) != 0) {
        error = std::strerror(errno);
        return false;
    }
    if (!S_ISDIR(st.st_mode))
        error = std::strerror(ENOTDIR);
    return S_ISDIR(st.st_mode);
}

} // namespace

std::string DefaultCacheFolder()
{
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache && cache[0] == '/')
        return std::string(cache) + "/zoruvede";
    const char* home = std::getenv("HOME");
    return std::string(home && home[0] ? home : "/tmp") + "/.cache/zoruvede";
}

bool ParseCacheFileName(const std::string& name, pid_t& pid)
{
    const std::string prefix = kPrefix, suffix = kSuffix;
    if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix))
        return false;
    const std::string numbers =
        name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    const size_t dot = numbers.find('.');
    unsigned long long pidValue = 0, serial = 0;
    if (dot == std::string::npos || !ParseDecimal(numbers.substr(0, dot), 18, pidValue) ||
        (numbers.substr(dot + 1) != "0" && !ParseDecimal(numbers.substr(dot + 1), 18, serial)) ||
        pidValue > 0x7fffffff)
        return false;
    pid = static_cast<pid_t>(pidValue);
    return true;
}

void RemoveStaleCacheFiles(const std::string& folder)
{
    const uid_t user = ::geteuid();
    RemoveFilesOfGoneProcesses(folder, [user](const char* name, const struct stat& st, pid_t& pid) {
        return ParseCacheFileName(name, pid) && S_ISREG(st.st_mode) && st.st_uid == user;
    });
}

std::unique_ptr<CacheFile> CacheFile::Create(const std::string& folder, std::string& path,
                                             std::string& error)
{
    static std::atomic<unsigned> serial{0};
    const std::string name = folder + "/" + kPrefix + std::to_string(::getpid()) + ".";
    path = name + std::to_string(serial.load()) + kSuffix;
    if (!MakeFolders(folder, error))
        return nullptr;
    // A name of this process may be taken by a file of an earlier boot's process of the same
    // id; O_EXCL moves on to the next number rather than write into it.
    for (int tries = 0; tries < 100; ++tries) {
        path = name + std::to_string(serial++) + kSuffix;
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::unlink(path.c_str());
            return std::unique_ptr<CacheFile>(new CacheFile(fd, path));
        }
        if (errno != EEXIST)
            break;
    }
    error = std::strerror(errno);
    return nullptr;
}

CacheFile::~CacheFile()
{
    ::close(m_fd);
}

bool CacheFile::Write(uint64_t offset, const uint8_t* data, size_t size, std::string& error) const
{
    while (size > 0) {
        const ssize_t written = ::pwrite(m_fd, data, size, static_cast<off_t>(offset));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            error = std::strerror(written < 0 ? errno : ENOSPC);
            return false;
        }
        data += written, size -= static_cast<size_t>(written), offset += written;
    }
    return true;
}

bool CacheFile::Read(uint64_t offset, uint8_t* data, size_t size, std::string& error) const
{
    while (size > 0) {
        const ssize_t got = ::pread(m_fd, data, size, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            // Nothing where the store wrote: the file was cut short behind our back.
            error = std::strerror(got < 0 ? errno : EIO);
            return false;
        }
        data += got, size -= static_cast<size_t>(got), offset += got;
    }
    return true;
}
