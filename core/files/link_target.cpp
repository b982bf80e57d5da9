#include "core/files/link_target.h"

#include <cerrno>
#include <climits>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The most links the system itself follows in one path (MAXSYMLINKS).
constexpr int kMaxLinks = 40;

bool IsLink(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool ReadLink(const std::string& path, std::string& text, int& error)
{
    std::vector<char> buffer(PATH_MAX);
    const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (n < 0 || static_cast<size_t>(n) >= buffer.size()) {
        error = n < 0 ? errno : ENAMETOOLONG;
        return false;
    }
    text.assign(buffer.data(), static_cast<size_t>(n));
    return true;
}

} // namespace

std::string LinkTextPath(const std::string& linkPath, const std::string& text)
{
    const size_t slash = linkPath.rfind('/');
    if (text.empty() || text[0] == '/' || slash == std::string::npos)
        return text;
    return linkPath.substr(0, slash + 1) + text;
}

bool FollowLinks(const std::string& path, std::string& target, int& error)
{
    target = path;
    for (int links = 0; IsLink(target); ++links) {
        std::string text;
        if (links == kMaxLinks) {
            error = ELOOP;
            return false;
        }
        if (!ReadLink(target, text, error))
            return false;
        target = LinkTextPath(target, text);
    }
    return true;
}
