// A small tmpfs mounted on a fresh folder for the life of the object, for tests of a full disk.
// Mounting needs the privilege to; tests skip where Mounted() is false.
#pragma once

#include <cstddef>

#include <wx/string.h>

#include "support/temp_dir.h"

class SmallDisk {
public:
    explicit SmallDisk(const char* size = "64k");
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return m_mounted; }
    wxString File(const wxString& name) const { return m_path + "/" + name; }
    // The files on it, hidden ones included.
    size_t Entries() const;

private:
    TempDir m_dir;
    wxString m_path;
    bool m_mounted = false;
};
