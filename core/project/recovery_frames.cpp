#include "core/project/recovery_frames.h"

#include <wx/filefn.h>

#include "core/project/frame_folder.h"
#include "core/project/recovery_store.h"

RecoveryFrames::State RecoveryFrames::Prepare(const FrameList& frames, wxString* reason)
{
    if (m_job) {
        if (!m_job->Done())
            return State::Writing;
        const FrameFileOutcome outcome = m_job->Wait();
        m_job.reset();
        if (outcome.ok) {
            for (const auto& placed : m_plan.placed)
                m_record.Note(placed.first, placed.second);
        } else if (!outcome.cancelled) {
            if (reason)
                *reason = outcome.file + ": " + outcome.reason;
            return State::Failed;
        }
    }
    m_plan = PlanFrameFiles(frames, m_copy.Path(), wxString(), m_record,
                            [](const wxString& path) { return wxFileExists(path); });
    if (m_plan.tasks.empty())
        return State::Ready;
    if (!m_copy.MakeFramesFolder(reason))
        return State::Failed;
    m_job = std::make_unique<FrameFileJob>(m_plan.tasks);
    return State::Writing;
}

void RecoveryFrames::Tidy()
{
    RemoveUnusedFrameFiles(m_plan.folder, m_plan.used);
}

void RecoveryFrames::Stop()
{
    m_job.reset();
}
