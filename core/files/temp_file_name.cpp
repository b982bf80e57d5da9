#include "core/files/temp_file_name.h"

#include "core/base/process_gone.h"

#include <memory>
#include <random>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr size_t kRandomLength = 6;  // mkstemp's XXXXXX
constexpr const char* kProvenSuffix = ".part";

// In ASCII whatever the locale: mkstemp and to_string write nothing else.
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A whole number above 0 written as to_string writes it: digits, no leading zero, at most
// maxDigits of them.
bool ParseDecimal(const std::string& text, size_t maxDigits, unsigned long long& value)
{
    if (text.empty() || text.size() > maxDigits || text[0] == '0')
        return false;
    value = 0;
    for (char c : text) {
        if (!IsDigit(c))
            return false;
        const unsigned long long digit = static_cast<unsigned long long>(c - '0');
        if (value > (~0ull - digit) / 10)
            return false;
        value = value * 10 + digit;
    }
    return true;
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

std::string ProvenTempName(const std::string& path, pid_t pid, ino_t inode)
{
    const size_t name = path.size() - BaseNameOf(path).size();
    return path.substr(0, name) + "." + path.substr(name) + "." + std::to_string(pid) + "." +
           std::to_string(static_cast<unsigned long long>(inode)) + kProvenSuffix;
}

bool ParseProvenTempName(const std::string& entry, const std::string& targetName, pid_t& pid,
                         ino_t& inode)
{
    const std::string prefix = "." + targetName + ".";
    const std::string suffix = kProvenSuffix;
    if (entry.size() <= prefix.size() + suffix.size() ||
        entry.compare(0, prefix.size(), prefix) != 0 ||
        entry.compare(entry.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    const std::string numbers =
        entry.substr(prefix.size(), entry.size() - prefix.size() - suffix.size());
    const size_t dot = numbers.find('.');
    if (dot == std::string::npos)
        return false;
    unsigned long long pidValue = 0, inodeValue = 0;
    if (!ParseDecimal(numbers.substr(0, dot), 9, pidValue) ||
        !ParseDecimal(numbers.substr(dot + 1), 20, inodeValue))
        return false;
    pid = static_cast<pid_t>(pidValue);
    inode = static_cast<ino_t>(inodeValue);
    return true;
}

bool IsOurTempFile(const std::string& entry, const struct stat& st, const std::string& targetName,
                   uid_t user, pid_t& pid)
{
    ino_t inode = 0;
    return ParseProvenTempName(entry, targetName, pid, inode) && inode == st.st_ino &&
           S_ISREG(st.st_mode) && st.st_uid == user && st.st_nlink == 1;
}

void RemoveLeftoverTempFiles(const std::string& folder, const std::string& targetName)
{
    const std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
    if (!dir)
        return;
    const uid_t user = ::geteuid();
    while (const dirent* entry = ::readdir(dir.get())) {
        struct stat st;
        pid_t pid = 0;
        if (::fstatat(::dirfd(dir.get()), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            IsOurTempFile(entry->d_name, st, targetName, user, pid) && ProcessGone(pid))
            ::unlinkat(::dirfd(dir.get()), entry->d_name, 0);
    }
}
