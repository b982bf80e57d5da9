#include "core/files/scratch_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

std::string TempFolder()
{
    const char* folder = std::getenv("TMPDIR");
    return folder && *folder ? folder : "/tmp";
}

// Closes a descriptor when the scope ends.
struct Descriptor {
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            close(fd);
    }
};

} // namespace

ScratchFile::ScratchFile(const std::string& stem, std::string& error)
{
    std::string pattern = TempFolder() + "/zoruvede-" + stem + "-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0) {
        error = "no temporary file could be made in " + TempFolder() + ": " +
                std::strerror(errno);
        return;
    }
    close(fd);
    m_path = name.data();
}

ScratchFile::~ScratchFile()
{
    if (!m_path.empty())
        unlink(m_path.c_str());
}

bool ScratchFile::CopyTo(wxOutputStream& out, std::string& error) const
{
    Descriptor file{open(m_path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0) {
        error = "the temporary file " + m_path + " could not be read: " + std::strerror(errno);
        return false;
    }
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t got = read(file.fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = "the temporary file " + m_path + " could not be read: " +
                    std::strerror(errno);
            return false;
        }
        if (got == 0)
            return true;
        out.Write(buffer.data(), static_cast<size_t>(got));
        if (!out.IsOk() || out.LastWrite() != static_cast<size_t>(got)) {
            error = "the output refused the video's bytes";
            return false;
        }
    }
}
