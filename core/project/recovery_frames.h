// The frames without a file of a window's recovery copy: written into the copy's frames folder
// in the background as they appear (only those not written yet), so that the copy can name
// them and the window never waits for a PNG.
#pragma once

#include <memory>

#include <wx/arrstr.h>
#include <wx/string.h>

#include "core/project/frame_file_job.h"
#include "core/project/frame_file_plan.h"

class RecoveryCopy;

class RecoveryFrames {
public:
    explicit RecoveryFrames(RecoveryCopy& copy) : m_copy(copy) {}
    // Waits for the files under way.
    ~RecoveryFrames() { Stop(); }
    RecoveryFrames(const RecoveryFrames&) = delete;
    RecoveryFrames& operator=(const RecoveryFrames&) = delete;

    enum class State {
        Ready,    // every frame of the list has its file: Entries() names them
        Writing,  // files are being written: ask again later
        Failed,   // a file or the folder could not be written (reason says which and why)
    };
    // Where the frames of frames stand, starting the files that are missing.
    State Prepare(const FrameList& frames, wxString* reason);
    // The copy's entries for the frames of the last Prepare that gave Ready.
    const wxArrayString& Entries() const { return m_plan.entries; }
    // Once the copy names Entries(): removes the files no frame uses any more.
    void Tidy();
    // Cancels the files under way and waits for them.
    void Stop();
    // Where the frames' files were written: a project save copies them rather than encode
    // the pictures again.
    const FrameFileRecord& Record() const { return m_record; }

private:
    RecoveryCopy& m_copy;
    FrameFileRecord m_record;
    FrameFilePlan m_plan;
    std::unique_ptr<FrameFileJob> m_job;
};
