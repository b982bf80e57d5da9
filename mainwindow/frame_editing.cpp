// Adding, inserting, deleting and clearing frames; the strip's clicks and pop-up menu.
#include <algorithm>
#include <functional>

#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/progdlg.h>
#include <wx/spinctrl.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>

#include "app/product.h"
#include "mainwindow/message_boxes.h"
#include "app/trace.h"
#include "include/window/thumbnailctrl.h"
#include "mainwindow/gif_frame.h"
#include "mainwindow/message_text.h"
#include "mainwindow/worker_handles.h"
#include "src/window/frame_feed.h"
#include "src/window/image_load_thread.h"
#include "src/window/load_estimate.h"
#include "src/window/save_gif_thread.h"

namespace {
// The pattern part also takes the upper-case and .jpeg spellings that Linux file names use.
wxString ImageWildcard()
{
    return _("Image files ") +
           "(*.png;*.jpg;*bmp;*.gif)|*.png;*.jpg;*.jpeg;*.bmp;*.gif;"
           "*.PNG;*.JPG;*.JPEG;*.BMP;*.GIF";
}
}

void GifFrame::OnAddImage(wxCommandEvent&)
{
    StopPreview();
    const wxArrayString paths =
        GetPathChooser().ChooseFilesToOpen(this, _("Add Image Files"), ImageWildcard(), true);
    if (!paths.empty() && MayLoad(paths))
        StartImageLoad(paths);
}

bool GifFrame::MayLoad(const wxArrayString& entries)
{
    const uint64_t available = m_availableMemory ? m_availableMemory() : AvailableMemory();
    const LoadEstimate needed = EstimateLoad(entries);
    // An unknown amount of free memory asks nothing.
    if (available == 0 || needed.bytes <= available)
        return true;
    return AskYesNo(wxString::Format(_("These %d frames need about %s of memory, but only %s is "
                                       "free. Load them anyway?"),
                                     static_cast<int>(needed.frames), MemoryText(needed.bytes),
                                     MemoryText(available)));
}

void GifFrame::OnInsertImage(wxCommandEvent&)
{
    StopPreview();
    const wxArrayString paths =
        GetPathChooser().ChooseFilesToOpen(this, _("Insert Image Files"), ImageWildcard(), true);
    if (paths.empty())
        return;
    const wxArrayInt& selection = m_thumbnails->m_selections;
    // Without a selection the frames go to the end.
    const int at = selection.empty() || selection[0] < 0 ? FrameCount() : selection[0];
    if (MayLoad(paths))
        StartImageLoad(paths, at);
}

bool GifFrame::StartImageLoad(const wxArrayString& entries, int insertAt)
{
    m_loader = std::make_unique<ImageLoadThread>(this, entries);
    if (m_loader->Run() != wxTHREAD_NO_ERROR) {
        m_loader.reset();
        ShowMessage(_("The images can't be loaded: the system could not start the loading thread."),
                     GetProductName(), wxOK | wxICON_ERROR, this);
        return false;
    }
    m_loadInsertAt = insertAt;
    m_loadAdded = 0;
    m_loadSkipped.clear();
    m_loadDamaged.clear();
    m_loadCancelled = false;
    m_loadProgress = OpenJobProgress(_("Load Images Progress Dialog"), _(" Loading images...."));
    return true;
}

void GifFrame::AddLoadedItem(wxThumbnailItem* frame)
{
    std::unique_ptr<wxThumbnailItem> item(frame);
    if (m_loadInsertAt < 0) {
        if (m_thumbnails->Append(item, m_spinctrl_delay->GetValue()) < 0)
            return;
    } else {
        const int at = m_loadInsertAt + m_loadAdded;
        m_thumbnails->Insert(item.release(), at);
        if (m_shownIndex >= at)
            ++m_shownIndex;
    }
    ++m_loadAdded;
    FramesChanged();
}

void GifFrame::OnImageLoaded(wxThreadEvent& event)
{
    Trace("ThreadUpdate");
    if (m_loadProgress && m_loadProgress->WasCancelled())
        StopJob();
    // After Cancel the strip takes nothing more: frames decoded but not yet shown are dropped,
    // so the load ends at once for the user.
    if (!m_loadCancelled)
        TakeLoadedFrame(event);
    if (event.GetInt() == 100)
        FinishImageLoad();
    else if (m_loadProgress)
        m_loadProgress->Update(event.GetInt());
}

void GifFrame::TakeLoadedFrame(const wxThreadEvent& event)
{
    if (const LoadedImagePtr image = LoadedImageOf(event)) {
        AddLoadedItem(new wxImageThumbnailItem(
            new wxImage(*image), static_cast<int>(event.GetExtraLong()), event.GetString()));
    } else if (IsNoFrameEvent(event) && m_projectOpening) {
        // A project's entry stays in the list, unchanged, until the user deletes it.
        AddLoadedItem(new wxMissingThumbnailItem(event.GetString()));
        m_projectOpening->missing.Add(event.GetString());
    } else if (IsNoFrameEvent(event)) {
        m_loadSkipped.Add(event.GetString() + ": " + NoFrameReasonOf(event));
    } else if (IsDamagedEvent(event) && !m_projectOpening) {
        m_loadDamaged.Add(event.GetString() + ": " + DamageOf(event));
    }
}

void GifFrame::FinishImageLoad()
{
    // The loader has queued its last event and is returning from its body.
    JoinWorker(m_loader);
    CloseJobProgress(m_loadProgress);
    UpdateCanvasFromFrames();
    if (FrameCount() > 0) {
        EnableFrameTools();
        // An insert leaves the preview alone; a load shows its first frame with a picture.
        if (m_loadInsertAt < 0) {
            const std::vector<int> present = PresentFrames();
            ShowFrame(present.empty() ? 0 : present.front());
        }
    } else {
        DisableFrameTools();
    }
    if (m_projectOpening)
        FinishProjectOpen();
    else if (m_loadAdded == 0 && !m_loadCancelled)
        ShowMessage(_("None of the chosen files could be read as an image.") +
                         ListSome(m_loadSkipped),
                     GetProductName(), wxOK | wxICON_INFORMATION, this);
    else if (!m_loadSkipped.empty() || !m_loadDamaged.empty())
        ShowMessage(LoadProblemsText(m_loadSkipped, m_loadDamaged), GetProductName(),
                     wxOK | wxICON_INFORMATION, this);
}

void GifFrame::StopWorkers()
{
    m_jobTimer.Stop();
    // An unfinished export leaves the previous file as it was; a worker waiting for a frame
    // is woken first, so that it can see the stop.
    if (m_frameFeed)
        m_frameFeed->Cancel();
    StopWorker(m_saver);
    m_frameFeed.reset();
    CloseProgress(m_saveProgressDialog);
    StopWorker(m_loader);
    CloseProgress(m_loadProgress);
}

void GifFrame::OnDelete(wxCommandEvent&)
{
    StopPreview();
    if (FrameCount() == 0)
        return;
    const wxArrayInt& selection = m_thumbnails->m_selections;
    if (selection.empty() || selection[0] < 0)
        return;
    std::vector<int> doomed(selection.begin(), selection.end());
    std::sort(doomed.begin(), doomed.end(), std::greater<int>());

    MessageDialog question(this, _("Are you sure you want to delete selected image(s)?"),
                             _("Confirm"), wxYES_NO | wxNO_DEFAULT | wxICON_INFORMATION);
    // No leaves everything as it was, status texts and canvas included.
    if (question.ShowModal() != wxID_YES)
        return;
    // Highest first, so that no deletion shifts an index still to be deleted.
    m_thumbnails->BeginUpdate();
    for (int index : doomed)
        m_thumbnails->Delete(index);
    m_thumbnails->EndUpdate();
    FramesChanged();
    ClearPreview();
    m_statusBar1->SetStatusText(wxEmptyString, 1);
    UpdateCanvasFromFrames();
    if (FrameCount() == 0)
        DisableFrameTools();
}

void GifFrame::OnClearAll(wxCommandEvent&)
{
    StopPreview();
    DisableFrameTools();
    m_thumbnails->Clear();
    FramesChanged();
    UpdateCanvasFromFrames();
    m_statusBar1->SetStatusText(wxEmptyString, 1);
    ClearPreview();
}

void GifFrame::OnThumbnailRightClick(wxThumbnailEvent& event)
{
    StopPreview();
    // The desktop's convention: a click outside the selection makes the clicked frame the
    // selection, so the commands act on what was clicked; inside, the selection stays.
    const int index = event.GetIndex();
    if (index >= 0 && !m_thumbnails->IsSelected(index)) {
        m_thumbnails->UpdateSelection(index, 0);
        ShowFrame(index);
    }
    wxMenu menu;
    // Insert has no key of its own (Ctrl+Insert is Add Image), so its item promises none.
    menu.Append(0, _("&Insert Image"), wxEmptyString);
    menu.Append(wxID_DELETE, _("&Delete") + "\tDel", wxEmptyString);
    PopupMenu(&menu);
}

void GifFrame::OnThumbnailSelected(wxThumbnailEvent&)
{
    // A selection by key shows its frame as a click does.
    const int focus = m_thumbnails->GetFocusItem();
    if (FrameCount() == 0 || focus < 0)
        return;
    StopPreview();
    ShowFrame(focus);
}

void GifFrame::OnThumbnailLeftClick(wxThumbnailEvent& event)
{
    if (FrameCount() == 0)
        return;
    StopPreview();
    ShowFrame(event.GetIndex());
}

void GifFrame::OnChangeSplitterWindow(wxSplitterEvent& event)
{
    Trace("OnChangeSplitterWindow");
    const wxArrayInt& selection = m_thumbnails->m_selections;
    if (!selection.empty() && selection[0] >= 0)
        ShowFrame(selection[0]);
    event.Skip();
}
