// The Canvas menu: the frames turned, mirrored, fitted onto the canvas and cut, over a
// background. Each is one step of the history on the document's settings; no picture is
// copied or changed, so undo and redo are exact and cost nothing.
#include <wx/colordlg.h>
#include <wx/menu.h>

#include "core/export/compose_frame.h"
#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"

void MainWindow::AppendCanvasCommands(wxMenu& menu)
{
    menu.Append(ID_ROTATE_RIGHT, _("Rotate &Right") + "\tCtrl+]");
    menu.Append(ID_ROTATE_LEFT, _("Rotate &Left") + "\tCtrl+[");
    menu.Append(ID_ROTATE_HALF, _("Rotate Half a T&urn"));
    menu.Append(ID_FLIP_HORIZONTAL, _("Flip &Horizontally"));
    menu.Append(ID_FLIP_VERTICAL, _("Flip &Vertically"));
    menu.AppendSeparator();
    // How a frame of another size meets the canvas.
    menu.AppendRadioItem(ID_FIT_SHRINK, _("&Shrink Larger Frames"));
    menu.AppendRadioItem(ID_FIT_FIT, _("&Fit Frames"));
    menu.AppendRadioItem(ID_FIT_FILL, _("Fill the &Canvas"));
    menu.AppendRadioItem(ID_FIT_STRETCH, _("S&tretch Frames"));
    menu.AppendRadioItem(ID_FIT_CENTRE, _("C&entre Frames"));
    menu.AppendSeparator();
    menu.Append(ID_BACKGROUND_COLOUR, _("&Background Colour..."));
    menu.AppendCheckItem(ID_TRANSPARENT_BACKGROUND, _("Trans&parent Background"));
}

void MainWindow::BindCanvasCommands()
{
    Bind(wxEVT_MENU, &MainWindow::OnTurn, this, ID_ROTATE_RIGHT, ID_ROTATE_HALF);
    Bind(wxEVT_MENU, &MainWindow::OnMirror, this, ID_FLIP_HORIZONTAL, ID_FLIP_VERTICAL);
    Bind(wxEVT_MENU, &MainWindow::OnFitMode, this, ID_FIT_SHRINK, ID_FIT_CENTRE);
    Bind(wxEVT_MENU, &MainWindow::OnBackgroundColour, this, ID_BACKGROUND_COLOUR);
    Bind(wxEVT_MENU, &MainWindow::OnTransparentBackground, this, ID_TRANSPARENT_BACKGROUND);
    Bind(wxEVT_UPDATE_UI, &MainWindow::OnUpdateCanvasCommand, this, ID_ROTATE_RIGHT,
         ID_TRANSPARENT_BACKGROUND);
}

void MainWindow::EditPicture(StepName name, const DocumentSettings& after)
{
    StopPreview();
    ChangeSettings(std::move(name), kPictureControl, after);
    // Each edit is a step of its own: the next one doesn't merge into it.
    m_history->SealLatest();
}

void MainWindow::OnTurn(wxCommandEvent& event)
{
    if (FrameCount() == 0)
        return;
    const DocumentSettings now = m_document.Settings();
    switch (event.GetId()) {
    case ID_ROTATE_RIGHT:
        EditPicture([] { return _("Rotate Right"); }, now.With(Turned(now.Edited(), 1), false));
        break;
    case ID_ROTATE_LEFT:
        EditPicture([] { return _("Rotate Left"); }, now.With(Turned(now.Edited(), -1), false));
        break;
    default:
        EditPicture([] { return _("Rotate Half a Turn"); },
                    now.With(Turned(now.Edited(), 2), false));
        break;
    }
}

void MainWindow::OnMirror(wxCommandEvent& event)
{
    if (FrameCount() == 0)
        return;
    const DocumentSettings now = m_document.Settings();
    if (event.GetId() == ID_FLIP_HORIZONTAL)
        EditPicture([] { return _("Flip Horizontally"); },
                    now.With(Mirrored(now.Edited(), true), false));
    else
        EditPicture([] { return _("Flip Vertically"); },
                    now.With(Mirrored(now.Edited(), false), false));
}

void MainWindow::OnFitMode(wxCommandEvent& event)
{
    DocumentSettings after = m_document.Settings();
    after.edit.fit = static_cast<FitMode>(event.GetId() - ID_FIT_SHRINK);
    EditPicture([] { return _("Change Fit"); }, after);
}

void MainWindow::OnBackgroundColour(wxCommandEvent&)
{
    const Background now = m_document.Edit().background;
    wxColourData data;
    data.SetColour(wxColour(now.red, now.green, now.blue));
    wxColourDialog dialog(this, &data);
    dialog.SetTitle(_("Background Colour"));
    if (dialog.ShowModal() != wxID_OK)
        return;
    const wxColour chosen = dialog.GetColourData().GetColour();
    DocumentSettings after = m_document.Settings();
    after.edit.background = Background{false, chosen.Red(), chosen.Green(), chosen.Blue()};
    EditPicture([] { return _("Change Background"); }, after);
}

void MainWindow::OnTransparentBackground(wxCommandEvent& event)
{
    DocumentSettings after = m_document.Settings();
    after.edit.background.transparent = event.IsChecked();
    EditPicture([] { return _("Change Background"); }, after);
}

void MainWindow::OnUpdateCanvasCommand(wxUpdateUIEvent& event)
{
    const int id = event.GetId();
    const CanvasEdit& edit = m_document.Edit();
    if (id >= ID_FIT_SHRINK && id <= ID_FIT_CENTRE)
        event.Check(static_cast<int>(edit.fit) == id - ID_FIT_SHRINK);
    else if (id == ID_TRANSPARENT_BACKGROUND)
        event.Check(edit.background.transparent);
    // Turning and mirroring work on frames; the canvas settings hold for frames to come too.
    if (id <= ID_FLIP_VERTICAL)
        event.Enable(FrameCount() > 0 && !IsLoading());
}

bool MainWindow::CropAnimation(const wxRect& shown)
{
    if (FrameCount() == 0)
        return false;
    const DocumentSettings now = m_document.Settings();
    const std::optional<EditedCanvas> cropped =
        CroppedTo(now.Edited(), PixelRect{shown.x, shown.y, shown.width, shown.height});
    if (!cropped)
        return false;
    EditPicture([] { return _("Crop"); }, now.With(*cropped, true));
    return true;
}

void MainWindow::ShowPictureEdit()
{
    TakePictureLook();
    if (m_shownIndex >= 0)
        ShowFrame(m_shownIndex);
    else
        m_panel_down->Refresh(false);
}

void MainWindow::TakePictureLook()
{
    m_lookCanvas = m_document.Canvas();
    m_previewCache.clear();
    const bool plain = m_document.Edit().Identity();
    // Thumbnails of an animation without edits stay the frames' own pictures.
    if (!plain || m_thumbnailsEdited)
        m_thumbnails->SetPictureLook(
            plain ? FrameStrip::PictureLook()
                  : [this](const wxImage& small, const wxSize& picture) {
                        return ComposeEditedSmall(small, picture, m_document.Canvas(),
                                                  m_document.Edit());
                    });
    m_thumbnailsEdited = !plain;
}
