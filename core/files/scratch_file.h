// A file of the process's own in the system's temporary folder, for libraries that write only
// to a path they can seek in; removed when the object goes, whatever happened.
#pragma once

#include <string>

#include <wx/stream.h>

class ScratchFile {
public:
    // Creates an empty file "zoruvede-STEM-XXXXXX" in $TMPDIR (or /tmp), readable only by
    // this user. Path() is empty, and error says why, when it can't.
    explicit ScratchFile(const std::string& stem, std::string& error);
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& Path() const { return m_path; }

    // Copies every byte of the file into out; false with error (one sentence) when the file
    // can't be read or out refuses a write.
    bool CopyTo(wxOutputStream& out, std::string& error) const;

private:
    std::string m_path;
};
