// Files from outside the window: dropped on it, or named on the command line.
#include <wx/filefn.h>

#include "core/settings/product.h"
#include "core/strip/frame_move.h"
#include "ui/strip/frame_strip.h"
#include "ui/dialogs/file_drop.h"
#include "ui/window/main_window.h"
#include "ui/dialogs/message_boxes.h"
#include "ui/dialogs/message_text.h"
#include "core/input/opened_paths.h"
#include "core/jobs/load_session.h"

namespace {
// One message for every folder that gave nothing; empty when all gave images.
wxString FolderProblemsText(const OpenedPaths& sorted)
{
    wxString text;
    if (!sorted.unreadableFolders.empty())
        text << _("Folders that could not be read:") << ListSome(sorted.unreadableFolders);
    if (!sorted.foldersWithoutImages.empty()) {
        if (!text.empty())
            text << "\n\n";
        text << _("Folders without PNG, JPEG, BMP or GIF files:")
             << ListSome(sorted.foldersWithoutImages);
    }
    return text;
}
}

void MainWindow::InstallDropTargets()
{
    // The place is taken at the drop; the questions and the load come once it has ended.
    m_thumbnails->SetDropTarget(new FileDrop([this](const wxArrayString& paths,
                                                    const wxPoint& where) {
        const int index = StripDropIndex(where);
        CallAfter([this, paths, index] { DropPaths(paths, index); });
    }));
    // Anywhere else (the preview, the settings) adds after the last frame.
    SetDropTarget(new FileDrop([this](const wxArrayString& paths, const wxPoint&) {
        CallAfter([this, paths] { DropPaths(paths, -1); });
    }));
}

int MainWindow::StripDropIndex(const wxPoint& client) const
{
    const wxPoint logical = m_thumbnails->CalcUnscrolledPosition(client);
    const int width = m_thumbnails->GetClientSize().x;
    return DropGapAt(m_thumbnails->Grid(), logical, FrameCount(), width).gap;
}

void MainWindow::DropPaths(const wxArrayString& paths, int insertAt)
{
    // The running job holds the strip still; frames arriving in between would shift the
    // indices it works with.
    if (IsLoading() || IsSaving()) {
        ShowMessage(_("The dropped files were not added: images are being loaded or a GIF is "
                      "being saved. Drop them again once that has finished."),
                    GetProductName(), wxOK | wxICON_INFORMATION, this);
        return;
    }
    OpenPaths(paths, insertAt);
}

void MainWindow::OpenAtStart(const wxArrayString& paths)
{
    if (paths.empty())
        return;
    if (ReadyToOpen()) {
        OpenPaths(paths);
        return;
    }
    m_pendingPaths = paths;
    Bind(wxEVT_IDLE, &MainWindow::OnIdleOpenPending, this);
}

bool MainWindow::ReadyToOpen() const
{
    // A dialog (a video's choice, a question) opened before the window manager has shown and
    // sized the window would lay the window out at no size at all.
    return IsShownOnScreen() && GetClientSize().x > 1 && !IsLoading() && !IsSaving();
}

void MainWindow::OnIdleOpenPending(wxIdleEvent& event)
{
    event.Skip();
    if (!ReadyToOpen()) {
        event.RequestMore();
        return;
    }
    Unbind(wxEVT_IDLE, &MainWindow::OnIdleOpenPending, this);
    wxArrayString paths;
    paths.swap(m_pendingPaths);
    // Questions and progress dialogs belong to an event of their own, not to idle time.
    CallAfter([this, paths] { OpenPaths(paths); });
}

void MainWindow::OpenPaths(const wxArrayString& paths, int insertAt)
{
    StopPreview();
    const OpenedPaths sorted = SortOpenedPaths(paths);
    if (!sorted.project.empty()) {
        // Told only once the project does open: a kept document leaves nothing out.
        if (!MayReplaceDocument())
            return;
        if (!sorted.leftOut.empty())
            ShowMessage(wxString::Format(_("A project opens on its own: %s is opened, and "
                                           "these files were left out:"),
                                         wxFileNameFromPath(sorted.project)) +
                            ListSome(sorted.leftOut),
                        GetProductName(), wxOK | wxICON_INFORMATION, this);
        OpenProjectFile(sorted.project, false);
        return;
    }
    const wxString problems = FolderProblemsText(sorted);
    if (!problems.empty())
        ShowMessage(problems, GetProductName(), wxOK | wxICON_WARNING, this);
    LoadRequest request;
    request.entries = sorted.images;
    if (request.entries.empty() || !ChooseVideoFrames(request) || !MayLoad(request.entries))
        return;
    // After the last frame a drop is Add Image, which shows the first new frame; an insert
    // leaves the preview as it is.
    request.insertAt = insertAt >= 0 && insertAt < FrameCount() ? insertAt : -1;
    StartImageLoad(std::move(request));
}
