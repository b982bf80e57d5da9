// Writes a file so that a failure never destroys the previous one: the bytes go to a
// temporary file beside the target, which replaces the target only on Commit.
#pragma once

#include <memory>

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

    // Creates the temporary file. False (with Error set) when it can't be created.
    bool Open();
    // The stream to write to; valid after a successful Open, until Commit or Discard.
    wxOutputStream& Stream();
    // Flushes, syncs and closes the temporary file and renames it over the target.
    // False (with Error set) when any step failed; the target is then unchanged.
    bool Commit();
    // Drops the temporary file; the target is unchanged.
    void Discard();

    const wxString& TargetPath() const { return m_target; }
    const wxString& TempPath() const { return m_temp; }
    // A sentence naming the reason of the last failure (the system's message).
    const wxString& Error() const { return m_error; }

private:
    void Fail(const wxString& what, int err);

    wxString m_target;
    wxString m_temp;
    wxString m_error;
    std::unique_ptr<wxFile> m_file;
    std::unique_ptr<wxFileOutputStream> m_stream;
    bool m_committed = false;
};

// Writes bytes to path through an AtomicFileWriter; error receives the reason on failure.
bool WriteFileAtomically(const wxString& path, const void* data, size_t size, wxString* error);
