#include "core/files/fd_output_stream.h"

#include <cerrno>

#include <unistd.h>

FdOutputStream::~FdOutputStream()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FdOutputStream::Record(int err)
{
    if (m_errno == 0)
        m_errno = err;
    m_lasterror = wxSTREAM_WRITE_ERROR;
    return false;
}

size_t FdOutputStream::OnSysWrite(const void* data, size_t size)
{
    // A failure is final: bytes after a lost block would make a file that only looks whole.
    if (m_errno != 0 || m_fd < 0) {
        Record(EBADF);
        return 0;
    }
    const char* bytes = static_cast<const char*>(data);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(m_fd, bytes + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // write(2) gives 0 only for a count of 0; treat it as the device refusing.
            Record(n < 0 ? errno : EIO);
            return done;
        }
        done += static_cast<size_t>(n);
    }
    m_lasterror = wxSTREAM_NO_ERROR;
    return done;
}

bool FdOutputStream::SyncToDisk()
{
    if (m_fd < 0)
        return Record(EBADF);
    return ::fsync(m_fd) == 0 || Record(errno);
}

bool FdOutputStream::Close()
{
    if (m_fd < 0)
        return m_errno == 0;
    const int fd = m_fd;
    m_fd = -1;
    // Linux releases the descriptor even when close reports an error; never retry it.
    return ::close(fd) == 0 || Record(errno);
}
