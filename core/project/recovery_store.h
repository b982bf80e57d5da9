// Recovery copies: each window keeps its current document as a project file in the user's
// state folder, locked while the window lives, so that work survives a crash. Frames without a
// file are kept in the copy's frames folder (frame_folder.h) and go with the copy. A copy whose
// lock is free belongs to a window that is gone without closing, and can be restored.
#pragma once

#include <vector>

#include <wx/string.h>

struct ProjectData;

// $XDG_STATE_HOME/<product>, or ~/.local/state/<product> when that isn't set.
wxString RecoveryFolder();

// The recovery copy of one window. The file is recovery-<pid>-<n>.xml in folder; its lock is
// a file beside it (".lock" added), held from the first Write until the copy goes.
class RecoveryCopy {
public:
    explicit RecoveryCopy(const wxString& folder);
    // Removes the copy and its lock: a window that closes normally leaves nothing.
    ~RecoveryCopy();
    RecoveryCopy(const RecoveryCopy&) = delete;
    RecoveryCopy& operator=(const RecoveryCopy&) = delete;

    // Replaces the copy with data, atomically. False when it can't be written, with the
    // system's reason in reason; the toolkit's log says nothing either way.
    bool Write(const ProjectData& data, wxString* reason = nullptr);
    // Takes the lock and makes the copy's frames folder, before any frame is written to it.
    // False when either can't be made, with the system's reason.
    bool MakeFramesFolder(wxString* reason = nullptr);
    // Removes the copy and its frames folder (an empty document needs none); the lock stays.
    void Clear();
    const wxString& Path() const { return m_path; }
    const wxString& Folder() const { return m_folder; }
    // recovery-<pid>-<n>.frames beside the copy.
    wxString FramesFolder() const;

private:
    bool Lock(wxString& reason);

    wxString m_folder;
    wxString m_path;
    int m_lock = -1;
};

// The copies in folder whose window is gone (their lock is free), newest first.
std::vector<wxString> OrphanedRecoveryCopies(const wxString& folder);
// Removes a copy, its frames folder and its lock file, quietly.
void DiscardRecoveryCopy(const wxString& path);
// Removes the frames folders in folder of copies that were never written and whose window is
// gone (a crash before the first copy).
void SweepStrayRecoveryFrames(const wxString& folder);
