// The main window: the animation document with its undo history, the strip and the preview
// that show it, the canvas and delay controls, and every user command. The layout comes from
// the XRC object "MainWindow"; the window adds menus, bindings, the strip and its state in
// InitFrame. The command groups live in files of their own beside this one.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include <wx/accel.h>
#include <wx/bitmap.h>
#include <wx/frame.h>
#include <wx/scrolwin.h>
#include <wx/timer.h>

#include "core/settings/update_check.h"
#include "ui/dialogs/path_chooser.h"
#include "core/project/project_markers.h"
#include "core/document/animation_document.h"
#include "core/document/edit_history.h"
#include "core/export/size_limit.h"
#include "core/document/step_name.h"
#include "core/view/preview_player.h"
#include "core/view/preview_zoom.h"

class BackgroundEstimate;
class CropEditor;
enum class CaptureBackend;
class FrameFileRecord;
struct FrameFilePlan;
struct RecordChoice;
class RecordControl;
struct RecordedFrames;
struct ThinnedFrames;
struct RecordSettings;
class RecoveryCopy;
class RecoveryFrames;
struct ProjectData;
class LoadSession;
struct LoadOutcome;
struct LoadRequest;
class ExportSession;
struct GifSaveOutcome;
class wxDC;
class FrameTile;
class wxLocale;
class wxMenu;
class wxMenuBar;
class wxMenuItem;
class wxPanel;
class wxProgressDialog;
class wxSpinCtrl;
class wxSplitterEvent;
class wxSplitterWindow;
class wxStaticText;
class wxStatusBar;
class wxThreadEvent;
class FrameStrip;
class FrameStripEvent;
class StripTile;
class wxToolBar;

// The settings controls, as the merging of their steps tells them apart.
enum SettingsControl {
    kDelayControl = 1,
    kWidthControl,
    kHeightControl,
    kLoopControl,
    kPictureControl,  // the Canvas menu's edits and the crop, each a step of its own
};

// Menu ids of the editing commands, shared by the menu bar and the strip's pop-up menu.
enum EditCommandId {
    ID_MOVE_LEFT = wxID_HIGHEST + 400,
    ID_MOVE_RIGHT,
    ID_DUPLICATE,
    ID_REVERSE,
    ID_PING_PONG,
    ID_SET_DELAY,
    ID_SCALE_DELAYS,
    ID_KEEP_GIF_TIMING,
    // The View menu's thumbnail sizes, in the order of ThumbnailSize.
    ID_THUMBNAILS_SMALL,
    ID_THUMBNAILS_MEDIUM,
    ID_THUMBNAILS_LARGE,
    // Second keys of menu commands: Ctrl+I for Add Image, Ctrl+T to stop the preview.
    ID_ADD_IMAGE_KEY,
    ID_STOP_PREVIEW_KEY,
    // The menu bar's own commands: fixed ids, so that a menu bar rebuilt in another language
    // binds the same commands again, and tests and benchmarks can send them.
    ID_NEW_DOCUMENT,
    ID_SAVE_GIF,
    ID_SAVE_GIF_AS,
    ID_OPEN_PROJECT,
    ID_SAVE_PROJECT,
    ID_SAVE_PROJECT_AS,
    ID_EXIT_PROGRAM,
    ID_ADD_IMAGE,
    ID_DELETE_FRAMES,
    ID_CLEAR_ALL,
    ID_RUN_ANIMATION,
    ID_LOOP_COUNT,
    ID_HELP_PAGE,
    ID_SUPPORT_PAGE,
    ID_CHECK_UPDATE,
    ID_ABOUT_BOX,
    ID_RECORD_SCREEN,
    // The Canvas menu: how the frames become the output's pictures.
    ID_ROTATE_RIGHT,
    ID_ROTATE_LEFT,
    ID_ROTATE_HALF,
    ID_FLIP_HORIZONTAL,
    ID_FLIP_VERTICAL,
    // The fit modes, in the order of FitMode.
    ID_FIT_SHRINK,
    ID_FIT_FIT,
    ID_FIT_FILL,
    ID_FIT_STRETCH,
    ID_FIT_CENTRE,
    ID_BACKGROUND_COLOUR,
    ID_TRANSPARENT_BACKGROUND,
    // The View menu's preview zoom: in, out, and the levels (fit first, then ascending).
    ID_ZOOM_IN,
    ID_ZOOM_OUT,
    ID_ZOOM_FIT,
    ID_ZOOM_50,
    ID_ZOOM_100,
    ID_ZOOM_200,
    ID_ZOOM_400,
    ID_CROP,
    // Fewer frames, in the Frame menu (the last two in the pop-up too); one range for their
    // enabling.
    ID_REMOVE_DUPLICATES,
    ID_LOWER_FRAME_RATE,
    ID_DELETE_BEFORE,
    ID_DELETE_AFTER,
};

class MainWindow : public wxFrame {
public:
    MainWindow();
    ~MainWindow() override;

    // One-time set-up after the XRC load has created the native window and its controls.
    virtual void InitFrame();

    // The seam through which every command asks for file paths.
    void SetPathChooser(std::unique_ptr<PathChooser> chooser);
    // The number of frames in the strip, placeholders of missing files included.
    int FrameCount() const;
    // Whether a load is running (its progress dialog is open).
    bool IsLoading() const { return m_loadProgress != nullptr; }
    // Whether an export is running (its progress dialog is open).
    bool IsSaving() const { return m_saveProgressDialog != nullptr; }
    // Whether the controls or the frame list differ from the last project save or open.
    bool ProjectChanged() const;
    // The command line's files: opened once a load under way (a restored document) has ended.
    void OpenAtStart(const wxArrayString& paths);
    // Offers the copies of windows that ended without closing (Restore / Discard).
    void OfferRecovery();

private:
    // The tests' view of the window's state and steps (tests/support/main_window_probe.h).
    friend struct MainWindowProbe;

    PathChooser& GetPathChooser() { return *m_pathChooser; }

    // Creates a new menu bar with every menu and item in the current language and installs it.
    void BuildMenuBar();
    // Binds the menu bar's commands to their handlers, once: every menu bar built uses the
    // same ids.
    void BindMenuCommands();
    // Switch the commands that need frames on or off as a whole.
    void EnableFrameTools();
    void DisableFrameTools();
    void SwitchFrameTools(bool on);

    // Language storage and locale.
    int ReadLanguageSetting();
    void ApplyLanguage(int id);
    void RelabelControls();
    void SetLabels();
    void SetUpStatusBar();
    // Status field 2: the length of the animation the frames and the delay make.
    void LengthChanged();
    void ShowLength();
    // Beside the length: the expected file length, worked out in the background a moment
    // after the last change of anything the file depends on (frames, delays, canvas, loop,
    // the remembered save options).
    void ScheduleEstimate();
    void StartEstimate();
    void OnEstimateTimer(wxTimerEvent& event);
    void EstimateDone(std::optional<uint64_t> bytes);
    // The estimate's part of the status bar in the current language; empty with none.
    wxString EstimateText() const;

    // Preview.
    void StopPreview();
    void ShowFrame(int index);
    void SetRunLook();
    void SetStopLook();
    // The play tool's picture and tip and the menu item's label.
    void SetPlayLook(const char* picture, const wxString& label, const char* shortcut);
    // Draws frame index (nothing for -1) as the preview shows it, onto a dc of the panel; an
    // empty window shows how to add images instead.
    void DrawPreview(wxDC& dc, int index);
    // The part source of frame index's picture, as the preview shows it, as a bitmap at size,
    // made once and kept for a while; enlarged pixels stay sharp.
    const wxBitmap& PreviewBitmap(int index, const wxRect& source, const wxSize& size);
    // A frame's picture as the preview shows it: the frame itself, or with edits (or while
    // cropping) as the output shows it, composed on the canvas.
    // shown: the size it is drawn at.
    wxImage PreviewPicture(const wxImage& picture, const wxSize& shown) const;
    bool PreviewShowsOutput() const;
    void DrawPreviewBackground(wxDC& dc, const wxRect& place);
    void DrawEmptyHint(wxDC& dc);
    // Erases the preview panel to its background.
    void ClearPreview();
    // The size of the picture the preview shows now; 0 x 0 for none. The preview shows a
    // frame's picture at PreviewPictureSize (the canvas when it shows the output).
    wxSize ShownPictureSize() const;
    wxSize PreviewPictureSize(const Picture& picture) const;
    // The panel's scrolling made to match the shown picture at the current zoom.
    void ApplyPreviewLayout();
    // The zoom: the View menu, Ctrl with the wheel over the preview, the keys, the settings.
    // SetZoom keeps the point of the picture at pointer (client coordinates) under it.
    void AppendZoomCommands(wxMenu& menu);
    void OnZoomMenu(wxCommandEvent& event);
    void OnUpdateZoomMenu(wxUpdateUIEvent& event);
    void OnPreviewWheel(wxMouseEvent& event);
    void OnPreviewSize(wxSizeEvent& event);
    void SetZoom(int zoom, const wxPoint& pointer);
    void RememberZoom();
    // Status field 1: the name and size of the frame shown last, in the current language.
    wxString FrameStatusText() const;

    // The crop tool: Edit > Crop... edits a rectangle over the output's picture in the
    // preview, with its bar of typed values, until Apply crops the animation to it (through
    // CropAnimation) or Cancel leaves it.
    void SetUpCropTool();
    void OnCrop(wxCommandEvent& event);
    void OnUpdateCrop(wxUpdateUIEvent& event);
    bool Cropping() const;
    void EndCropping();

    // The document and its history. Every edit of the frame list is a step of the history;
    // the strip follows the document's changes.
    void SetUpDocument();
    void FollowFrameList(const FrameListChange& change);
    // The frames' start times after a change of the list or of a delay; the strip's labels.
    void Retime();
    wxString FrameLabel(int index) const;
    // Does command as the next step, then brings canvas, tools, preview and status along.
    void SubmitEdit(DocumentCommand* command);
    void AfterEdit();
    // The picture of frame index, or null (a missing file, or no such frame).
    const Picture* FramePicture(int index) const;
    // A settings edit of a control: a step of its own, or merged into the control's last one.
    void ChangeSettings(StepName name, int control, const DocumentSettings& after);
    // The controls, the labels, the length and the saved state follow a change of the
    // document's settings (before: what they were).
    void FollowSettings(const DocumentSettings& before);
    // A width or height edit (control) that makes the canvas canvas, as a settings step.
    void ChooseCanvasByEdit(int control, const wxSize& canvas);
    // Move Left, Move Right, Duplicate, Reverse Order and Ping-Pong, for the Frame menu and
    // the strip's pop-up menu, and their bindings (once).
    void AppendArrangingCommands(wxMenu& menu);
    void BindEditCommands();
    // Set Delay and Scale Delays, for the Frame menu and the pop-up.
    void AppendTimingCommands(wxMenu& menu);
    void AppendKeepGifTiming(wxMenu& menu);
    // Gives the frames at positions the delays (kCommonDelay: follow the common one), as one
    // step named name; frames that have them already are left out of it.
    void SetFrameDelays(const std::vector<int>& positions, const std::vector<int>& delays,
                        StepName name);
    // The selected frames, ascending, each once.
    std::vector<int> SelectedFrames() const;
    // Remove Duplicate Frames, Lower Frame Rate, Delete Frames Before and After, for the
    // Frame menu; the last two for the pop-up. Bound once.
    void AppendFewerFramesCommands(wxMenu& menu);
    void AppendTrimCommands(wxMenu& menu);
    void BindFewerFramesCommands();
    void OnUpdateFewerFrames(wxUpdateUIEvent& event);
    void OnRemoveDuplicates(wxCommandEvent& event);
    void OnLowerFrameRate(wxCommandEvent& event);
    void OnDeleteBefore(wxCommandEvent& event);
    void OnDeleteAfter(wxCommandEvent& event);
    // Every frame's delay as Save writes it.
    std::vector<int> WrittenDelays() const;
    // Leaves only thinned's frames, with its delays, as one step named name.
    void KeepFrames(const ThinnedFrames& thinned, const StepName& name);
    // Deletes every frame before first and after last as one step named name.
    void DeleteFramesOutside(int first, int last, const StepName& name);

    // Frames.
    // Moves the frames at indices to the gap to (0..FrameCount(), before the frame there),
    // keeping their order: they end up selected, the preview keeps its frame and the
    // document counts as changed. Nothing happens for a move that changes nothing or while a
    // job runs.
    void MoveFrames(const std::vector<int>& indices, int to);
    // Starts decoding request's entries in the background, under the loading progress
    // dialog, appending the frames or (insertAt >= 0) inserting them there. An entry that
    // gives no picture becomes a placeholder while a project opens, and is named to the user
    // at the end otherwise. False (after telling the user) when the loader can't start.
    bool StartImageLoad(LoadRequest request);
    // Whether the frames of entries fit the memory the machine has free, or the user wants
    // them anyway when they don't (asked, with both amounts).
    bool MayLoad(const wxArrayString& entries);
    // The free memory MayLoad compares with; tests set a smaller one.
    std::function<uint64_t()> m_availableMemory;
    // Stops and waits for the background workers; queued results are dropped.
    void StopWorkers();

    // Long jobs. The progress dialog of a load or an export, with Cancel; while one is open
    // the window's commands and controls are held (all but Exit).
    wxProgressDialog* OpenJobProgress(const wxString& title, const wxString& message);
    // Closes a job's dialog; the last one releases the window (and closes it when asked to).
    void CloseJobProgress(wxProgressDialog*& dialog);
    void HoldContents(bool hold);
    // Asks the running workers to stop before their next step; each job then ends through its
    // usual final report, keeping what a load delivered and leaving a saved file as it was.
    void StopJob();
    // Closing while a job runs asks to stop it first; false when the close must wait.
    bool MayCloseDuringJob(wxCloseEvent& event);

    // Canvas. The document's follows the frames until the user chooses a size (a width or
    // height edit, or an opened project's stored size); from then on that size stays through
    // every change of the frame list, until the strip is empty again.
    // The canvas fields and text show the document's canvas.
    void ShowCanvas();
    // The canvas becomes size as if the user had chosen it (no step of the history).
    void ChooseCanvas(const wxSize& size);
    // A proportion edit's result shown: only the fields that differ are written.
    void ShowEditedCanvas();
    // What a proportion edit keeps: the frames' size, or the canvas while they give none.
    wxSize ProportionBase() const;

    // Questions of every save. A yes/no question with No as the default; true for Yes.
    bool AskYesNo(const wxString& question);
    // Asks for a path to write, completed with extension; when that completion names an
    // existing file, asks before it is replaced. Empty when cancelled or declined.
    wxString AskSavePath(const wxString& title, const wxString& wildcard,
                         const wxString& extension, const wxString& defaultPath);
    // A chosen path completed with extension, or empty when the completion would replace a
    // file the user declines to replace.
    wxString CompleteSavePath(const wxString& chosen, const wxString& extension);

    // Save as GIF. The dialog also asks for the save options, remembered when it is
    // accepted; empty when cancelled.
    wxString AskGifPath(const wxString& title);
    // The options the next GIF save writes with: the ones chosen last.
    GifSaveOptions SaveOptions() const;
    // The path a GIF save dialog offers: the GIF saved last, or an opened project's GIF name
    // in the project's folder.
    wxString DefaultGifPath() const;
    // The indices of the frames whose pictures are present (not placeholders).
    std::vector<int> PresentFrames() const;
    // Whether the existing file at path is the source of a frame of the list.
    bool IsSourceOfFrames(const wxString& path) const;
    // Asks what a save needs to know (missing frames left out, a source replaced), then starts
    // the export. False when nothing was started.
    bool StartGifSave(const wxString& path, const wxSize& canvas, const wxString& title);
    // Starts the export of the frames at the given indices.
    void StartGifExport(const wxString& path, int width, int height, const wxString& title,
                        const std::vector<int>& frames);
    // After a save under a size limit that lowered the quality or the canvas: says so.
    void TellHowItWasMadeSmaller(const SizeLimitReport& report);

    // Project files.
    // Writes the project, asking for a path the first time or when choosePath is set. True
    // once it is on disk.
    bool SaveProject(bool choosePath = false);
    void OpenProject();
    // Opens the project at path; a recovered copy opens as an unsaved document. False when
    // nothing was opened (the user was told why).
    bool OpenProjectFile(const wxString& path, bool recovered);
    // The document as a project file holds it.
    ProjectData CurrentProjectData() const;
    // Writes the files of plan for the project at path (frames without a file, and copies of
    // those of another project's folder) on worker threads, under a progress dialog with
    // Cancel once it lasts; the window takes no command meanwhile. False when cancelled, or
    // after telling the user which file failed and why.
    bool WriteProjectFrames(const FrameFilePlan& plan, const wxString& path);

    // Files from outside the window: a drop, the command line. By SortOpenedPaths's rules,
    // images load at insertAt (-1: after the last frame) through the loader and its progress
    // dialog, and a project opens as Open Project opens it, after the unsaved-changes question.
    void OpenPaths(const wxArrayString& paths, int insertAt = -1);
    // A drop; refused, with a word to the user, while a load or a save runs.
    void DropPaths(const wxArrayString& paths, int insertAt);
    // Where files dropped at a point of the strip (client coordinates) go.
    int StripDropIndex(const wxPoint& client) const;
    // Asks whether to save changes before the document is replaced; false to keep it as it is.
    bool MayReplaceDocument();
    // What a document starts with: a new one the defaults, an opened project its own.
    struct DocumentStart {
        wxString projectPath;  // empty: no project file
        wxString gifName;      // the name the first GIF save offers
        int delay = kDefaultDelay;
        int loopCount = 0;
        bool loopInGif = false;
        CanvasEdit edit;  // how the frames become the pictures of the output
    };
    // Empties the window into a document of its own: no frames, no steps to undo, nothing
    // shown, the canvas left to the frames to come, no GIF saved yet, start's paths and settings.
    void StartDocument(const DocumentStart& start);

    // Crash recovery: the document is copied to the recovery folder a moment after each
    // change, and the copy goes when the window closes.
    void ScheduleRecoveryCopy();
    // What went wrong with the pictures' cache file, told once (the pictures stay in memory).
    void TellPictureTrouble();
    // Asks about unsaved changes; true when the window may close.
    bool ConfirmClose();
    // Asks whether to save the project first: true to go on (saved, or not wanted), false
    // to keep things as they are.
    bool SaveOrDropChanges();

    // Recording the screen: the record dialog, then the control window while this window is
    // minimised and its contents held; the frames go in after the selection (at the end
    // without one) as one step.
    void OnRecordScreen(wxCommandEvent& event);
    // The record dialog, this window minimised meanwhile (and back when it is cancelled);
    // true with choice filled for a source to record.
    bool AskWhatToRecord(CaptureBackend backend, RecordChoice& choice);
    void FinishRecording(RecordedFrames frames);
    void RememberRecordChoices(const RecordSettings& settings);
    // Ends a recording under way, its frames kept, before the window closes.
    void StopRecording();

    // Help menu.
    void CheckForUpdate();
    // Help and Support open their page; without an address the user learns that none is set.
    void OpenConfiguredPage(const wxString& url);
    void TellNoAddress();

    // Command handlers.
    void OnSaveAnimator(wxCommandEvent& event);
    void OnSaveAsAnimator(wxCommandEvent& event);
    void OnNew(wxCommandEvent& event);
    void OnOpenProject(wxCommandEvent& event);
    void OnSaveProject(wxCommandEvent& event);
    void OnSaveProjectAs(wxCommandEvent& event);
    void OnExit(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnAddImage(wxCommandEvent& event);
    void OnInsertImage(wxCommandEvent& event);
    void OnDelete(wxCommandEvent& event);
    void OnClearAll(wxCommandEvent& event);
    void OnUndo(wxCommandEvent& event);
    void OnRedo(wxCommandEvent& event);
    void OnMoveLeft(wxCommandEvent& event);
    void OnMoveRight(wxCommandEvent& event);
    void OnDuplicate(wxCommandEvent& event);
    void OnReverse(wxCommandEvent& event);
    void OnPingPong(wxCommandEvent& event);
    void OnSetFrameDelay(wxCommandEvent& event);
    void OnScaleDelays(wxCommandEvent& event);
    void OnKeepGifTiming(wxCommandEvent& event);
    void OnUpdateEditCommand(wxUpdateUIEvent& event);
    void OnSettingsControlLeft(wxFocusEvent& event);
    void OnThumbnailLeftClick(FrameStripEvent& event);
    void OnThumbnailRightClick(FrameStripEvent& event);
    // The menu key or Shift+F10 on the strip.
    void OnThumbnailContextMenu(FrameStripEvent& event);
    // The strip's pop-up menu for the frame at index, at a point of the strip's (the pointer
    // for wxDefaultPosition).
    void ShowStripMenu(int index, const wxPoint& at);
    void BuildStripMenu(wxMenu& menu);
    // Thumbnail sizes: the View menu, Ctrl with the wheel over the strip, and the settings.
    void AppendViewCommands(wxMenu& menu);

    // The Canvas menu (picture_edits.cpp): turning, mirroring, the fit mode, the background
    // and the crop, each one undoable step; the preview and the thumbnails follow.
    void AppendCanvasCommands(wxMenu& menu);
    void BindCanvasCommands();
    void OnTurn(wxCommandEvent& event);
    void OnMirror(wxCommandEvent& event);
    void OnFitMode(wxCommandEvent& event);
    void OnBackgroundColour(wxCommandEvent& event);
    void OnTransparentBackground(wxCommandEvent& event);
    void OnUpdateCanvasCommand(wxUpdateUIEvent& event);
    void EditPicture(StepName name, const DocumentSettings& after);
    // Shows the document's picture edits: the preview and every thumbnail made again.
    void ShowPictureEdit();
    // The preview's and the thumbnails' pictures made again for the edits and the canvas.
    void TakePictureLook();
public:
    // Keeps the part of the output within shown (in the output's pixels, as the preview
    // shows it) as one undoable step; false when that leaves nothing.
    bool CropAnimation(const wxRect& shown);
    // Whether the preview shows every frame as the output does (on the canvas), as a crop
    // needs, even without edits; otherwise it does so only with edits.
    void SetPreviewShowsOutput(bool output);
private:
    void OnThumbnailSizeMenu(wxCommandEvent& event);
    void OnUpdateThumbnailSizeMenu(wxUpdateUIEvent& event);
    void OnThumbnailSizeChanged(FrameStripEvent& event);
    void RememberThumbnailSize();
    void TakeRememberedThumbnailSize();
    // Keys of commands that a menu item can't show beside its own, in the window's
    // accelerator table.
    static std::vector<wxAcceleratorEntry> SecondKeys();
    // The second key of a menu command: does the command when its item is enabled.
    void OnSecondKey(wxCommandEvent& event);
    void OnThumbnailSelected(FrameStripEvent& event);
    void OnThumbnailMove(FrameStripEvent& event);
    void OnChangeSplitterWindow(wxSplitterEvent& event);
    void OnPlayStop(wxCommandEvent& event);
    void OnTimer(wxTimerEvent& event);
    void OnLoopCount(wxCommandEvent& event);
    void OnSetDelay(wxCommandEvent& event);
    void OnSetWidth(wxCommandEvent& event);
    void OnSetHeight(wxCommandEvent& event);
    void OnLanguage(wxCommandEvent& event);
    void OnWebLink(wxCommandEvent& event);
    void OnUpdateCheckResult(wxCommandEvent& event);
    void OnAbout(wxCommandEvent& event);
    void OnPreviewPaint(wxPaintEvent& event);
    void OnJobTimer(wxTimerEvent& event);
    void OnRecoveryTimer(wxTimerEvent& event);

    // Controls found in the layout and the menus built in code.
    wxSplitterWindow* m_splitter = nullptr;
    wxPanel* m_panel_top = nullptr;
    // The preview: scrolls when the zoomed picture is larger than it.
    wxScrolledWindow* m_panel_down = nullptr;
    wxProgressDialog* m_loadProgress = nullptr;
    wxProgressDialog* m_saveProgressDialog = nullptr;
    wxMenuBar* m_menubar = nullptr;
    wxMenu* m_menuFile = nullptr;
    wxMenu* m_menuEdit = nullptr;
    wxMenu* m_menuFrame = nullptr;
    wxMenu* m_menuCanvas = nullptr;
    // Whether the thumbnails show the picture edits (see ShowPictureEdit).
    bool m_thumbnailsEdited = false;
    // The canvas the preview's and the thumbnails' pictures were composed on.
    wxSize m_lookCanvas;
    bool m_previewShowsOutput = false;
    wxMenu* m_menuView = nullptr;
    wxMenu* m_menuAnimation = nullptr;
    wxMenu* m_menuHelp = nullptr;
    wxMenu* m_menuLanguage = nullptr;
    wxStaticText* m_staticText_delay = nullptr;
    wxStaticText* m_staticText_sec = nullptr;
    wxStaticText* m_staticText_gif = nullptr;
    wxStaticText* m_staticText_width = nullptr;
    wxStaticText* m_staticText_wpx = nullptr;
    wxStaticText* m_staticText_height = nullptr;
    wxStaticText* m_staticText_hpx = nullptr;

    // Snapshot at the last GIF export.
    int m_gifSavedCount = 0;
    int m_gifSavedDelay = 0;
    int m_gifSavedWidth = 0;
    int m_gifSavedHeight = 0;
    // The frame list's edition: every insert, delete, clear and load moves it on. The GIF
    // export and the project remember the edition they saved, so that a frame list changed
    // without a change of count (a frame replaced) still counts as changed.
    unsigned m_frameListVersion = 1;
    unsigned m_gifSavedVersion = 0;
    GifSaveOptions m_gifSavedOptions;
    void FramesChanged()
    {
        ++m_frameListVersion;
        ScheduleRecoveryCopy();
        LengthChanged();
        ScheduleEstimate();
    }

    wxToolBar* m_toolBar_button = nullptr;
    FrameStrip* m_thumbnails = nullptr;
    wxTimer m_timer;
    // Looks for a pressed Cancel while a job runs.
    wxTimer m_jobTimer;
    // Writes the recovery copy a moment after the last change.
    wxTimer m_recoveryTimer;
    // Starts the size estimate a moment after the last change.
    wxTimer m_estimateTimer;
    std::unique_ptr<BackgroundEstimate> m_estimate;
    // The estimate the status bar shows, worded only when shown (a language switch rewords
    // it): none, one under way, or a file length in bytes.
    enum class EstimateShown { None, Working, Bytes };
    EstimateShown m_estimateShown = EstimateShown::None;
    uint64_t m_estimateBytes = 0;
    std::unique_ptr<RecoveryCopy> m_recovery;
    // The recovery copy's frames without a file; goes before the copy that holds their folder.
    std::unique_ptr<RecoveryFrames> m_recoveryFrames;
    // Where the project saves put the frames without a file.
    std::unique_ptr<FrameFileRecord> m_projectFrameFiles;
    // The user has heard that the recovery copy can't be written.
    bool m_recoveryTroubleTold = false;
    bool m_holding = false;
    // A thumbnail size that could not be stored is told once a session.
    bool m_toldSizeNotStored = false;
    // The recording under way: its control window, which owns it.
    RecordControl* m_recordControl = nullptr;
    bool m_toldRecordNotStored = false;
    std::vector<int> m_heldItems;
    std::vector<wxWindow*> m_heldWindows;
    bool m_closeAfterJob = false;
    // The export under way, if any: its worker and the frames it asks for.
    std::unique_ptr<ExportSession> m_export;

    wxString m_gifPath;
    wxString m_gifName;
    wxString m_projectPath;
    // The rule of the run markers in the file at m_projectPath: saving over it keeps it.
    ProjectMarkers m_projectMarkers = ProjectMarkers::GifPath;
    wxString m_projectName;
    wxString m_frameName;
    // The full path of the frame last shown when it is a placeholder of a missing file.
    wxString m_shownMissingPath;
    // Size of the frame last drawn by ShowFrame, kept for the status text of a relabel.
    wxSize m_frameShownSize;
    // Index of the frame last drawn, redrawn when the preview panel is exposed; -1 for none.
    int m_shownIndex = -1;
    // The preview's zoom (a percentage, or kZoomFit), the wheel's turn not yet a whole step,
    // and the area the panel scrolls over now.
    int m_zoom = kZoomFit;
    int m_zoomWheel = 0;
    wxSize m_previewScrolled;
    bool m_toldZoomNotStored = false;
    // The preview's bitmaps of the frames shown last: a part of the picture (source) at the
    // size it is drawn.
    struct PreviewCacheEntry {
        FramePtr frame;
        wxRect source;
        wxSize size;
        wxBitmap bitmap;
    };
    static constexpr size_t kPreviewCacheSize = 8;
    std::vector<PreviewCacheEntry> m_previewCache;
    std::unique_ptr<CropEditor> m_crop;
    // Which frame the running preview shows next, and the loops it has played.
    PreviewPlayer m_player;
    int m_language = 0;
    wxSpinCtrl* m_spinctrl_delay = nullptr;
    wxSpinCtrl* m_spinctrl_width = nullptr;
    wxSpinCtrl* m_spinctrl_height = nullptr;
    wxStatusBar* m_statusBar = nullptr;
    std::unique_ptr<wxLocale> m_locale;
    bool m_lengthPending = false;

    AnimationDocument m_document;
    // When each frame starts, in hundredths (one more element: the total); counted again
    // when a label needs them after a change.
    mutable std::vector<long> m_startTimes;
    mutable bool m_startTimesStale = true;
    std::unique_ptr<EditHistory> m_history;
    // Set while a step writes the controls, whose change events must not make new steps.
    bool m_applyingSettings = false;

    // Help menu: web pages open through m_urlOpener (tests record the address instead of
    // starting a browser; empty means the default browser), and the update check fetches
    // in the background, so the window stays usable while the server is slow.
    using UrlOpener = std::function<void(const wxString& url)>;
    void OpenUrl(const wxString& url);
    UrlOpener m_urlOpener;
    UpdateCheck m_updateCheck{this};

    // Steps of InitFrame.
    void CreateStrip();
    void SetUpPreviewPanel();
    void SetUpPreviewScrolling();
    void FindSettingControls();
    void LoadWindowIcon();
    // The strip and the rest of the window take files dropped on them.
    void InstallDropTargets();
    void OnIdleOpenPending(wxIdleEvent& event);
    // Whether files can be opened now: the window is on screen and no job holds the strip.
    bool ReadyToOpen() const;

    void SetUpLoad();
    void FinishImageLoad(const LoadOutcome& load);
    // Asks for each video among request's entries which stretch of it becomes frames and
    // puts their names, with their delays, in its place (a video the user cancels, or that
    // can't be read, is left out, the latter told); false when nothing is left to load.
    bool ChooseVideoFrames(LoadRequest& request);
    // The load's frames as one step of the history.
    void StoreLoadStep(const LoadOutcome& load);
    // Whether frames loaded from a GIF keep its timing (Frame menu).
    bool KeepsGifTiming() const;
    // The end of a project's load: its canvas, the unchanged state and the missing frames.
    void FinishProjectOpen(const LoadOutcome& load);
    void SetUpExport();
    // The end of an export: the file named, or the failure told (nothing for a cancelled one).
    void FinishGifSave(const GifSaveOutcome& outcome, bool cancelled);
    void GifSaveFailed(const wxString& message);
    // The title: the project's name (when there is a project) and the product's.
    void UpdateTitle();
    // Writes the canvas controls; lowest is the least value they accept.
    void SetCanvasControls(const wxSize& size, int lowest);

    std::unique_ptr<PathChooser> m_pathChooser;
    // The load under way, if any: its worker and what it gathers.
    std::unique_ptr<LoadSession> m_load;

    // The export under way: where it writes and its canvas.
    struct GifSaving {
        wxString path;
        wxSize canvas;
    };
    GifSaving m_gifSaving;

    // A project whose frames are loading: its stored canvas, applied once they are all in.
    struct ProjectOpening {
        wxSize canvas;
        // A restored recovery copy: discarded once its frames are in.
        wxString recoveryCopy;
    };
    std::unique_ptr<ProjectOpening> m_projectOpening;
    // Files of the command line waiting for the load under way to end.
    wxArrayString m_pendingPaths;

    wxDECLARE_EVENT_TABLE();
};
