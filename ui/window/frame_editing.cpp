// Adding, inserting, deleting and clearing frames; the strip's clicks and pop-up menu.
#include <algorithm>
#include <functional>

#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/progdlg.h>
#include <wx/spinctrl.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>

#include "core/settings/product.h"
#include "ui/dialogs/message_boxes.h"
#include "core/base/trace.h"
#include "ui/strip/frame_strip.h"
#include "core/strip/thumbnail_size.h"
#include "ui/window/main_window.h"
#include "ui/dialogs/message_text.h"
#include "core/jobs/load_session.h"
#include "core/input/load_estimate.h"
#include "core/video/video_files.h"
#include "core/base/available_memory.h"
#include "core/picture/picture_store.h"

namespace {
// The pattern part also takes the upper-case and .jpeg spellings that Linux file names use.
wxString ImageWildcard()
{
    const wxString images = "*.png;*.jpg;*.jpeg;*.bmp;*.gif;*.PNG;*.JPG;*.JPEG;*.BMP;*.GIF";
    return _("Images and videos") + "|" + images + ";" + VideoFilePattern() + "|" +
           _("Image files ") + "(*.png;*.jpg;*bmp;*.gif)|" + images + "|" + _("Video files") +
           "|" + VideoFilePattern();
}
}

void MainWindow::OnAddImage(wxCommandEvent&)
{
    StopPreview();
    LoadRequest request;
    request.entries =
        GetPathChooser().ChooseFilesToOpen(this, _("Add Image Files"), ImageWildcard(), true);
    if (!request.entries.empty() && ChooseVideoFrames(request) && MayLoad(request.entries))
        StartImageLoad(std::move(request));
}

bool MainWindow::MayLoad(const wxArrayString& entries)
{
    const uint64_t available = m_availableMemory ? m_availableMemory() : AvailableMemory();
    const LoadEstimate needed = EstimateLoad(entries);
    // Past the store's budget the pictures go to the cache file: memory holds at most what is
    // left of the budget, and each frame's small copy and thumbnail.
    const PictureStore& store = *m_document.Store();
    const uint64_t held = store.Counts().memoryBytes;
    const uint64_t left = store.Budget() > held ? store.Budget() - held : 0;
    const int small = ThumbnailSide(ThumbnailSize::Large);
    const uint64_t inMemory =
        std::min(needed.bytes, left) + needed.frames * FrameMemoryCost(wxSize(small, small));
    // An unknown amount of free memory asks nothing.
    if (available == 0 || inMemory <= available)
        return true;
    const int frames = static_cast<int>(needed.frames);
    return AskYesNo(wxString::Format(wxPLURAL("%d frame needs about %s of memory, but "
                                              "only %s is free. Load it anyway?",
                                              "These %d frames need about %s of memory, but "
                                              "only %s is free. Load them anyway?",
                                              frames),
                                     frames, MemoryText(inMemory), MemoryText(available)));
}

void MainWindow::OnInsertImage(wxCommandEvent&)
{
    StopPreview();
    LoadRequest request;
    request.entries =
        GetPathChooser().ChooseFilesToOpen(this, _("Insert Image Files"), ImageWildcard(), true);
    if (request.entries.empty() || !ChooseVideoFrames(request))
        return;
    const wxArrayInt& selection = m_thumbnails->m_selections;
    // Without a selection the frames go to the end.
    request.insertAt = selection.empty() || selection[0] < 0 ? FrameCount() : selection[0];
    if (MayLoad(request.entries))
        StartImageLoad(std::move(request));
}

void MainWindow::SetUpLoad()
{
    LoadSession::Callbacks callbacks;
    callbacks.stopWanted = [this] { return m_loadProgress && m_loadProgress->WasCancelled(); };
    callbacks.progress = [this](int percent) {
        if (m_loadProgress)
            m_loadProgress->Update(percent);
    };
    callbacks.finished = [this](const LoadOutcome& load) { FinishImageLoad(load); };
    m_load = std::make_unique<LoadSession>(m_document, std::move(callbacks));
}

bool MainWindow::StartImageLoad(LoadRequest request)
{
    request.keepGifTiming = KeepsGifTiming();
    // The strip's tiles are made from a small copy, made on the worker with the picture.
    request.thumbnailSide = ThumbnailSide(ThumbnailSize::Large);
    if (!m_load->Start(std::move(request))) {
        ShowMessage(_("The images can't be loaded: the system could not start the loading thread."),
                     GetProductName(), wxOK | wxICON_ERROR, this);
        return false;
    }
    m_loadProgress = OpenJobProgress(_("Load Images Progress Dialog"), _(" Loading images...."));
    return true;
}

void MainWindow::StoreLoadStep(const LoadOutcome& load)
{
    // The frames came in one by one as they were decoded; the step that undoes them all was
    // done already. A project's frames are no step: opening one starts a new history.
    if (m_projectOpening || load.frames.empty())
        return;
    const int n = static_cast<int>(load.frames.size());
    const bool added = load.insertAt < 0;
    const StepName name = [n, added] {
        return wxString::Format(added ? wxPLURAL("Add %d Frame", "Add %d Frames", n)
                                      : wxPLURAL("Insert %d Frame", "Insert %d Frames", n),
                                n);
    };
    m_history->Store(new InsertFramesCommand(m_document, name, load.first, load.frames));
}

void MainWindow::FinishImageLoad(const LoadOutcome& load)
{
    CloseJobProgress(m_loadProgress);
    StoreLoadStep(load);
    ShowCanvas();
    if (FrameCount() > 0) {
        EnableFrameTools();
        // An insert leaves the preview alone; a load shows its first frame with a picture.
        if (load.insertAt < 0) {
            const std::vector<int> present = PresentFrames();
            ShowFrame(present.empty() ? 0 : present.front());
        }
    } else {
        DisableFrameTools();
    }
    // After Cancel fewer frames came than the limit's message would tell.
    const wxString leftOut = load.cancelled ? wxString() : FramesLeftOutText(load.leftOut);
    if (m_projectOpening)
        FinishProjectOpen(load);
    else if (load.frames.empty() && !load.cancelled)
        ShowMessage(_("None of the chosen files could be read as an image.") +
                         ListSome(load.skipped),
                     GetProductName(), wxOK | wxICON_INFORMATION, this);
    else if (!load.skipped.empty() || !load.damaged.empty() || !leftOut.empty())
        ShowMessage(JoinParagraphs(LoadProblemsText(load.skipped, load.damaged), leftOut),
                    GetProductName(), wxOK | wxICON_INFORMATION, this);
    TellPictureTrouble();
}

void MainWindow::OnDelete(wxCommandEvent&)
{
    StopPreview();
    if (FrameCount() == 0)
        return;
    const wxArrayInt& selection = m_thumbnails->m_selections;
    if (selection.empty() || selection[0] < 0)
        return;
    std::vector<int> doomed;
    for (int index : selection)
        if (index >= 0)
            doomed.push_back(index);

    MessageDialog question(this, _("Are you sure you want to delete selected image(s)?"),
                           _("Confirm"), wxYES_NO | wxNO_DEFAULT | wxICON_INFORMATION);
    // No leaves everything as it was, status texts and canvas included.
    if (question.ShowModal() != wxID_YES)
        return;
    const int n = static_cast<int>(doomed.size());
    const StepName name = [n] {
        return wxString::Format(wxPLURAL("Delete %d Frame", "Delete %d Frames", n), n);
    };
    SubmitEdit(RemovalStep(m_document, name, doomed));
    ClearPreview();
    m_statusBar->SetStatusText(wxEmptyString, 1);
}

void MainWindow::OnClearAll(wxCommandEvent&)
{
    SubmitEdit(RemovalStep(m_document, [] { return _("Clear All"); }, m_document.AllPositions()));
    m_statusBar->SetStatusText(wxEmptyString, 1);
    ClearPreview();
}

void MainWindow::OnThumbnailRightClick(FrameStripEvent& event)
{
    ShowStripMenu(event.GetIndex(), wxDefaultPosition);
}

void MainWindow::OnThumbnailContextMenu(FrameStripEvent& event)
{
    ShowStripMenu(event.GetIndex(), event.GetPosition());
}

void MainWindow::BuildStripMenu(wxMenu& menu)
{
    // Insert has no key of its own (Ctrl+Insert is Add Image), so its item promises none.
    menu.Append(0, _("&Insert Image"), wxEmptyString);
    menu.Append(wxID_DELETE, _("&Delete") + "\tDel", wxEmptyString);
    menu.AppendSeparator();
    AppendArrangingCommands(menu);
    menu.AppendSeparator();
    AppendTimingCommands(menu);
    menu.AppendSeparator();
    AppendTrimCommands(menu);
}

void MainWindow::ShowStripMenu(int index, const wxPoint& at)
{
    StopPreview();
    // The desktop's convention: a click outside the selection makes the clicked frame the
    // selection, so the commands act on what was clicked; inside, the selection stays.
    if (index >= 0 && !m_thumbnails->IsSelected(index)) {
        m_thumbnails->UpdateSelection(index, 0);
        ShowFrame(index);
    }
    wxMenu menu;
    BuildStripMenu(menu);
    if (at == wxDefaultPosition)
        PopupMenu(&menu);
    else
        PopupMenu(&menu, ScreenToClient(m_thumbnails->ClientToScreen(at)));
}

void MainWindow::OnThumbnailSelected(FrameStripEvent&)
{
    // A selection by key shows its frame as a click does.
    const int focus = m_thumbnails->GetFocusItem();
    if (FrameCount() == 0 || focus < 0)
        return;
    StopPreview();
    ShowFrame(focus);
}

void MainWindow::OnThumbnailLeftClick(FrameStripEvent& event)
{
    if (FrameCount() == 0)
        return;
    StopPreview();
    ShowFrame(event.GetIndex());
}

void MainWindow::OnChangeSplitterWindow(wxSplitterEvent& event)
{
    Trace("OnChangeSplitterWindow");
    const wxArrayInt& selection = m_thumbnails->m_selections;
    if (!selection.empty() && selection[0] >= 0)
        ShowFrame(selection[0]);
    event.Skip();
}
