#include "ui/window/main_window.h"

#include <wx/icon.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/progdlg.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/splitter.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/stockitem.h>
#include <wx/toolbar.h>
#include <wx/xrc/xmlres.h>

#include "core/settings/paths.h"
#include "core/project/frame_file_plan.h"
#include "core/project/recovery_frames.h"
#include "core/project/recovery_store.h"
#include "core/settings/product.h"
#include "core/base/trace.h"
#include "core/settings/update_event.h"
#include "core/settings/language_setting.h"
#include "core/settings/memory_setting.h"
#include "core/settings/settings_store.h"
#include "ui/strip/frame_strip.h"
#include "ui/dialogs/crop_editor.h"
#include "ui/dialogs/record_control.h"
#include "core/jobs/background_estimate.h"
#include "core/jobs/export_session.h"
#include "core/jobs/load_session.h"
#include "core/jobs/export_thread.h"
#include "core/jobs/thread_update_event.h"

wxBEGIN_EVENT_TABLE(MainWindow, wxFrame)
    EVT_FRAME_STRIP_LEFT_CLICK(ID_THUMBNAIL_CTRL, MainWindow::OnThumbnailLeftClick)
    EVT_FRAME_STRIP_RIGHT_CLICK(ID_THUMBNAIL_CTRL, MainWindow::OnThumbnailRightClick)
    EVT_FRAME_STRIP_SELECTED(ID_THUMBNAIL_CTRL, MainWindow::OnThumbnailSelected)
    EVT_FRAME_STRIP_MOVE(ID_THUMBNAIL_CTRL, MainWindow::OnThumbnailMove)
    EVT_FRAME_STRIP_CONTEXT_MENU(ID_THUMBNAIL_CTRL, MainWindow::OnThumbnailContextMenu)
    EVT_FRAME_STRIP_THUMBNAIL_SIZE(ID_THUMBNAIL_CTRL, MainWindow::OnThumbnailSizeChanged)
    EVT_CLOSE(MainWindow::OnClose)
    wx__DECLARE_EVT1(wxEVT_UPDATE_CHECK_RESULT, wxID_ANY,
                     wxCommandEventHandler(MainWindow::OnUpdateCheckResult))
wxEND_EVENT_TABLE()

namespace {
const int kTimerId = 1;
const int kJobTimerId = 2;
const int kRecoveryTimerId = 3;
const int kEstimateTimerId = 4;
const int kInsertImageId = 0;
}

MainWindow::MainWindow()
    : m_document(PictureStore::Create(ReadPictureStoreOptions(Settings()))),
      m_pathChooser(MakeDialogPathChooser())
{
}

MainWindow::~MainWindow()
{
    m_timer.Stop();
    m_jobTimer.Stop();
    m_recoveryTimer.Stop();
    m_estimateTimer.Stop();
    // A recording still under way stops with the window that would have taken its frames.
    if (m_recordControl)
        m_recordControl->Abandon();
    // An estimate waiting for a frame is woken and joined before the frames go.
    m_estimate.reset();
    StopWorkers();
    // The recovery copy's frames still being written are joined before their pictures go
    // (a window whose layout could not be loaded has none).
    if (m_recoveryFrames)
        m_recoveryFrames->Stop();
    // The controls lose the focus as they are destroyed, after this window has stopped
    // being a MainWindow.
    for (wxSpinCtrl* control : {m_spinctrl_delay, m_spinctrl_width, m_spinctrl_height})
        if (control)
            control->Unbind(wxEVT_KILL_FOCUS, &MainWindow::OnSettingsControlLeft, this);
    // Items paint through the strip's members; the strip goes before anything it reads.
    if (m_thumbnails)
        m_thumbnails->Destroy();
    m_thumbnails = nullptr;
}

void MainWindow::SetPathChooser(std::unique_ptr<PathChooser> chooser)
{
    m_pathChooser = std::move(chooser);
}

int MainWindow::FrameCount() const
{
    return m_thumbnails ? m_thumbnails->GetCount() : 0;
}

void MainWindow::InitFrame()
{
    m_language = ReadLanguageSetting();
    ApplyLanguage(m_language);

    BuildMenuBar();

    Bind(wxEVT_MENU, &MainWindow::OnPlayStop, this, XRCID("m_tool_play"));
    Bind(wxEVT_MENU, &MainWindow::OnDelete, this, XRCID("m_tool_delete"));
    Bind(wxEVT_MENU, &MainWindow::OnAddImage, this, XRCID("m_tool_insert"));
    Bind(wxEVT_MENU, &MainWindow::OnRecordScreen, this, XRCID("m_tool_record"));
    Bind(wxEVT_MENU, &MainWindow::OnCrop, this, XRCID("m_tool_crop"));
    Bind(wxEVT_MENU, &MainWindow::OnLoopCount, this, XRCID("m_menuItem_loop_count"));
    BindMenuCommands();
    BindEditCommands();
    BindFewerFramesCommands();
    Bind(wxEVT_TIMER, &MainWindow::OnTimer, this, kTimerId);
    Bind(wxEVT_TIMER, &MainWindow::OnJobTimer, this, kJobTimerId);
    Bind(wxEVT_TIMER, &MainWindow::OnRecoveryTimer, this, kRecoveryTimerId);
    Bind(wxEVT_TIMER, &MainWindow::OnEstimateTimer, this, kEstimateTimerId);

    m_splitter = XRCCTRL(*this, "m_splitter", wxSplitterWindow);
    m_panel_top = XRCCTRL(*this, "m_panel_top", wxPanel);
    m_panel_down = XRCCTRL(*this, "m_panel_down", wxScrolledWindow);
    CreateStrip();
    InstallDropTargets();
    SetUpPreviewPanel();
    m_timer.SetOwner(this, kTimerId);
    m_jobTimer.SetOwner(this, kJobTimerId);
    m_recoveryTimer.SetOwner(this, kRecoveryTimerId);
    m_estimateTimer.SetOwner(this, kEstimateTimerId);
    m_estimate = std::make_unique<BackgroundEstimate>(
        [this](std::optional<uint64_t> bytes) { EstimateDone(bytes); });
    SetUpLoad();
    SetUpExport();
    m_recovery = std::make_unique<RecoveryCopy>(RecoveryFolder());
    m_recoveryFrames = std::make_unique<RecoveryFrames>(*m_recovery);
    m_projectFrameFiles = std::make_unique<FrameFileRecord>();
    FindSettingControls();
    SetUpDocument();

    SetUpStatusBar();

    m_toolBar_button = XRCCTRL(*this, "m_toolBar_button", wxToolBar);
    SetUpCropTool();
    SetLabels();

    DisableFrameTools();

    m_gifSavedCount = m_gifSavedDelay = m_gifSavedWidth = m_gifSavedHeight = 0;

    LoadWindowIcon();
    SetTitle(GetProductName());
}

void MainWindow::CreateStrip()
{
    auto* stripSizer = new wxBoxSizer(wxHORIZONTAL);
    m_panel_top->SetSizer(stripSizer);
    m_thumbnails = new FrameStrip(m_panel_top, wxDefaultPosition, m_panel_top->GetSize());
    stripSizer->Add(m_thumbnails, 1, wxEXPAND, 0);
    // The strip takes its colours from the desktop theme, and its size from the settings.
    TakeRememberedThumbnailSize();
}

void MainWindow::SetUpPreviewPanel()
{
    // A neutral mid-grey whatever the theme: dark and light frames both stand out on it
    // (the theme's tooltip colour is near-black on common GTK themes).
    m_panel_down->SetBackgroundColour(wxColour(128, 128, 128));
    // The paint handler draws every pixel, the background included.
    m_panel_down->SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_panel_down->Bind(wxEVT_PAINT, &MainWindow::OnPreviewPaint, this);
    SetUpPreviewScrolling();
}

void MainWindow::FindSettingControls()
{
    m_spinctrl_delay = XRCCTRL(*this, "m_spinctrl_delay", wxSpinCtrl);
    m_spinctrl_width = XRCCTRL(*this, "m_spinctrl_width", wxSpinCtrl);
    m_spinctrl_height = XRCCTRL(*this, "m_spinctrl_height", wxSpinCtrl);
    m_spinctrl_delay->Bind(wxEVT_TEXT, &MainWindow::OnSetDelay, this);
    m_spinctrl_width->Bind(wxEVT_TEXT, &MainWindow::OnSetWidth, this);
    m_spinctrl_height->Bind(wxEVT_TEXT, &MainWindow::OnSetHeight, this);
    m_splitter->Bind(wxEVT_SPLITTER_SASH_POS_CHANGED, &MainWindow::OnChangeSplitterWindow, this);

    m_staticText_delay = XRCCTRL(*this, "m_staticText_delay", wxStaticText);
    m_staticText_sec = XRCCTRL(*this, "m_staticText_sec", wxStaticText);
    m_staticText_gif = XRCCTRL(*this, "m_staticText_gif", wxStaticText);
    m_staticText_width = XRCCTRL(*this, "m_staticText_width", wxStaticText);
    m_staticText_wpx = XRCCTRL(*this, "m_staticText_wpx", wxStaticText);
    m_staticText_height = XRCCTRL(*this, "m_staticText_height", wxStaticText);
    m_staticText_hpx = XRCCTRL(*this, "m_staticText_hpx", wxStaticText);
}

void MainWindow::LoadWindowIcon()
{
    const wxString iconPath = GetAppBaseDir() + "/Themes/application.ico";
    Trace(iconPath.utf8_str());
    wxLogNull noLog;
    wxIcon icon;
    if (icon.LoadFile(iconPath, wxBITMAP_TYPE_ICO))
        SetIcon(icon);
}

void MainWindow::SetLabels()
{
    m_staticText_delay->SetLabel(_("Delay ") + ":");
    m_staticText_sec->SetLabel("1/100" + _("sec "));
    m_staticText_gif->SetLabel(_("GIF") + ":");
    m_staticText_width->SetLabel(_("Width") + ":");
    m_staticText_wpx->SetLabel(_("px"));
    m_staticText_height->SetLabel(_("Height") + ":");
    m_staticText_hpx->SetLabel(_("px"));
    // The layout file gave the tools their English help before any language was chosen.
    m_toolBar_button->SetToolShortHelp(XRCID("m_tool_insert"), _("Add Image"));
    m_toolBar_button->SetToolShortHelp(XRCID("m_tool_delete"), _("Delete"));
    m_toolBar_button->SetToolShortHelp(XRCID("m_tool_crop"), _("Crop"));
    m_toolBar_button->SetToolShortHelp(XRCID("m_tool_record"), _("Record Screen"));
    m_toolBar_button->SetToolShortHelp(XRCID("m_tool_play"),
                                       m_player.Playing() ? _("Stop animation") : _("Run animation"));
    if (m_crop)
        m_crop->Bar()->SetLabels();
    if (wxSizer* sizer = m_staticText_delay->GetContainingSizer())
        sizer->Layout();
}

namespace {
wxString WithShortcut(const wxString& label, const char* shortcut)
{
    return label + "\t" + shortcut;
}
}

void MainWindow::BindMenuCommands()
{
    Bind(wxEVT_MENU, &MainWindow::OnNew, this, ID_NEW_DOCUMENT);
    Bind(wxEVT_MENU, &MainWindow::OnRecordScreen, this, ID_RECORD_SCREEN);
    Bind(wxEVT_MENU, &MainWindow::OnSaveAnimator, this, ID_SAVE_GIF);
    Bind(wxEVT_MENU, &MainWindow::OnSaveAsAnimator, this, ID_SAVE_GIF_AS);
    Bind(wxEVT_MENU, &MainWindow::OnOpenProject, this, ID_OPEN_PROJECT);
    Bind(wxEVT_MENU, &MainWindow::OnSaveProject, this, ID_SAVE_PROJECT);
    Bind(wxEVT_MENU, &MainWindow::OnSaveProjectAs, this, ID_SAVE_PROJECT_AS);
    Bind(wxEVT_MENU, &MainWindow::OnExit, this, ID_EXIT_PROGRAM);
    Bind(wxEVT_MENU, &MainWindow::OnAddImage, this, ID_ADD_IMAGE);
    Bind(wxEVT_MENU, &MainWindow::OnDelete, this, ID_DELETE_FRAMES);
    Bind(wxEVT_MENU, &MainWindow::OnClearAll, this, ID_CLEAR_ALL);
    Bind(wxEVT_MENU, &MainWindow::OnPlayStop, this, ID_RUN_ANIMATION);
    Bind(wxEVT_MENU, &MainWindow::OnLoopCount, this, ID_LOOP_COUNT);
    Bind(wxEVT_MENU, &MainWindow::OnWebLink, this, ID_HELP_PAGE);
    Bind(wxEVT_MENU, &MainWindow::OnWebLink, this, ID_SUPPORT_PAGE);
    Bind(wxEVT_MENU, &MainWindow::OnWebLink, this, ID_CHECK_UPDATE);
    Bind(wxEVT_MENU, &MainWindow::OnAbout, this, ID_ABOUT_BOX);
    BindCanvasCommands();
    size_t languageCount = 0;
    const MenuLanguage* languages = MenuLanguages(&languageCount);
    for (size_t i = 0; i < languageCount; ++i)
        Bind(wxEVT_MENU, &MainWindow::OnLanguage, this, languages[i].id);
}

void MainWindow::BuildMenuBar()
{
    m_menubar = new wxMenuBar();

    // Every label has its key for Alt and the menu's letters ("&"); the catalogs give each
    // language keys of its own, none twice in one menu.
    m_menuFile = new wxMenu();
    m_menuFile->Append(ID_NEW_DOCUMENT, WithShortcut(_("&New"), "Ctrl+N"));
    m_menuFile->Append(ID_RECORD_SCREEN, WithShortcut(_("&Record Screen..."), "Ctrl+R"));
    m_menuFile->AppendSeparator();
    // The GIF is the product: its saves have keys as a document's exports do.
    m_menuFile->Append(ID_SAVE_GIF, WithShortcut(_("&Save"), "Ctrl+E"));
    m_menuFile->Append(ID_SAVE_GIF_AS, WithShortcut(_("Save &As"), "Ctrl+Shift+E"));
    m_menuFile->Append(ID_OPEN_PROJECT, _("&Open Project"));
    m_menuFile->Append(ID_SAVE_PROJECT, WithShortcut(_("Save &Project"), "Ctrl+S"));
    m_menuFile->Append(ID_SAVE_PROJECT_AS, WithShortcut(_("Save Pro&ject As..."), "Ctrl+Shift+S"));
    m_menuFile->Append(ID_EXIT_PROGRAM, WithShortcut(_("E&xit"), "Ctrl+Q"));

    m_menuEdit = new wxMenu();
    // The history writes the labels, which name the step ("Undo Delete 3 Frames").
    m_menuEdit->Append(wxID_UNDO, wxGetStockLabel(wxID_UNDO) + "\tCtrl+Z");
    m_menuEdit->Append(wxID_REDO, wxGetStockLabel(wxID_REDO) + "\tCtrl+Shift+Z");
    m_menuEdit->AppendSeparator();
    m_menuEdit->Append(ID_CROP, WithShortcut(_("&Crop..."), "Ctrl+Shift+X"));
    if (m_history) {
        m_history->SetEditMenu(m_menuEdit);
        m_history->SetMenuStrings();
    }

    m_menuFrame = new wxMenu();
    // Ctrl+I, which every keyboard has, as well (OnSecondKey).
    m_menuFrame->Append(ID_ADD_IMAGE, WithShortcut(_("&Add Image"), "Ctrl+Ins"));
    m_menuFrame->Append(ID_DELETE_FRAMES, WithShortcut(_("&Delete"), "Ctrl+Del"));
    m_menuFrame->Append(ID_CLEAR_ALL, _("&Clear All"));
    m_menuFrame->AppendSeparator();
    AppendArrangingCommands(*m_menuFrame);
    m_menuFrame->AppendSeparator();
    AppendTimingCommands(*m_menuFrame);
    AppendKeepGifTiming(*m_menuFrame);
    m_menuFrame->AppendSeparator();
    AppendFewerFramesCommands(*m_menuFrame);

    m_menuCanvas = new wxMenu();
    AppendCanvasCommands(*m_menuCanvas);

    m_menuView = new wxMenu();
    AppendViewCommands(*m_menuView);
    m_menuView->AppendSeparator();
    AppendZoomCommands(*m_menuView);

    m_menuAnimation = new wxMenu();
    // Ctrl+P starts and stops; Ctrl+T stops as well (OnSecondKey).
    m_menuAnimation->Append(ID_RUN_ANIMATION, WithShortcut(_("&Run animation"), "Ctrl+P"));
    m_menuAnimation->Append(ID_LOOP_COUNT, _("&Loop Count"));

    m_menuHelp = new wxMenu();
    m_menuHelp->Append(ID_HELP_PAGE, _("&Help"));
    m_menuLanguage = new wxMenu();
    size_t languageCount = 0;
    const MenuLanguage* languages = MenuLanguages(&languageCount);
    for (size_t i = 0; i < languageCount; ++i)
        m_menuLanguage->AppendCheckItem(languages[i].id, wxString::FromUTF8(languages[i].label));
    if (wxMenuItem* current = m_menuLanguage->FindItem(m_language))
        current->Check(true);
    m_menuHelp->AppendSubMenu(m_menuLanguage, _("&Language"));
    m_menuHelp->Append(ID_SUPPORT_PAGE, _("&Support"));
    m_menuHelp->Append(ID_CHECK_UPDATE, _("&Check for Update"));
    m_menuHelp->Append(ID_ABOUT_BOX, _("&About"));

    m_menubar->Append(m_menuFile, _("&File"));
    m_menubar->Append(m_menuEdit, _("&Edit"));
    m_menubar->Append(m_menuFrame, _("F&rame"));
    m_menubar->Append(m_menuCanvas, _("&Canvas"));
    m_menubar->Append(m_menuView, _("&View"));
    m_menubar->Append(m_menuAnimation, _("&Animation"));
    m_menubar->Append(m_menuHelp, _("&Help"));

    // The strip's pop-up menu commands; unbound first so that a rebuilt menu bar never
    // leaves two bindings for one command.
    Unbind(wxEVT_MENU, &MainWindow::OnInsertImage, this, kInsertImageId);
    Unbind(wxEVT_MENU, &MainWindow::OnDelete, this, wxID_DELETE);
    Bind(wxEVT_MENU, &MainWindow::OnInsertImage, this, kInsertImageId);
    Bind(wxEVT_MENU, &MainWindow::OnDelete, this, wxID_DELETE);

    // The frame detaches the previous bar without deleting it.
    wxMenuBar* previous = GetMenuBar();
    SetMenuBar(m_menubar);
    delete previous;
}
