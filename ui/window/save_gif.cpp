// Save and Save As: writing the frames as an animated GIF on the export thread.
#include <set>

#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/progdlg.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>

#include "core/settings/gif_save_setting.h"
#include "core/settings/product.h"
#include "core/settings/settings_store.h"
#include "ui/dialogs/message_boxes.h"
#include "core/base/trace.h"
#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"
#include "core/export/save_rules.h"
#include "core/input/frame_reference.h"
#include "core/jobs/export_session.h"
#include "core/base/file_length_text.h"

namespace {
// What a size limit changed, for the user: the quality reached, the canvas
// when it was scaled down, and the length reached.
wxString SmallerFileText(const wxString& name, const SizeLimitReport& report, uint64_t limit,
                         const wxSize& asked)
{
    wxString text = wxString::Format(_("To keep %s under %s, it was made smaller:"), name,
                                     FileLengthText(limit));
    text += "\n" + wxString::Format(_("quality %d of 100"), report.quality);
    if (report.canvas != asked)
        text += "\n" + wxString::Format(_("canvas %d * %d px instead of %d * %d px"),
                                        report.canvas.GetWidth(), report.canvas.GetHeight(),
                                        asked.GetWidth(), asked.GetHeight());
    text += "\n" + wxString::Format(_("file length %s"), FileLengthText(report.bytes));
    return text;
}

// A size limit nothing fits is the user's choice to change, not a fault: say where.
wxString TooLargeText(const ExportFailure& failure)
{
    return wxString::Format(_("%s was not saved: the smallest file that could be made takes %s, "
                              "more than the limit of %s. The file stays as it was.\nRaise the "
                              "limit, or untick \"Keep under\" in the save dialog."),
                            wxFileNameFromPath(failure.file), FileLengthText(failure.smallest),
                            FileLengthText(failure.limit));
}

wxString GifCanvasText(const wxString& gifName, const wxSize& canvas)
{
    return wxString::Format("%s (%d * %d)px", gifName, canvas.GetWidth(), canvas.GetHeight());
}
}

wxString MainWindow::AskGifPath(const wxString& title)
{
    const GifSaveChoice choice = GetPathChooser().ChooseGifToSave(
        this, title, _("Image files") + " (*.gif)|*.gif", DefaultGifPath(), SaveOptions());
    if (choice.path.empty())
        return wxString();
    // Remembered even when the completed name is declined below: they are what the user chose.
    if (choice.options != SaveOptions()) {
        WriteGifSaveOptions(Settings(), choice.options);
        ScheduleEstimate();
    }
    return CompleteSavePath(choice.path, ".gif");
}

GifSaveOptions MainWindow::SaveOptions() const
{
    return ReadGifSaveOptions(Settings());
}

wxString MainWindow::DefaultGifPath() const
{
    if (!m_gifPath.empty())
        return m_gifPath;
    // After a project was opened, its own GIF name in its folder.
    if (!m_projectPath.empty() && !m_gifName.empty())
        return wxFileName(wxFileName(m_projectPath).GetPath(), m_gifName).GetFullPath();
    return wxString();
}

void MainWindow::OnSaveAnimator(wxCommandEvent&)
{
    Trace("OnSaveAnimator");
    StopPreview();
    if (FrameCount() == 0) {
        // Nothing to write: the path is only remembered for the first Save with frames.
        if (m_gifPath.empty())
            m_gifPath = AskGifPath(_("Save GIF Files"));
        return;
    }
    if (m_gifPath.empty()) {
        const wxString path = AskGifPath(_("Save GIF Files"));
        if (!path.empty())
            StartGifSave(path, m_document.Canvas(), _("Save GIF Progress Dialog"));
        return;
    }
    const GifSaveSnapshot last{m_gifSavedCount, m_gifSavedDelay, m_gifSavedWidth, m_gifSavedHeight};
    const wxSize canvas = m_document.Canvas();
    const GifSaveSnapshot now{FrameCount(), m_document.Delay(), canvas.x, canvas.y};
    const bool listChanged = m_gifSavedVersion != m_frameListVersion ||
                             m_gifSavedOptions != SaveOptions();
    if (SaveCanBeSkipped(wxFileExists(m_gifPath), last, now, listChanged))
        return;
    StartGifSave(m_gifPath, canvas, "Save GIF Progress Dialog");
}

void MainWindow::OnSaveAsAnimator(wxCommandEvent&)
{
    StopPreview();
    if (FrameCount() == 0)
        return;
    const wxString path = AskGifPath(_("Save As GIF Files"));
    // A cancelled Save As forgets the previous path, so the next Save asks again.
    if (path.empty()) {
        m_gifPath.clear();
        return;
    }
    StartGifSave(path, m_document.Canvas(), _("Save As GIF Progress Dialog"));
}

std::vector<int> MainWindow::PresentFrames() const
{
    std::vector<int> present;
    for (int i = 0; i < FrameCount(); ++i)
        if (!m_document.IsMissing(i))
            present.push_back(i);
    return present;
}

bool MainWindow::IsSourceOfFrames(const wxString& path) const
{
    if (!wxFileExists(path))
        return false;
    const wxFileName target(path);
    std::set<wxString> seen;
    for (int i = 0; i < FrameCount(); ++i) {
        const wxString source = StripGifFrameSuffix(m_document.Frame(i)->source);
        // SameAs compares the files themselves, so a link or another spelling is found too.
        if (seen.insert(source).second && target.SameAs(wxFileName(source)))
            return true;
    }
    return false;
}

bool MainWindow::StartGifSave(const wxString& path, const wxSize& canvas, const wxString& title)
{
    const std::vector<int> frames = PresentFrames();
    const int missing = FrameCount() - static_cast<int>(frames.size());
    if (frames.empty()) {
        ShowMessage(_("The GIF was not saved: the files of all its frames are missing."),
                     GetProductName(), wxOK | wxICON_ERROR, this);
        return false;
    }
    if (missing > 0 &&
        !AskYesNo(wxString::Format(wxPLURAL("%d of the %d frames is missing: its file was not "
                                            "found.\nSave the GIF without it?",
                                            "%d of the %d frames are missing: their files were not "
                                            "found.\nSave the GIF without them?",
                                            missing),
                                   missing, FrameCount())))
        return false;
    if (IsSourceOfFrames(path) &&
        !AskYesNo(wxString::Format(_("Frames of the list were taken from \"%s\".\nIf it is "
                                     "replaced, a project that refers to them shows other pictures. "
                                     "Replace it anyway?"),
                                   wxFileNameFromPath(path))))
        return false;
    m_gifSaving = GifSaving{path, canvas};
    m_gifPath = path;
    StartGifExport(path, canvas.GetWidth(), canvas.GetHeight(), title, frames);
    return true;
}

void MainWindow::StartGifExport(const wxString& path, int width, int height, const wxString& title,
                              const std::vector<int>& frames)
{
    m_gifSavedCount = FrameCount();
    m_gifSavedDelay = m_document.Delay();
    m_gifSavedWidth = m_document.Canvas().x;
    m_gifSavedHeight = m_document.Canvas().y;
    m_gifSavedVersion = m_frameListVersion;
    m_gifSavedOptions = SaveOptions();

    ExportRequest request;
    request.path = path;
    request.canvas = wxSize(width, height);
    request.delay = m_gifSavedDelay;
    request.options = m_gifSavedOptions;
    request.edit = m_document.Edit();
    for (int index : frames) {
        request.frames.push_back(m_document.Frame(index)->picture);
        request.delays.push_back(m_document.EffectiveDelay(index));
    }
    // Without the loop setting for the file, saved GIFs loop forever as they always have.
    request.loopCount = m_document.LoopInFile() ? m_document.LoopCount() : 0;

    // The dialog exists before the worker can report.
    m_saveProgressDialog = OpenJobProgress(title, _(" Saving images...."));
    if (!m_export->Start(std::move(request))) {
        CloseJobProgress(m_saveProgressDialog);
        GifSaveFailed(wxString::Format(_("The GIF file %s was not saved: the system could not "
                                         "start the saving thread."),
                                       path));
    }
}

void MainWindow::SetUpExport()
{
    ExportSession::Callbacks callbacks;
    callbacks.progress = [this](int percent, int newTry) {
        // The bar going back is explained rather than left to look like a fault.
        const wxString message =
            newTry > 0 ? wxString::Format(_("Trying a smaller file (try %d)..."), newTry)
                       : wxString();
        if (m_saveProgressDialog)
            m_saveProgressDialog->Update(percent, message);
    };
    callbacks.finished = [this](const GifSaveOutcome& outcome, bool cancelled) {
        FinishGifSave(outcome, cancelled);
    };
    m_export = std::make_unique<ExportSession>(std::move(callbacks));
}

void MainWindow::FinishGifSave(const GifSaveOutcome& outcome, bool cancelled)
{
    CloseJobProgress(m_saveProgressDialog);
    wxWakeUpIdle();
    TellPictureTrouble();
    if (!outcome.ok && cancelled) {
        // Stopped on request: the file is as it was, which the user knows.
        m_gifSavedVersion = 0;
        return;
    }
    if (!outcome.ok) {
        // Worded here, on the GUI thread, in the interface language.
        GifSaveFailed(outcome.failure.kind == ExportFailure::Kind::TooLarge
                          ? TooLargeText(outcome.failure)
                          : ExportFailureText(outcome.failure, true));
        return;
    }
    // Only a file that is in place names the GIF, in the status bar and in the project.
    m_gifName = wxFileNameFromPath(m_gifSaving.path);
    m_statusBar->SetStatusText(GifCanvasText(m_gifName, m_gifSaving.canvas), 0);
    TellHowItWasMadeSmaller(outcome.limit);
}

void MainWindow::TellHowItWasMadeSmaller(const SizeLimitReport& report)
{
    const bool lowered = report.quality < m_gifSavedOptions.quality;
    const bool scaled = report.canvas.IsFullySpecified() && report.canvas != m_gifSaving.canvas;
    if (report.attempts == 0 || (!lowered && !scaled))
        return;
    ShowMessage(SmallerFileText(wxFileNameFromPath(m_gifSaving.path), report,
                                m_gifSavedOptions.MaxBytes(), m_gifSaving.canvas),
                GetProductName(), wxOK | wxICON_INFORMATION, this);
}

void MainWindow::GifSaveFailed(const wxString& message)
{
    // Nothing was written, so the next Save must not think the file is current; it tries the
    // same path again.
    m_gifSavedVersion = 0;
    ShowMessage(message, GetProductName(), wxOK | wxICON_ERROR, this);
}
