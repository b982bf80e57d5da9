// Ending the window's background work: a joinable worker thread and its progress dialog.
#pragma once

#include <memory>

#include <wx/progdlg.h>

// Waits for a worker that has finished (or been asked to stop) and releases it.
template <class Worker>
void JoinWorker(std::unique_ptr<Worker>& worker)
{
    if (!worker)
        return;
    worker->Wait();
    worker.reset();
}

// Asks a worker to stop before its next step, then joins it.
template <class Worker>
void StopWorker(std::unique_ptr<Worker>& worker)
{
    if (worker)
        worker->RequestStop();
    JoinWorker(worker);
}

// Closes a progress dialog (it goes at the next idle time) and forgets it.
inline void CloseProgress(wxProgressDialog*& dialog)
{
    if (!dialog)
        return;
    dialog->Destroy();
    dialog = nullptr;
}
