#include "core/project/recovery_store.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <wx/dir.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>

#include "core/settings/product.h"
#include "core/project/frame_folder.h"
#include "core/project/project_file.h"
#include "core/export/export_failure.h"

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

// Makes folder and the folders above it that are missing; 0, or the system's error.
int MakeFolders(const wxString& folder)
{
    const std::string path(folder.fn_str());
    for (size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
        if (::mkdir(path.substr(0, end).c_str(), 0700) != 0 && errno != EEXIST)
            return errno;
        if (end == std::string::npos)
            return 0;
    }
}

wxString SystemReason(int error)
{
    return wxString::FromUTF8(std::strerror(error));
}

// Removes a file without the toolkit's complaint: a copy that stays is found again later.
void RemoveQuietly(const wxString& path)
{
    ::unlink(path.fn_str());
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
        RemoveQuietly(LockPathOf(m_path));
        ::close(m_lock);
    }
}

bool RecoveryCopy::Lock(wxString& reason)
{
    if (m_lock >= 0)
        return true;
    if (const int error = MakeFolders(m_folder)) {
        reason = SystemReason(error);
        return false;
    }
    const int fd = ::open(LockPathOf(m_path).fn_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        reason = SystemReason(errno);
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    m_lock = fd;
    return true;
}

bool RecoveryCopy::Write(const ProjectData& data, wxString* reason)
{
    // The toolkit would show its own complaints as they come, after every change; the
    // caller words a failure once.
    wxLogNull quiet;
    wxString why;
    ExportFailure failure;
    if (Lock(why) && WriteProjectFile(m_path, data, nullptr, &failure))
        return true;
    if (why.empty())
        why = failure.reason.empty() ? ExportFailureText(failure, false) : failure.reason;
    if (reason)
        *reason = why;
    return false;
}

bool RecoveryCopy::MakeFramesFolder(wxString* reason)
{
    wxString why;
    if (Lock(why) && ::MakeFramesFolder(FramesFolder(), &why))
        return true;
    if (reason)
        *reason = why;
    return false;
}

wxString RecoveryCopy::FramesFolder() const
{
    return FramesFolderOf(m_path);
}

void RecoveryCopy::Clear()
{
    if (wxFileExists(m_path))
        RemoveQuietly(m_path);
    RemoveUnusedFrameFiles(FramesFolder(), {});
}

std::vector<wxString> OrphanedRecoveryCopies(const wxString& folder)
{
    std::vector<std::pair<time_t, wxString>> found;
    wxArrayString files;
    // A folder that can't be read holds no copy that could be restored.
    wxLogNull quiet;
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
    RemoveQuietly(path);
    RemoveUnusedFrameFiles(FramesFolderOf(path), {});
    RemoveQuietly(LockPathOf(path));
}

void SweepStrayRecoveryFrames(const wxString& folder)
{
    wxLogNull quiet;
    if (!wxDirExists(folder))
        return;
    wxArrayString found;
    {
        wxDir dir(folder);
        wxString name;
        for (bool more = dir.IsOpened() && dir.GetFirst(&name, "recovery-*.frames", wxDIR_DIRS);
             more; more = dir.GetNext(&name)) {
            const wxString copy = folder + "/" + name.BeforeLast('.') + ".xml";
            if (!wxFileExists(copy) && !IsHeld(copy))
                found.Add(folder + "/" + name);
        }
    }
    for (const wxString& frames : found)
        RemoveUnusedFrameFiles(frames, {});
}
