#include "support/small_disk.h"

#include <sys/mount.h>

#include <wx/dir.h>
#include <wx/filefn.h>

SmallDisk::SmallDisk(const char* size) : m_path(m_dir.File("disk"))
{
    m_mounted = wxMkdir(m_path) &&
                ::mount("tmpfs", m_path.fn_str(), "tmpfs", 0,
                        (wxString("size=") + size).utf8_str()) == 0;
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(m_path.fn_str(), MNT_DETACH);
}

size_t SmallDisk::Entries() const
{
    wxArrayString files;
    return wxDir::GetAllFiles(m_path, &files, wxEmptyString, wxDIR_FILES | wxDIR_HIDDEN);
}
