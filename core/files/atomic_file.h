// Writes a file so that a failure never destroys the previous one: the bytes go to a
// temporary file beside the target, which replaces the target only on Commit. The temporary
// file has no name where the file system allows (a killed writer leaves nothing behind);
// elsewhere it is named after the target and this process, and the next save to the same
// folder removes those of processes that are gone. Paths go to the system in the file-name
// encoding (see file_name_encoding.h), so a name that is no valid text is kept. A target that
// is a symbolic link stays one: the file at the end of its chain is replaced, and the new
// file keeps the old one's mode, owner and group (see Open). Only a regular file the user may
// write is replaced: a folder, a pipe or a device at the target, or a read-only file, is
// refused before anything is written.
#pragma once

#include <memory>
#include <string>

#include <wx/stream.h>
#include <wx/string.h>

#include "core/files/target_node.h"

class FdOutputStream;

// The step of a write that failed: each asks something else of the user.
enum class AtomicFileFailure {
    None,
    FollowLinks,  // the target's symbolic links can't be followed (a loop)
    NotAFile,     // a folder, a pipe, a device or a socket is at the target (see Node)
    ReadOnly,     // the target is a file the user may not write
    CreateTemp,   // the folder can't take a new file: no permission, read-only, missing
    Write,        // writing, syncing or closing the temporary file failed (a full disk)
    Replace,      // the finished file could not be put in place of the target
};

// Which temporary file Open makes. Unnamed falls back to Named where the file system can't
// make an unnamed one; Named alone is there for tests of that fallback.
enum class AtomicTempFile { Unnamed, Named };

class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const wxString& targetPath,
                              AtomicTempFile temp = AtomicTempFile::Unnamed);
    // Removes the temporary file unless Commit succeeded.
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Follows the target's symbolic links to the file to replace and creates the temporary
    // file in that file's folder, with the file's mode (and owner and group where permitted),
    // or 0666 less the umask for a new file; first it removes the named temporary files that
    // gone processes left there for the same file. False (with Error set) when the links
    // can't be followed, something other than a file is at the target, the target is a file
    // the user may not write, or the temporary file can't be created.
    bool Open();
    // The stream to write to; valid after a successful Open, until Commit or Discard.
    wxOutputStream& Stream();
    // True while every write to Stream succeeded. Otherwise a Write failure with the
    // system's reason for the first failed write (ENOSPC: no space left on the device): the
    // temporary file is dropped and the result is false.
    bool CheckWritten();
    // Checks the writes, syncs the temporary file and puts it in place of FinalPath: an
    // unnamed file is linked there, or, over an existing file, linked under a fresh name that
    // is renamed over it, so the old file is there in full until the new one is. The target
    // is checked again first: what appeared there since Open is refused as Open refuses it.
    // False (with Error set) when any step failed; the target is then unchanged.
    bool Commit();
    // Drops the temporary file; the target is unchanged.
    void Discard();

    const wxString& TargetPath() const { return m_target; }
    // The file Commit replaces: TargetPath with its symbolic links followed; set by Open.
    const wxString& FinalPath() const { return m_final; }
    // The folder of FinalPath, which takes the temporary file; set by Open.
    const wxString& Folder() const { return m_folder; }
    // The temporary file's name; empty while it has none (an unnamed file).
    const wxString& TempPath() const { return m_temp; }

    // The failed step; None while nothing failed.
    AtomicFileFailure Failure() const { return m_failure; }
    // The system's message for the failure ("Permission denied"), or for NotAFile what is
    // there ("it is a device, not a file"); empty while nothing failed.
    const wxString& Reason() const { return m_reason; }
    // NotAFile: what is at the target.
    TargetNode Node() const { return m_node; }
    // A sentence naming the failed step and the reason, in English.
    const wxString& Error() const { return m_error; }

private:
    // Records the failure, drops the temporary file and gives false.
    bool Fail(AtomicFileFailure kind, const wxString& what, const wxString& reason);
    bool Fail(AtomicFileFailure kind, const wxString& what, int err);
    // The same with the errno of the system call that just failed.
    bool FailWithErrno(AtomicFileFailure kind, const char* what);
    // A descriptor of a new temporary file in folder; -1 with errno set when none can be made.
    int CreateTemporary(const std::string& folder);
    // Links the finished unnamed file in place of the target.
    bool PlaceUnnamed();
    // False (with Error set) unless a regular file the user may write, or nothing, is at
    // FinalPath.
    bool CheckReplaceable();
    // Gives the named temporary file of fd its proven name (see temp_file_name.h); where the
    // system can't rename without replacing, it keeps the name it was made under.
    void NameTemporary(int fd, const std::string& made);

    wxString m_target;
    wxString m_final;
    wxString m_folder;
    wxString m_temp;
    wxString m_error;
    wxString m_reason;
    AtomicFileFailure m_failure = AtomicFileFailure::None;
    TargetNode m_node = TargetNode::Missing;
    AtomicTempFile m_tempKind;
    // The same paths as the system takes them: a name or a link's text need not be text.
    std::string m_finalBytes;
    std::string m_tempBytes;  // empty while the temporary file has no name
    std::unique_ptr<FdOutputStream> m_stream;
    bool m_committed = false;
};

// Writes bytes to path through an AtomicFileWriter; error receives the reason on failure.
bool WriteFileAtomically(const wxString& path, const void* data, size_t size, wxString* error);
