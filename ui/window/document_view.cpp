// The strip and the controls as views of the animation document: every edit of the frame
// list goes through the document (and, as a step, through the undo history); the strip
// follows each change in the change's own terms, keeping the thumbnails it already has.
#include <algorithm>

#include <wx/spinctrl.h>
#include <wx/statusbr.h>

#include "core/base/trace.h"
#include "core/document/frame_order.h"
#include "ui/strip/frame_strip.h"
#include "core/view/canvas_math.h"
#include "ui/window/main_window.h"

namespace {

StripTile* NewStripItem(const FramePtr& frame)
{
    if (!frame->picture)
        return new MissingFrameTile(frame->source);
    return new FrameTile(frame->picture, frame->thumbnail, frame->source);
}

// Where index ends up when the positions in removed (ascending) are taken out; -1 when index
// is one of them.
int AfterRemoval(int index, const std::vector<int>& removed)
{
    if (std::binary_search(removed.begin(), removed.end(), index))
        return -1;
    return index - static_cast<int>(std::lower_bound(removed.begin(), removed.end(), index) -
                                    removed.begin());
}
}

void MainWindow::SetUpDocument()
{
    m_history = std::make_unique<EditHistory>(m_document);
    m_history->SetUndoAccelerator("\tCtrl+Z");
    m_history->SetRedoAccelerator("\tCtrl+Shift+Z");
    m_history->SetEditMenu(m_menuEdit);
    m_history->SetMenuStrings();
    m_spinctrl_delay->SetValue(m_document.Delay());
    m_thumbnails->m_labelText = [this](int index) { return FrameLabel(index); };
    m_document.SetListener([this](const FrameListChange& change) { FollowFrameList(change); });
    m_document.SetSettingsListener(
        [this](const DocumentSettings& before) { FollowSettings(before); });
    for (wxSpinCtrl* control : {m_spinctrl_delay, m_spinctrl_width, m_spinctrl_height})
        control->Bind(wxEVT_KILL_FOCUS, &MainWindow::OnSettingsControlLeft, this);
}

void MainWindow::FollowFrameList(const FrameListChange& change)
{
    m_thumbnails->BeginUpdate();
    switch (change.kind) {
    case FrameListChange::Inserted:
        for (int at : change.indices) {
            m_thumbnails->Insert(NewStripItem(m_document.Frame(at)), at);
            if (m_shownIndex >= at)
                ++m_shownIndex;
        }
        break;
    case FrameListChange::Removed:
        for (auto it = change.indices.rbegin(); it != change.indices.rend(); ++it)
            m_thumbnails->Delete(*it);
        m_shownIndex = AfterRemoval(m_shownIndex, change.indices);
        break;
    case FrameListChange::Reordered:
        m_thumbnails->Reorder(change.order);
        if (m_shownIndex >= 0)
            m_shownIndex = InverseOrder(change.order)[m_shownIndex];
        break;
    case FrameListChange::Replaced:
        // Same pictures and names, other delays: only the labels change.
        break;
    }
    Retime();
    m_thumbnails->EndUpdate();
    FramesChanged();
}

void MainWindow::Retime()
{
    // Counted when a label is next drawn: a load changes the list once per frame.
    m_startTimesStale = true;
}

wxString MainWindow::FrameLabel(int index) const
{
    if (m_startTimesStale) {
        std::vector<int> delays(m_document.Count());
        for (int i = 0; i < m_document.Count(); ++i)
            delays[i] = m_document.EffectiveDelay(i);
        m_startTimes = StartTimes(delays);
        m_startTimesStale = false;
    }
    const long start = index < static_cast<int>(m_startTimes.size()) ? m_startTimes[index] : 0;
    // The mark tells a frame with a delay of its own from those that follow the common one.
    const bool own = index < m_document.Count() && m_document.Frame(index)->delay != kCommonDelay;
    return wxString::Format("#%d  %.2fsec", index + 1, start / 100.0f) + (own ? "*" : "");
}

void MainWindow::SubmitEdit(DocumentCommand* command)
{
    StopPreview();
    m_history->Submit(command);
    AfterEdit();
}

void MainWindow::AfterEdit()
{
    ShowCanvas();
    if (FrameCount() > 0)
        EnableFrameTools();
    else
        DisableFrameTools();
    if (m_shownIndex < 0) {
        ClearPreview();
        m_statusBar->SetStatusText(wxEmptyString, 1);
    } else {
        ShowFrame(m_shownIndex);
    }
    m_thumbnails->Refresh(false);
}

void MainWindow::OnUndo(wxCommandEvent&)
{
    StopPreview();
    if (m_history->CanUndo()) {
        m_history->Undo();
        AfterEdit();
    }
}

void MainWindow::OnRedo(wxCommandEvent&)
{
    StopPreview();
    if (m_history->CanRedo()) {
        m_history->Redo();
        AfterEdit();
    }
}

const Picture* MainWindow::FramePicture(int index) const
{
    if (index < 0 || index >= m_document.Count())
        return nullptr;
    return m_document.Frame(index)->picture.get();
}

void MainWindow::ChangeSettings(StepName name, int control, const DocumentSettings& after)
{
    const DocumentSettings before = m_document.Settings();
    if (after == before)
        return;
    m_history->SubmitSettings(
        new ChangeSettingsCommand(m_document, std::move(name), control, before, after));
}

void MainWindow::FollowSettings(const DocumentSettings& before)
{
    const DocumentSettings now = m_document.Settings();
    // Writing a control here must not read as the user's next edit.
    m_applyingSettings = true;
    if (now.delay != before.delay) {
        if (m_spinctrl_delay->GetValue() != now.delay)
            m_spinctrl_delay->SetValue(now.delay);
        Retime();
        // The labels show the delay; repaint them now rather than at some later exposure.
        m_thumbnails->Refresh(false);
        LengthChanged();
    }
    if (now.canvas != before.canvas || now.canvasChosen != before.canvasChosen) {
        if (now.canvasChosen)
            ShowEditedCanvas();
        else
            ShowCanvas();
    }
    if (now.edit != before.edit || now.canvas != before.canvas) {
        ShowPictureEdit();
        // The saved GIF is another file now: Save must write it again.
        ++m_frameListVersion;
    }
    if (now.loopCount != before.loopCount || now.loopInFile != before.loopInFile) {
        m_player.ResetLoops();
        // The saved GIF is another file now: Save must write it again.
        ++m_frameListVersion;
    }
    m_applyingSettings = false;
    ScheduleRecoveryCopy();
    ScheduleEstimate();
}

void MainWindow::OnSetDelay(wxCommandEvent&)
{
    // A value the window writes itself is no edit of the user's, and no trace line either.
    if (m_applyingSettings)
        return;
    Trace("OnSetDelay");
    StopPreview();
    DocumentSettings after = m_document.Settings();
    // What the user typed: the control is the input here, not a copy of the document.
    after.delay = m_spinctrl_delay->GetValue();
    ChangeSettings([] { return _("Change Delay"); }, kDelayControl, after);
}

void MainWindow::OnSetWidth(wxCommandEvent&)
{
    ChooseCanvasByEdit(kWidthControl, CanvasForWidth(m_spinctrl_width->GetValue(),
                                                     ProportionBase(), m_document.Canvas().y));
}

void MainWindow::OnSetHeight(wxCommandEvent&)
{
    ChooseCanvasByEdit(kHeightControl, CanvasForHeight(m_spinctrl_height->GetValue(),
                                                       ProportionBase(), m_document.Canvas().x));
}

void MainWindow::ChooseCanvasByEdit(int control, const wxSize& canvas)
{
    if (m_applyingSettings || FrameCount() == 0)
        return;
    DocumentSettings after = m_document.Settings();
    after.canvas = canvas;
    after.canvasChosen = true;
    ChangeSettings([] { return _("Change Size"); }, control, after);
}

void MainWindow::OnSettingsControlLeft(wxFocusEvent& event)
{
    // The next keystroke in any control starts a new step.
    m_history->SealLatest();
    event.Skip();
}
