#include "core/project/frame_file_job.h"

#include <algorithm>

#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/imagpng.h>
#include <wx/intl.h>
#include <wx/log.h>

#include "core/files/atomic_file.h"
#include "core/picture/picture.h"

namespace {
// The writer's own failure in the fewest words: the system's reason where there is one.
bool Failed(const AtomicFileWriter& writer, wxString* reason)
{
    if (reason)
        *reason = writer.Reason().empty() ? writer.Error() : writer.Reason();
    return false;
}
}

bool WriteFramePicture(const Picture& picture, const wxString& path, wxString* reason)
{
    wxImage image = picture.ToImage();
    if (!image.IsOk()) {
        if (reason)
            *reason = _("the picture could not be read back from memory");
        return false;
    }
    image.SetOption(wxIMAGE_OPTION_PNG_COMPRESSION_LEVEL, 1);
    AtomicFileWriter writer(path);
    if (!writer.Open())
        return Failed(writer, reason);
    // A handler of our own: the toolkit's list of handlers is not for other threads.
    wxPNGHandler png;
    const bool encoded = png.SaveFile(&image, writer.Stream(), false);
    if (!writer.CheckWritten())
        return Failed(writer, reason);
    if (!encoded) {
        if (reason)
            *reason = _("the picture could not be encoded as PNG");
        return false;
    }
    return writer.Commit() || Failed(writer, reason);
}

bool CopyFrameFile(const wxString& from, const wxString& path, wxString* reason)
{
    wxFFile source;
    if (!source.Open(from, "rb")) {
        if (reason)
            *reason = wxString::Format(_("%s can't be read: %s"), from, wxSysErrorMsgStr());
        return false;
    }
    AtomicFileWriter writer(path);
    if (!writer.Open())
        return Failed(writer, reason);
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const size_t got = source.Read(buffer.data(), buffer.size());
        if (source.Error()) {
            if (reason)
                *reason = wxString::Format(_("%s can't be read: %s"), from, wxSysErrorMsgStr());
            return false;
        }
        if (got == 0)
            break;
        writer.Stream().Write(buffer.data(), got);
        if (!writer.CheckWritten())
            return Failed(writer, reason);
    }
    return writer.Commit() || Failed(writer, reason);
}

FrameFileJob::FrameFileJob(std::vector<FrameFileTask> tasks)
    : m_tasks(std::move(tasks)), m_made(m_tasks.size(), false)
{
    const size_t threads =
        std::min<size_t>({2, std::max(1u, std::thread::hardware_concurrency()), m_tasks.size()});
    m_running = static_cast<int>(threads);
    for (size_t i = 0; i < threads; ++i)
        m_threads.emplace_back([this] { Work(); });
}

FrameFileJob::~FrameFileJob()
{
    Cancel();
    Wait();
}

void FrameFileJob::Work()
{
    // The toolkit's log is not to speak from here: every failure is reported in the outcome.
    wxLogNull quiet;
    while (!m_stop) {
        const size_t index = m_next++;
        if (index >= m_tasks.size())
            break;
        const FrameFileTask& task = m_tasks[index];
        wxString reason;
        const bool ok = task.picture ? WriteFramePicture(*task.picture, task.target, &reason)
                                     : CopyFrameFile(task.copyFrom, task.target, &reason);
        if (!ok) {
            Fail(task.target, reason);
            break;
        }
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_made[index] = true;
        }
        ++m_written;
    }
    --m_running;
}

void FrameFileJob::Fail(const wxString& file, const wxString& reason)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_outcome.file.empty()) {
        m_outcome.file = file;
        m_outcome.reason = reason;
    }
    m_stop = true;
}

const FrameFileOutcome& FrameFileJob::Wait()
{
    if (m_joined)
        return m_outcome;
    for (std::thread& thread : m_threads)
        thread.join();
    m_joined = true;
    m_outcome.ok = m_written == Count();
    m_outcome.cancelled = !m_outcome.ok && m_outcome.file.empty();
    wxLogNull quiet;
    if (!m_outcome.ok)
        for (size_t i = 0; i < m_tasks.size(); ++i)
            if (m_made[i])
                wxRemoveFile(m_tasks[i].target);
    return m_outcome;
}
