#include "core/base/process_gone.h"

#include <cerrno>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

bool ProcessGone(pid_t pid)
{
    // Signal 0 only asks; EPERM means the process exists under another user.
    return pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH;
}

bool ParseDecimal(const std::string& text, size_t maxDigits, unsigned long long& value)
{
    if (text.empty() || text.size() > maxDigits || text[0] == '0')
        return false;
    value = 0;
    for (char c : text) {
        // In ASCII whatever the locale: to_string writes nothing else.
        if (c < '0' || c > '9')
            return false;
        const unsigned long long digit = static_cast<unsigned long long>(c - '0');
        if (value > (~0ull - digit) / 10)
            return false;
        value = value * 10 + digit;
    }
    return true;
}

namespace {
struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};
}

void RemoveFilesOfGoneProcesses(const std::string& folder, const LeftoverTest& ours)
{
    const std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir.get())) {
        struct stat st;
        pid_t pid = 0;
        if (::fstatat(::dirfd(dir.get()), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            ours(entry->d_name, st, pid) && ProcessGone(pid))
            ::unlinkat(::dirfd(dir.get()), entry->d_name, 0);
    }
}
