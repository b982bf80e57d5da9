#include "core/files/temp_file_name.h"

#include "core/base/process_gone.h"

#include <memory>
#include <random>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr size_t kRandomLength = 6;  // mkstemp's XXXXXX
constexpr const char* kProvenSuffix = ".part";

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
    const uid_t user = ::geteuid();
    RemoveFilesOfGoneProcesses(folder, [&](const char* name, const struct stat& st, pid_t& pid) {
        return IsOurTempFile(name, st, targetName, user, pid);
    });
}
