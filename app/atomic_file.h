// Writes a file so that a failure never destroys the previous one: the bytes go to a
// temporary file beside the target, which replaces the target only on Commit. A target that
// is a symbolic link stays one: the file at the end of its chain is replaced, and the new
// file keeps the old one's mode, owner and group (see Open).
#pragma once

#include <memory>
#include <string>

#include <wx/stream.h>
#include <wx/string.h>

class wxFile;
class wxFileOutputStream;

class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const wxString& targetPath);
    // Removes the temporary file unless Commit succeeded.
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Follows the target's symbolic links to the file to replace and creates the temporary
    // file in that file's folder, with the file's mode (and owner and group where permitted),
    // or 0666 less the umask for a new file. False (with Error set) when the links can't be
    // followed or the temporary file can't be created.
    bool Open();
    // The stream to write to; valid after a successful Open, until Commit or Discard.
    wxOutputStream& Stream();
    // Flushes, syncs and closes the temporary file and renames it over FinalPath.
    // False (with Error set) when any step failed; the target is then unchanged.
    bool Commit();
    // Drops the temporary file; the target is unchanged.
    void Discard();

    const wxString& TargetPath() const { return m_target; }
    // The file Commit replaces: TargetPath with its symbolic links followed; set by Open.
    const wxString& FinalPath() const { return m_final; }
    const wxString& TempPath() const { return m_temp; }
    // A sentence naming the reason of the last failure (the system's message).
    const wxString& Error() const { return m_error; }

private:
    void Fail(const wxString& what, int err);

    wxString m_target;
    wxString m_final;
    wxString m_temp;
    wxString m_error;
    // The same paths as the system takes them: a link's text need not be UTF-8.
    std::string m_finalBytes;
    std::string m_tempBytes;
    std::unique_ptr<wxFile> m_file;
    std::unique_ptr<wxFileOutputStream> m_stream;
    bool m_committed = false;
};

// Writes bytes to path through an AtomicFileWriter; error receives the reason on failure.
bool WriteFileAtomically(const wxString& path, const void* data, size_t size, wxString* error);
