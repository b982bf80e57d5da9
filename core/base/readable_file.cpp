#include "core/base/readable_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
void SetReason(wxString* reason, const wxString& text)
{
    if (reason)
        *reason = text;
}
}

bool CheckReadable(const wxString& path, wxString* reason)
{
    // Non-blocking: opening a named pipe for reading would otherwise wait for a writer.
    const int fd = ::open(path.fn_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        SetReason(reason, wxString::FromUTF8(std::strerror(errno)));
        return false;
    }
    struct stat st;
    const bool stated = ::fstat(fd, &st) == 0;
    ::close(fd);
    if (stated && S_ISDIR(st.st_mode)) {
        SetReason(reason, wxString::FromUTF8(std::strerror(EISDIR)));
        return false;
    }
    // Pipes, sockets and devices can block or never end; only plain files are read.
    if (!stated || !S_ISREG(st.st_mode)) {
        SetReason(reason, "not a regular file");
        return false;
    }
    return true;
}
