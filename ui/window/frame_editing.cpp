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
#include "ui/window/main_window.h"
#include "ui/dialogs/message_text.h"
#include "ui/window/worker_handles.h"
#include "core/project/project_file.h"
#include "core/jobs/feed_passes.h"
#include "core/input/frame_reference.h"
#include "core/jobs/image_load_thread.h"
#include "core/input/load_estimate.h"
#include "core/jobs/export_thread.h"
#include "core/video/video_files.h"
#include "core/base/available_memory.h"

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

void GifFrame::OnAddImage(wxCommandEvent&)
{
    StopPreview();
    const wxArrayString paths =
        GetPathChooser().ChooseFilesToOpen(this, _("Add Image Files"), ImageWildcard(), true);
    wxArrayString entries = paths;
    if (!entries.empty() && ChooseVideoFrames(entries) && MayLoad(entries))
        StartImageLoad(entries);
}

bool GifFrame::MayLoad(const wxArrayString& entries)
{
    const uint64_t available = m_availableMemory ? m_availableMemory() : AvailableMemory();
    const LoadEstimate needed = EstimateLoad(entries);
    // An unknown amount of free memory asks nothing.
    if (available == 0 || needed.bytes <= available)
        return true;
    const int frames = static_cast<int>(needed.frames);
    return AskYesNo(wxString::Format(wxPLURAL("%d frame needs about %s of memory, but "
                                              "only %s is free. Load it anyway?",
                                              "These %d frames need about %s of memory, but "
                                              "only %s is free. Load them anyway?",
                                              frames),
                                     frames, MemoryText(needed.bytes), MemoryText(available)));
}

void GifFrame::OnInsertImage(wxCommandEvent&)
{
    StopPreview();
    wxArrayString paths =
        GetPathChooser().ChooseFilesToOpen(this, _("Insert Image Files"), ImageWildcard(), true);
    if (paths.empty() || !ChooseVideoFrames(paths))
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
    m_loadFrames.clear();
    m_loadSkipped.clear();
    m_loadDamaged.clear();
    m_loadLeftOut.clear();
    m_loadCancelled = false;
    m_loadProgress = OpenJobProgress(_("Load Images Progress Dialog"), _(" Loading images...."));
    return true;
}

void GifFrame::AddLoadedFrame(const FramePtr& frame)
{
    // A load that adds frames appends each to the strip as it arrives; an insert does not.
    if (m_loadInsertAt < 0)
        Trace("Append");
    const int at = m_loadInsertAt < 0 ? m_document.Count() : m_loadInsertAt + m_loadAdded;
    if (m_loadAdded == 0)
        m_loadFirst = at;
    m_document.Insert(at, {frame});
    m_loadFrames.push_back(frame);
    ++m_loadAdded;
}

void GifFrame::StoreLoadStep()
{
    // The frames came in one by one as they were decoded; the step that undoes them all was
    // done already. A project's frames are no step: opening one starts a new history.
    if (!m_projectOpening && m_loadAdded > 0) {
        const int n = m_loadAdded;
        const bool added = m_loadInsertAt < 0;
        const StepName name = [n, added] {
            return wxString::Format(added ? wxPLURAL("Add %d Frame", "Add %d Frames", n)
                                          : wxPLURAL("Insert %d Frame", "Insert %d Frames", n),
                                    n);
        };
        m_history->Store(new InsertFramesCommand(m_document, name, m_loadFirst, m_loadFrames));
    }
    m_loadFrames.clear();
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

wxString GifFrame::ArrivingFrameName(const wxThreadEvent& event) const
{
    // A project's frames, placeholders included, arrive one per entry in its order and keep
    // their entries as names, so that saving writes the file as it was.
    if (m_projectOpening && m_loadAdded < static_cast<int>(m_projectOpening->entries.size()))
        return m_projectOpening->entries[m_loadAdded];
    return LoadedImageOf(event)
               ? FrameSourceName(event.GetString(), static_cast<int>(event.GetExtraLong()))
               : event.GetString();
}

void GifFrame::TakeLoadedFrame(const wxThreadEvent& event)
{
    if (const LoadedImagePtr image = LoadedImageOf(event)) {
        // The loader is done with the picture: the document takes it over as it is.
        AddLoadedFrame(MakeFrame(image, ArrivingFrameName(event), ArrivingFrameDelay(event)));
    } else if (IsNoFrameEvent(event) && m_projectOpening) {
        // A project's entry stays in the list, unchanged, until the user deletes it.
        const wxString name = ArrivingFrameName(event);
        AddLoadedFrame(MakeFrame(nullptr, name, ArrivingFrameDelay(event)));
        m_projectOpening->missing.Add(ShownName(name));
    } else if (IsNoFrameEvent(event)) {
        m_loadSkipped.Add(event.GetString() + ": " + NoFrameReasonOf(event));
    } else if (IsDamagedEvent(event) && !m_projectOpening) {
        m_loadDamaged.Add(event.GetString() + ": " + DamageOf(event));
    } else if (IsFramesLeftOutEvent(event)) {
        m_loadLeftOut.Add(event.GetString());
    }
}

void GifFrame::FinishImageLoad()
{
    // The loader has queued its last event and is returning from its body.
    JoinWorker(m_loader);
    CloseJobProgress(m_loadProgress);
    StoreLoadStep();
    m_videoDelays.clear();
    ShowCanvas();
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
    // After Cancel fewer frames came than the limit's message would tell.
    const wxString leftOut = m_loadCancelled ? wxString() : FramesLeftOutText(m_loadLeftOut);
    if (m_projectOpening)
        FinishProjectOpen();
    else if (m_loadAdded == 0 && !m_loadCancelled)
        ShowMessage(_("None of the chosen files could be read as an image.") +
                         ListSome(m_loadSkipped),
                     GetProductName(), wxOK | wxICON_INFORMATION, this);
    else if (!m_loadSkipped.empty() || !m_loadDamaged.empty() || !leftOut.empty())
        ShowMessage(JoinParagraphs(LoadProblemsText(m_loadSkipped, m_loadDamaged), leftOut),
                    GetProductName(), wxOK | wxICON_INFORMATION, this);
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
    m_statusBar1->SetStatusText(wxEmptyString, 1);
}

void GifFrame::OnClearAll(wxCommandEvent&)
{
    SubmitEdit(RemovalStep(m_document, [] { return _("Clear All"); }, m_document.AllPositions()));
    m_statusBar1->SetStatusText(wxEmptyString, 1);
    ClearPreview();
}

void GifFrame::OnThumbnailRightClick(wxThumbnailEvent& event)
{
    ShowStripMenu(event.GetIndex(), wxDefaultPosition);
}

void GifFrame::OnThumbnailContextMenu(wxThumbnailEvent& event)
{
    ShowStripMenu(event.GetIndex(), event.GetPosition());
}

void GifFrame::BuildStripMenu(wxMenu& menu)
{
    // Insert has no key of its own (Ctrl+Insert is Add Image), so its item promises none.
    menu.Append(0, _("&Insert Image"), wxEmptyString);
    menu.Append(wxID_DELETE, _("&Delete") + "\tDel", wxEmptyString);
    menu.AppendSeparator();
    AppendArrangingCommands(menu);
    menu.AppendSeparator();
    AppendTimingCommands(menu);
}

void GifFrame::ShowStripMenu(int index, const wxPoint& at)
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
