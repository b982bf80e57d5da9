// File > Record Screen...: what and how to record is asked, the control window runs the
// recording with this window out of the way, and the frames come in as one step.

#include <wx/app.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include "core/screen/capture_backend.h"
#include "core/settings/paths.h"
#include "core/settings/product.h"
#include "core/settings/record_setting.h"
#include "core/settings/settings_store.h"
#include "core/strip/thumbnail_size.h"
#include "ui/dialogs/message_boxes.h"
#include "ui/dialogs/record_control.h"
#include "ui/dialogs/record_dialog.h"
#include "ui/window/main_window.h"

void MainWindow::OnRecordScreen(wxCommandEvent&)
{
    StopPreview();
    if (m_recordControl || m_holding)
        return;
    const CaptureBackend backend = ChooseCaptureBackend(CurrentSessionEnvironment());
    if (backend == CaptureBackend::None) {
        ShowMessage(_("The screen can't be recorded: this session has no X11 display and no "
                      "Wayland desktop."),
                    GetProductName(), wxOK | wxICON_ERROR, this);
        return;
    }
    RecordChoice choice;
    if (!AskWhatToRecord(backend, choice))
        return;
    RememberRecordChoices(choice.settings);

    RecordStart start;
    start.source = std::move(choice.source);
    start.region = choice.region;
    start.options = RecordOptionsOf(choice.settings);
    start.countdown = choice.settings.countdown;
    start.store = m_document.Store();
    // The strip's small copies are made as the pictures are taken, not decoded again at Stop.
    start.options.smallCopySide = ThumbnailSide(ThumbnailSize::Large);
    start.onX11 = backend == CaptureBackend::X11;
    // Nothing changes the frames meanwhile.
    HoldContents(true);
    m_recordControl = new RecordControl(std::move(start), [this](RecordedFrames frames) {
        FinishRecording(std::move(frames));
    });
    m_recordControl->Start();
}

bool MainWindow::AskWhatToRecord(CaptureBackend backend, RecordChoice& choice)
{
    // Out of the still the dialog shows and of the recording; the window manager takes a
    // moment to take it off the screen.
    Iconize(true);
    // Events keep flowing meanwhile (repaints of what comes up from under it).
    const wxStopWatch waited;
    do {
        wxTheApp->SafeYield(nullptr, true);
        wxMilliSleep(10);
    } while (waited.Time() < 250);
    RecordDialog dialog(nullptr, backend, ReadRecordSettings(Settings()));
    if (dialog.Run() == wxID_OK && dialog.HasSource()) {
        choice = dialog.TakeChoice();
        return true;
    }
    Iconize(false);
    Raise();
    return false;
}

void MainWindow::RememberRecordChoices(const RecordSettings& settings)
{
    if (WriteRecordSettings(Settings(), settings) || m_toldRecordNotStored)
        return;
    // Said once: the choices still hold until the window closes.
    m_toldRecordNotStored = true;
    ShowMessage(wxString::Format(_("The recording choices could not be stored in %s."),
                                 GetSettingsFilePath()),
                GetProductName(), wxOK | wxICON_WARNING, this);
}

void MainWindow::FinishRecording(RecordedFrames frames)
{
    m_recordControl = nullptr;
    HoldContents(false);
    Iconize(false);
    Raise();
    const Recording& recording = frames.recording;
    // One delay a picture, each within a GIF's range (the recorder splits longer ones).
    const size_t count = recording.pictures.size();
    if (count > 0) {
        FrameList list;
        list.reserve(count);
        for (size_t i = 0; i < count; ++i)
            list.push_back(MakeFrame(recording.pictures[i], wxString(), recording.delays[i],
                                     i < recording.smallCopies.size()
                                         ? recording.smallCopies[i]
                                         : nullptr));
        const std::vector<int> selected = SelectedFrames();
        const int at = selected.empty() ? FrameCount() : selected.back() + 1;
        const int n = static_cast<int>(count);
        const StepName name = [n] {
            return wxString::Format(wxPLURAL("Record %d Frame", "Record %d Frames", n), n);
        };
        SubmitEdit(new InsertFramesCommand(m_document, name, at, std::move(list)));
        ShowFrame(at);
    }
    if (!recording.problem.empty())
        ShowMessage(wxString::Format(_("The recording ended early: %s\nThe frames recorded until "
                                       "then are kept."),
                                     wxString::FromUTF8(recording.problem)),
                    GetProductName(), wxOK | wxICON_WARNING, this);
    TellPictureTrouble();
}

void MainWindow::StopRecording()
{
    if (m_recordControl)
        m_recordControl->Stop();
}
