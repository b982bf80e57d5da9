// Writing the files of a FrameFilePlan off the GUI thread: each picture as a lossless PNG
// (zlib's fastest level: screen pictures are large and compress well even so), each copy
// byte for byte, every file through the atomic writer, on as many threads as there are cores
// (two at most: the window and the disk want their share). The first failure stops the rest;
// a job that fails or is cancelled removes the files it made, which nothing refers to yet.
#pragma once

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include <wx/string.h>

#include "core/project/frame_file_plan.h"

// The reasons below are in the interface's language and may be worded on the job's threads,
// as the recorder's are (see core/screen/screen_source.h on reading the catalog there).

// Writes picture to path as a PNG; false with the system's reason (or the step that failed).
bool WriteFramePicture(const Picture& picture, const wxString& path, wxString* reason);
// Copies the file from to path; false with the reason.
bool CopyFrameFile(const wxString& from, const wxString& path, wxString* reason);

struct FrameFileOutcome {
    bool ok = false;
    bool cancelled = false;
    // The file that could not be written, and why.
    wxString file;
    wxString reason;
};

class FrameFileJob {
public:
    // Starts writing tasks' files at once.
    explicit FrameFileJob(std::vector<FrameFileTask> tasks);
    // Cancels and waits for the threads.
    ~FrameFileJob();
    FrameFileJob(const FrameFileJob&) = delete;
    FrameFileJob& operator=(const FrameFileJob&) = delete;

    // The files written so far and how many there are to write.
    int Written() const { return m_written; }
    int Count() const { return static_cast<int>(m_tasks.size()); }
    // Whether every thread has ended (Wait then returns at once).
    bool Done() const { return m_running == 0; }
    // Stops before the next file.
    void Cancel() { m_stop = true; }
    // Waits for the threads; the outcome, the same on every call.
    const FrameFileOutcome& Wait();

private:
    void Work();
    void Fail(const wxString& file, const wxString& reason);

    const std::vector<FrameFileTask> m_tasks;
    std::atomic<size_t> m_next{0};
    std::atomic<int> m_written{0};
    std::atomic<int> m_running{0};
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    FrameFileOutcome m_outcome;
    // The task of each file made, for the removal after a failure.
    std::vector<bool> m_made;
    std::vector<std::thread> m_threads;
    bool m_joined = false;
};
