// A fresh directory under the system's temporary folder, removed with everything in it.
#pragma once

#include <wx/string.h>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const wxString& Path() const { return m_path; }
    // Path of name inside the directory.
    wxString File(const wxString& name) const { return m_path + "/" + name; }

private:
    wxString m_path;
};
