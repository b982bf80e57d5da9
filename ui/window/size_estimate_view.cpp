// The expected file length beside the animation's length in the status bar.
#include <wx/statusbr.h>

#include "ui/window/main_window.h"
#include "core/jobs/background_estimate.h"
#include "core/base/file_length_text.h"

namespace {
// Long enough for a burst of edits (a load, typing a size) to start one estimate.
constexpr int kEstimateDelayMs = 300;
}

void MainWindow::ScheduleEstimate()
{
    if (!m_estimate)
        return;
    // What is under way counts frames that are no longer the ones to save, and what is shown
    // was counted for them.
    m_estimate->Abandon();
    m_estimateTimer.StartOnce(kEstimateDelayMs);
    if (m_estimateShown == EstimateShown::Bytes) {
        m_estimateShown = EstimateShown::Working;
        ShowLength();
    }
}

void MainWindow::OnEstimateTimer(wxTimerEvent&)
{
    // A load changes the frames again and again; the estimate waits for its end.
    if (IsLoading()) {
        m_estimateTimer.StartOnce(kEstimateDelayMs);
        return;
    }
    StartEstimate();
}

void MainWindow::StartEstimate()
{
    std::vector<PictureRef> frames;
    GifExportOptions options;
    for (int index : PresentFrames()) {
        frames.push_back(m_document.Frame(index)->picture);
        options.delays.push_back(m_document.EffectiveDelay(index));
    }
    m_estimateShown = EstimateShown::None;
    const wxSize canvas = m_document.Canvas();
    if (frames.empty() || canvas.x <= 0 || canvas.y <= 0) {
        ShowLength();
        return;
    }
    // The options the next save writes with, without its size limit: the estimate is what
    // the user weighs a limit against.
    const GifSaveOptions saving = SaveOptions();
    options.canvas = canvas;
    options.delay = m_document.Delay();
    options.edit = m_document.Edit();
    options.loopCount = m_document.LoopInFile() ? m_document.LoopCount() : 0;
    options.optimize = saving.optimize;
    options.quality = saving.quality;
    // One worker thread: the estimate must leave the machine to the user.
    options.threads = 1;
    if (m_estimate->Start(std::move(frames), std::move(options)))
        m_estimateShown = EstimateShown::Working;
    ShowLength();
}

void MainWindow::EstimateDone(std::optional<uint64_t> bytes)
{
    m_estimateShown = bytes ? EstimateShown::Bytes : EstimateShown::None;
    m_estimateBytes = bytes.value_or(0);
    ShowLength();
}

wxString MainWindow::EstimateText() const
{
    switch (m_estimateShown) {
    case EstimateShown::Working:
        return _("estimating...");
    case EstimateShown::Bytes:
        return wxString::Format(_("about %s"), FileLengthText(m_estimateBytes));
    case EstimateShown::None:
        break;
    }
    return wxString();
}
