#include "app/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <wx/file.h>
#include <wx/filename.h>
#include <wx/wfstream.h>

#include "app/process_umask.h"

namespace {

// False when the system refuses (EPERM: only root may give a file away).
bool GiveOwner(int fd, uid_t owner, gid_t group)
{
    return ::fchown(fd, owner, group) == 0;
}

// mkstemp creates the file 0600, owned by us. A file that replaces another takes over its
// mode, and its owner and group where the system allows; a member of the file's group may
// still hand it that group. A new file gets the mode open(2) would give it. Every step is
// best effort: a refusal leaves the file ours or at 0600, never more open than the old one.
void TakeOverAttributes(int fd, const std::string& replaced)
{
    struct stat old;
    if (::stat(replaced.c_str(), &old) != 0 || !S_ISREG(old.st_mode)) {
        ::fchmod(fd, 0666 & ~CurrentUmask());
        return;
    }
    // Before fchmod: a change of owner clears the set-user-ID and set-group-ID bits.
    if (!GiveOwner(fd, old.st_uid, old.st_gid))
        GiveOwner(fd, static_cast<uid_t>(-1), old.st_gid);
    ::fchmod(fd, old.st_mode & 07777);
}

} // namespace

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
    TakeOverAttributes(fd, m_target.utf8_string());
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
