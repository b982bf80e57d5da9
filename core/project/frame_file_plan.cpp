#include "core/project/frame_file_plan.h"

#include "core/project/frame_folder.h"

wxString FrameFileRecord::Find(const PictureRef& picture) const
{
    const auto found = m_written.find(picture.get());
    if (found == m_written.end() || found->second.picture.lock() != picture)
        return wxString();
    return found->second.path;
}

void FrameFileRecord::Note(const PictureRef& picture, const wxString& path)
{
    m_written[picture.get()] = Written{picture, path};
}

namespace {
class Planner {
public:
    Planner(const wxString& projectPath, const wxString& fromFolder,
            const FrameFileRecord& record, const FrameFileRecord* copies,
            const std::function<bool(const wxString&)>& exists)
        : m_projectPath(projectPath), m_fromFolder(fromFolder), m_record(record), m_copies(copies),
          m_exists(exists)
    {
        m_plan.folder = FramesFolderOf(projectPath);
    }

    // Whether the frame's picture belongs in the frames folder.
    bool Belongs(const AnimationFrame& frame) const
    {
        return frame.source.empty() || IsFrameFileIn(frame.source, m_plan.folder) ||
               IsFrameFileIn(frame.source, m_fromFolder) ||
               (frame.picture && !m_record.Find(frame.picture).empty());
    }

    // The file that holds the frame's picture now, or empty.
    wxString FileOf(const AnimationFrame& frame) const
    {
        for (const FrameFileRecord* record : {&m_record, m_copies}) {
            const wxString written =
                record && frame.picture ? record->Find(frame.picture) : wxString();
            if (!written.empty() && m_exists(written))
                return written;
        }
        return !frame.source.empty() && m_exists(frame.source) ? frame.source : wxString();
    }

    // First pass: the files of the folder that stay as they are.
    void Keep(const AnimationFrame& frame)
    {
        const wxString file = Belongs(frame) ? FileOf(frame) : wxString();
        if (IsFrameFileIn(file, m_plan.folder)) {
            m_plan.used.insert(wxFileNameFromPath(file));
            if (frame.picture)
                m_placed.emplace(frame.picture.get(), file);
        }
    }

    // Second pass: each frame's entry, with a new file where it needs one.
    void Place(const AnimationFrame& frame)
    {
        if (!Belongs(frame) || !frame.picture) {
            m_plan.entries.Add(ProjectEntryFor(frame.source, m_projectPath));
            return;
        }
        auto placed = m_placed.find(frame.picture.get());
        if (placed == m_placed.end()) {
            FrameFileTask task{frame.picture, FileOf(frame), NewFile()};
            if (!task.copyFrom.empty())
                task.picture = nullptr;
            m_plan.tasks.push_back(task);
            placed = m_placed.emplace(frame.picture.get(), task.target).first;
        }
        m_plan.placed.emplace_back(frame.picture, placed->second);
        m_plan.entries.Add(ProjectEntryFor(placed->second, m_projectPath));
    }

    FrameFilePlan Take() { return std::move(m_plan); }

private:
    // A name that neither the project uses nor a file has: the previous project may still
    // refer to every file that is there, until the new one is written.
    wxString NewFile()
    {
        for (;; ++m_next) {
            const wxString name = FrameFileName(m_next);
            const wxString path = m_plan.folder + "/" + name;
            if (!m_plan.used.count(name) && !m_exists(path)) {
                m_plan.used.insert(name);
                return path;
            }
        }
    }

    const wxString& m_projectPath;
    const wxString& m_fromFolder;
    const FrameFileRecord& m_record;
    const FrameFileRecord* m_copies;
    const std::function<bool(const wxString&)>& m_exists;
    FrameFilePlan m_plan;
    // The file of each picture placed so far: a picture shared by frames is written once.
    std::map<const Picture*, wxString> m_placed;
    int m_next = 1;
};
}

FrameFilePlan PlanFrameFiles(const FrameList& frames, const wxString& projectPath,
                             const wxString& fromFolder, const FrameFileRecord& record,
                             const std::function<bool(const wxString&)>& exists,
                             const FrameFileRecord* copies)
{
    Planner planner(projectPath, fromFolder, record, copies, exists);
    for (const FramePtr& frame : frames)
        planner.Keep(*frame);
    for (const FramePtr& frame : frames)
        planner.Place(*frame);
    return planner.Take();
}
