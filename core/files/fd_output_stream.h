// An output stream over a file descriptor it owns. Unlike the toolkit's file stream it
// writes every byte it is given (a short write, as a filling disk gives, is continued until
// the system reports why it stops), and it keeps that reason: the errno of the failed call,
// ENOSPC for a full disk, rather than a generic write error.
#pragma once

#include <wx/stream.h>

class FdOutputStream : public wxOutputStream {
public:
    // Takes ownership of fd (closed by the destructor unless Close was called).
    explicit FdOutputStream(int fd) : m_fd(fd) {}
    ~FdOutputStream() override;
    FdOutputStream(const FdOutputStream&) = delete;
    FdOutputStream& operator=(const FdOutputStream&) = delete;

    int Fd() const { return m_fd; }
    // The errno of the first failed write, sync or close; 0 while none failed.
    int SystemError() const { return m_errno; }
    // fsync(2); false (with SystemError set) when it fails.
    bool SyncToDisk();
    // close(2); false (with SystemError set) when it fails. The descriptor is gone either way.
    bool Close() override;

protected:
    size_t OnSysWrite(const void* data, size_t size) override;

private:
    bool Record(int err);

    int m_fd;
    int m_errno = 0;
};
