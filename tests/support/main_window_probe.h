// What tests read and drive inside the main window beyond what a user can see: its document,
// its strip and preview, the jobs under way, and a few steps a test calls directly. The
// window keeps all of it private; this probe is its one friend.
#pragma once

#include <vector>

#include <wx/menu.h>

#include "core/jobs/load_session.h"
#include "ui/dialogs/crop_editor.h"
#include "ui/dialogs/record_control.h"
#include "ui/window/main_window.h"

struct MainWindowProbe {
    MainWindow& w;

    // The model and its history.
    AnimationDocument& Document() { return w.m_document; }
    std::unique_ptr<EditHistory>& History() { return w.m_history; }
    unsigned& FrameListVersion() { return w.m_frameListVersion; }
    // An edit as the window's own commands make one (frames a recording puts in, say).
    void SubmitEdit(DocumentCommand* command) { w.SubmitEdit(command); }

    // Controls, labels and menus.
    FrameStrip* Strip() { return w.m_thumbnails; }
    wxSpinCtrl* DelayControl() { return w.m_spinctrl_delay; }
    wxSpinCtrl* WidthControl() { return w.m_spinctrl_width; }
    wxSpinCtrl* HeightControl() { return w.m_spinctrl_height; }
    wxStaticText* DelayLabel() { return w.m_staticText_delay; }
    wxStaticText* DelayUnit() { return w.m_staticText_sec; }
    wxStaticText* LoopLabel() { return w.m_staticText_gif; }
    wxStaticText* WidthLabel() { return w.m_staticText_width; }
    wxStaticText* WidthUnit() { return w.m_staticText_wpx; }
    wxStaticText* HeightLabel() { return w.m_staticText_height; }
    wxStaticText* HeightUnit() { return w.m_staticText_hpx; }
    wxPanel* StripPanel() { return w.m_panel_top; }
    wxScrolledWindow* PreviewPanel() { return w.m_panel_down; }
    wxMenu* FileMenu() { return w.m_menuFile; }
    wxMenu* EditMenu() { return w.m_menuEdit; }
    wxMenu* FrameMenu() { return w.m_menuFrame; }
    wxMenu* ViewMenu() { return w.m_menuView; }
    wxMenu* AnimationMenu() { return w.m_menuAnimation; }
    wxMenu* HelpMenu() { return w.m_menuHelp; }
    wxMenu* LanguageMenu() { return w.m_menuLanguage; }
    int& Language() { return w.m_language; }
    static std::vector<wxAcceleratorEntry> SecondKeys() { return MainWindow::SecondKeys(); }
    void BuildStripMenu(wxMenu& menu) { w.BuildStripMenu(menu); }
    std::vector<int> SelectedFrames() const { return w.SelectedFrames(); }

    // The preview.
    PreviewPlayer& Player() { return w.m_player; }
    int& ShownIndex() { return w.m_shownIndex; }
    wxTimer& PreviewTimer() { return w.m_timer; }
    void ShowFrame(int index) { w.ShowFrame(index); }
    void DrawPreview(wxDC& dc, int index) { w.DrawPreview(dc, index); }
    void OnTimer(wxTimerEvent& event) { w.OnTimer(event); }
    void StopPreview() { w.StopPreview(); }
    void SetRunLook() { w.SetRunLook(); }
    void SetStopLook() { w.SetStopLook(); }
    int& Zoom() { return w.m_zoom; }
    CropEditor* Crop() { return w.m_crop.get(); }

    // Files, saves and jobs.
    wxString& ProjectPath() { return w.m_projectPath; }
    wxString& GifPath() { return w.m_gifPath; }
    wxString& GifName() { return w.m_gifName; }
    int& GifSavedCount() { return w.m_gifSavedCount; }
    int& GifSavedWidth() { return w.m_gifSavedWidth; }
    wxString DefaultGifPath() const { return w.DefaultGifPath(); }
    wxProgressDialog* LoadProgress() { return w.m_loadProgress; }
    // By reference: the window clears it when the job ends, and a waiting test must see that.
    wxProgressDialog* const& SaveProgress() { return w.m_saveProgressDialog; }
    std::unique_ptr<ExportSession>& Export() { return w.m_export; }
    std::function<uint64_t()>& AvailableMemory() { return w.m_availableMemory; }
    bool& RecoveryTroubleTold() { return w.m_recoveryTroubleTold; }
    wxTimer& EstimateTimer() { return w.m_estimateTimer; }
    std::unique_ptr<BackgroundEstimate>& Estimate() { return w.m_estimate; }
    void ScheduleEstimate() { w.ScheduleEstimate(); }
    void StartEstimate() { w.StartEstimate(); }
    bool OpenProjectFile(const wxString& path, bool recovered)
    {
        return w.OpenProjectFile(path, recovered);
    }
    void DropPaths(const wxArrayString& paths, int insertAt) { w.DropPaths(paths, insertAt); }
    bool ConfirmClose() { return w.ConfirmClose(); }
    bool StartImageLoad(LoadRequest request) { return w.StartImageLoad(std::move(request)); }
    void ChangeSettings(StepName name, int control, const DocumentSettings& after)
    {
        w.ChangeSettings(std::move(name), control, after);
    }
    void TellHowItWasMadeSmaller(const SizeLimitReport& report)
    {
        w.TellHowItWasMadeSmaller(report);
    }

    // The screen recording under way: its control window, or null.
    RecordControl* Recording() { return w.m_recordControl; }
    // What the window does with the frames of a recording that ended.
    void FinishRecording(RecordedFrames&& frames) { w.FinishRecording(std::move(frames)); }

    // Help.
    UpdateCheck& Updates() { return w.m_updateCheck; }
    MainWindow::UrlOpener& UrlOpener() { return w.m_urlOpener; }
};

inline MainWindowProbe Probe(MainWindow& window)
{
    return MainWindowProbe{window};
}

// The menu bar's item of a command (ID_SAVE_GIF, wxID_UNDO...), as the bar shows it now.
inline wxMenuItem* MenuItem(MainWindow& window, int id)
{
    return window.GetMenuBar()->FindItem(id);
}
