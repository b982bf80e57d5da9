#include "app/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include <wx/file.h>
#include <wx/filename.h>
#include <wx/wfstream.h>

AtomicFileWriter::AtomicFileWriter(const wxString& targetPath) : m_target(targetPath) {}

AtomicFileWriter::~AtomicFileWriter()
{
    if (!m_committed)
        Discard();
}

void AtomicFileWriter::Fail(const wxString& what, int err)
{
    m_error = what + ": " + wxString::FromUTF8(std::strerror(err));
}

bool AtomicFileWriter::Open()
{
    wxFileName target(m_target);
    wxString dir = target.GetPath();
    if (dir.empty())
        dir = ".";
    // mkstemp gives a unique name beside the target, so the rename stays on one file system.
    std::string pattern = (dir + "/." + target.GetFullName() + ".XXXXXX").utf8_string();
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        Fail(wxString::Format("can't create a file in %s", dir), errno);
        return false;
    }
    // mkstemp creates 0600; a saved document should get the usual permissions.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    m_temp = wxString::FromUTF8(pattern.c_str());
    m_file = std::make_unique<wxFile>(fd);
    m_stream = std::make_unique<wxFileOutputStream>(*m_file);
    return true;
}

wxOutputStream& AtomicFileWriter::Stream()
{
    return *m_stream;
}

bool AtomicFileWriter::Commit()
{
    if (!m_stream) {
        if (m_error.empty())
            m_error = "the file was not opened";
        return false;
    }
    const bool streamOk = m_stream->IsOk();
    m_stream.reset();
    errno = 0;
    if (!streamOk) {
        Fail("writing failed", errno ? errno : EIO);
        Discard();
        return false;
    }
    if (fsync(m_file->fd()) != 0) {
        Fail("writing failed", errno);
        Discard();
        return false;
    }
    if (!m_file->Close()) {
        Fail("closing failed", errno ? errno : EIO);
        Discard();
        return false;
    }
    m_file.reset();
    if (std::rename(m_temp.utf8_str(), m_target.utf8_str()) != 0) {
        Fail("can't replace the file", errno);
        Discard();
        return false;
    }
    m_committed = true;
    return true;
}

void AtomicFileWriter::Discard()
{
    m_stream.reset();
    m_file.reset();
    if (!m_temp.empty()) {
        ::unlink(m_temp.utf8_str());
        m_temp.clear();
    }
}

bool WriteFileAtomically(const wxString& path, const void* data, size_t size, wxString* error)
{
    AtomicFileWriter writer(path);
    bool ok = writer.Open();
    if (ok) {
        writer.Stream().Write(data, size);
        ok = writer.Stream().LastWrite() == size && writer.Commit();
    }
    if (!ok && error)
        *error = writer.Error().empty() ? wxString("writing failed") : writer.Error();
    return ok;
}
