#include "app/temp_file_name.h"

#include <cerrno>
#include <memory>
#include <random>

#include <dirent.h>
#include <signal.h>
#include <unistd.h>

namespace {

constexpr size_t kRandomLength = 6;  // mkstemp's XXXXXX

// In ASCII whatever the locale: mkstemp and to_string write nothing else.
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsLetterOrDigit(char c)
{
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool AllOf(const std::string& s, bool (*is)(char))
{
    for (char c : s)
        if (!is(c))
            return false;
    return true;
}

// Whether the process pid is gone. EPERM means it exists under another user.
bool ProcessGone(pid_t pid)
{
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

} // namespace

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string TempPattern(const std::string& path, pid_t pid)
{
    const size_t name = path.size() - BaseNameOf(path).size();
    return path.substr(0, name) + "." + path.substr(name) + "." + std::to_string(pid) + "." +
           std::string(kRandomLength, 'X');
}

std::string RandomTempName(const std::string& path, pid_t pid)
{
    static const char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<size_t> pick(0, sizeof kLetters - 2);
    std::string name = TempPattern(path, pid);
    for (size_t i = name.size() - kRandomLength; i < name.size(); ++i)
        name[i] = kLetters[pick(random)];
    return name;
}

bool IsTempFileOf(const std::string& entry, const std::string& targetName, pid_t& pid)
{
    const std::string prefix = "." + targetName + ".";
    if (entry.size() < prefix.size() + 2 + kRandomLength ||
        entry.compare(0, prefix.size(), prefix) != 0)
        return false;
    const size_t randomAt = entry.size() - kRandomLength;
    if (entry[randomAt - 1] != '.' || !AllOf(entry.substr(randomAt), IsLetterOrDigit))
        return false;
    const std::string digits = entry.substr(prefix.size(), randomAt - 1 - prefix.size());
    if (digits.empty() || digits.size() > 9 || !AllOf(digits, IsDigit))
        return false;
    pid = static_cast<pid_t>(std::stol(digits));
    return pid > 0;
}

void RemoveLeftoverTempFiles(const std::string& folder, const std::string& targetName)
{
    const std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir.get())) {
        pid_t pid = 0;
        if (IsTempFileOf(entry->d_name, targetName, pid) && ProcessGone(pid))
            ::unlinkat(::dirfd(dir.get()), entry->d_name, 0);
    }
}
