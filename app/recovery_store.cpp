#include "app/recovery_store.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <wx/dir.h>
#include <wx/filefn.h>
#include <wx/filename.h>

#include "app/product.h"
#include "project/project_file.h"

namespace {
std::atomic<int> s_copies{0};

wxString LockPathOf(const wxString& copy)
{
    return copy + ".lock";
}

// Whether some process holds the lock of copy. Locks belong to open files, so even this
// process's own live copies count as held.
bool IsHeld(const wxString& copy)
{
    const int fd = ::open(LockPathOf(copy).fn_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return held;
}
}

wxString RecoveryFolder()
{
    wxString state;
    if (!wxGetEnv("XDG_STATE_HOME", &state) || state.empty())
        state = wxFileName::GetHomeDir() + "/.local/state";
    return state + "/" + GetProductName();
}

RecoveryCopy::RecoveryCopy(const wxString& folder) : m_folder(folder)
{
    m_path = wxString::Format("%s/recovery-%ld-%d.xml", folder, static_cast<long>(::getpid()),
                              ++s_copies);
}

RecoveryCopy::~RecoveryCopy()
{
    Clear();
    if (m_lock >= 0) {
        ::unlink(LockPathOf(m_path).fn_str());
        ::close(m_lock);
    }
}

bool RecoveryCopy::Lock()
{
    if (m_lock >= 0)
        return true;
    if (!wxFileName::Mkdir(m_folder, 0700, wxPATH_MKDIR_FULL))
        return false;
    const int fd = ::open(LockPathOf(m_path).fn_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_lock = fd;
    return true;
}

bool RecoveryCopy::Write(const ProjectData& data)
{
    return Lock() && WriteProjectFile(m_path, data, nullptr);
}

void RecoveryCopy::Clear()
{
    if (wxFileExists(m_path))
        wxRemoveFile(m_path);
}

std::vector<wxString> OrphanedRecoveryCopies(const wxString& folder)
{
    std::vector<std::pair<time_t, wxString>> found;
    wxArrayString files;
    if (wxDirExists(folder))
        wxDir::GetAllFiles(folder, &files, "recovery-*.xml", wxDIR_FILES);
    for (const wxString& file : files)
        if (!IsHeld(file))
            found.emplace_back(wxFileModificationTime(file), file);
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<wxString> copies;
    for (const auto& entry : found)
        copies.push_back(entry.second);
    return copies;
}

void DiscardRecoveryCopy(const wxString& path)
{
    wxRemoveFile(path);
    if (wxFileExists(LockPathOf(path)))
        wxRemoveFile(LockPathOf(path));
}
