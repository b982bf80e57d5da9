#include "core/files/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/files/fd_output_stream.h"
#include "core/base/file_name_encoding.h"
#include "core/files/link_target.h"
#include "core/files/process_umask.h"
#include "core/files/temp_file_name.h"

namespace {

// False when the system refuses (EPERM: only root may give a file away).
bool GiveOwner(int fd, uid_t owner, gid_t group)
{
    return ::fchown(fd, owner, group) == 0;
}

// The errors of open(O_TMPFILE) from a file system or kernel without unnamed files: old
// kernels see O_DIRECTORY with O_WRONLY (EISDIR) or unknown flags (EINVAL).
bool UnnamedUnsupported(int err)
{
    return err == EOPNOTSUPP || err == EISDIR || err == EINVAL;
}

// The temporary file is created 0600, owned by us. A file that replaces another takes over its
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

AtomicFileWriter::AtomicFileWriter(const wxString& targetPath, AtomicTempFile temp)
    : m_target(targetPath), m_tempKind(temp)
{
}

AtomicFileWriter::~AtomicFileWriter()
{
    if (!m_committed)
        Discard();
}

bool AtomicFileWriter::Fail(AtomicFileFailure kind, const wxString& what, const wxString& reason)
{
    m_failure = kind;
    m_reason = reason;
    m_error = what + ": " + reason;
    Discard();
    return false;
}

bool AtomicFileWriter::Fail(AtomicFileFailure kind, const wxString& what, int err)
{
    return Fail(kind, what, err != 0 ? wxString::FromUTF8(std::strerror(err)) : wxString());
}

bool AtomicFileWriter::FailWithErrno(AtomicFileFailure kind, const char* what)
{
    const int err = errno;
    return Fail(kind, what, err);
}

int AtomicFileWriter::CreateTemporary(const std::string& folder)
{
    // Commit links a finished unnamed file through /proc; without /proc it never could.
    if (m_tempKind == AtomicTempFile::Unnamed && ::access("/proc/self/fd", X_OK) == 0) {
        const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (fd >= 0 || !UnnamedUnsupported(errno))
            return fd;
    }
    std::string pattern = TempPattern(m_finalBytes, ::getpid());
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd >= 0)
        NameTemporary(fd, pattern);
    return fd;
}

void AtomicFileWriter::NameTemporary(int fd, const std::string& made)
{
    m_tempBytes = made;
    struct stat st;
    if (::fstat(fd, &st) == 0) {
        // Never over another file: a name that is taken, or a system that can't promise
        // that, leaves the file under the name mkostemp gave it, which no save removes.
        const std::string proven = ProvenTempName(m_finalBytes, ::getpid(), st.st_ino);
        if (::renameat2(AT_FDCWD, made.c_str(), AT_FDCWD, proven.c_str(), RENAME_NOREPLACE) == 0)
            m_tempBytes = proven;
    }
    m_temp = FileNameFromBytes(m_tempBytes);
}

bool AtomicFileWriter::CheckReplaceable()
{
    m_node = TargetNodeAt(m_finalBytes.c_str());
    if (m_node == TargetNode::Missing)
        return true;
    if (m_node != TargetNode::File)
        return Fail(AtomicFileFailure::NotAFile,
                    wxString::Format("can't replace %s", m_target), TargetNodeWords(m_node));
    // As the system decides for this process (permission bits, access lists, a read-only
    // mount); root may write over a read-only file, as with any other program.
    if (::faccessat(AT_FDCWD, m_finalBytes.c_str(), W_OK, AT_EACCESS) != 0) {
        const int err = errno;
        return Fail(AtomicFileFailure::ReadOnly, wxString::Format("%s is read-only", m_target),
                    err);
    }
    return true;
}

bool AtomicFileWriter::Open()
{
    const std::string target = FileNameBytes(m_target);
    if (target.empty())
        return Fail(AtomicFileFailure::Write,
                    wxString::Format("can't name %s in the file-name encoding", m_target), EILSEQ);
    // A link stays a link: the file at the end of its chain is the one replaced.
    int err = 0;
    if (!FollowLinks(target, m_finalBytes, err))
        return Fail(AtomicFileFailure::FollowLinks,
                    wxString::Format("can't follow the links of %s", m_target), err);
    m_final = FileNameFromBytes(m_finalBytes);
    const std::string folder = FolderOf(m_finalBytes);
    m_folder = FileNameFromBytes(folder);
    if (!CheckReplaceable())
        return false;
    RemoveLeftoverTempFiles(folder, BaseNameOf(m_finalBytes));
    // Beside the final target, so that the link or rename stays on one file system.
    const int fd = CreateTemporary(folder);
    if (fd < 0) {
        err = errno;
        return Fail(AtomicFileFailure::CreateTemp,
                    wxString::Format("can't create a file in %s", m_folder), err);
    }
    m_stream = std::make_unique<FdOutputStream>(fd);
    TakeOverAttributes(fd, m_finalBytes);
    return true;
}

wxOutputStream& AtomicFileWriter::Stream()
{
    return *m_stream;
}

bool AtomicFileWriter::CheckWritten()
{
    if (!m_stream)
        return m_failure == AtomicFileFailure::None &&
               Fail(AtomicFileFailure::Write, "the file was not opened", EBADF);
    if (m_stream->IsOk() && m_stream->SystemError() == 0)
        return true;
    const int err = m_stream->SystemError();
    return Fail(AtomicFileFailure::Write, "writing failed", err != 0 ? err : EIO);
}

bool AtomicFileWriter::PlaceUnnamed()
{
    const std::string self = "/proc/self/fd/" + std::to_string(m_stream->Fd());
    const auto linkTo = [&](const std::string& name) {
        return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
    };
    // No file there yet: the link alone puts the new one in place.
    if (linkTo(m_finalBytes))
        return true;
    if (errno != EEXIST)
        return FailWithErrno(AtomicFileFailure::Replace, "can't put the file in place");
    // A link can't replace a file, a rename can, in one step: give the file a name first,
    // the one that proves it ours should the process die before the rename.
    struct stat st;
    const bool known = ::fstat(m_stream->Fd(), &st) == 0;
    for (int attempt = 0;; ++attempt) {
        const std::string name = known && attempt == 0
                                     ? ProvenTempName(m_finalBytes, ::getpid(), st.st_ino)
                                     : RandomTempName(m_finalBytes, ::getpid());
        if (linkTo(name)) {
            m_tempBytes = name;
            m_temp = FileNameFromBytes(name);
            break;
        }
        if (errno != EEXIST || attempt == 100)
            return FailWithErrno(AtomicFileFailure::Replace, "can't put the file in place");
    }
    if (std::rename(m_tempBytes.c_str(), m_finalBytes.c_str()) != 0)
        return FailWithErrno(AtomicFileFailure::Replace, "can't replace the file");
    return true;
}

bool AtomicFileWriter::Commit()
{
    if (!CheckWritten())
        return false;
    if (!m_stream->SyncToDisk())
        return Fail(AtomicFileFailure::Write, "writing failed", m_stream->SystemError());
    if (!CheckReplaceable())
        return false;
    const bool unnamed = m_tempBytes.empty();
    if (unnamed && !PlaceUnnamed())
        return false;
    // An unnamed file is closed once in place, since its descriptor is its only name until
    // then; after the sync a close reports nothing more on the local file systems that make
    // unnamed files.
    if (!m_stream->Close() && !unnamed)
        return Fail(AtomicFileFailure::Write, "closing failed", m_stream->SystemError());
    if (!unnamed && std::rename(m_tempBytes.c_str(), m_finalBytes.c_str()) != 0)
        return FailWithErrno(AtomicFileFailure::Replace, "can't replace the file");
    m_stream.reset();
    m_tempBytes.clear();
    m_temp.clear();
    m_committed = true;
    return true;
}

void AtomicFileWriter::Discard()
{
    // An unnamed temporary file vanishes with its descriptor.
    m_stream.reset();
    if (!m_tempBytes.empty()) {
        ::unlink(m_tempBytes.c_str());
        m_tempBytes.clear();
        m_temp.clear();
    }
}

bool WriteFileAtomically(const wxString& path, const void* data, size_t size, wxString* error)
{
    AtomicFileWriter writer(path);
    bool ok = writer.Open();
    if (ok) {
        writer.Stream().Write(data, size);
        ok = writer.Commit();
    }
    if (!ok && error)
        *error = writer.Error().empty() ? wxString("writing failed") : writer.Error();
    return ok;
}
