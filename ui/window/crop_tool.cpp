// The crop tool: Edit > Crop... (Ctrl+Shift+X) turns the preview into an editor of the
// rectangle to keep, over the output's picture, with a bar of typed values under the
// settings; Apply (or Enter) crops the animation as one step, Cancel (or Escape) leaves it.
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/sizer.h>

#include "ui/dialogs/crop_editor.h"
#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"

void MainWindow::SetUpCropTool()
{
    m_crop = std::make_unique<CropEditor>(
        m_panel_down, this,
        [this](const wxRect& shown) {
            if (CropAnimation(shown))
                EndCropping();
        },
        [this] { EndCropping(); });
    // Under the settings, above the strip and the preview.
    GetSizer()->Insert(1, m_crop->Bar(), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 4);
    Bind(wxEVT_MENU, &MainWindow::OnCrop, this, ID_CROP);
    Bind(wxEVT_UPDATE_UI, &MainWindow::OnUpdateCrop, this, ID_CROP);
}

bool MainWindow::Cropping() const
{
    return m_crop && m_crop->Active();
}

void MainWindow::OnCrop(wxCommandEvent&)
{
    if (m_holding || FrameCount() == 0 || Cropping())
        return;
    // The preview holds still on one picture while the rectangle is edited over it.
    StopPreview();
    if (!FramePicture(m_shownIndex)) {
        const std::vector<int> selected = SelectedFrames();
        ShowFrame(selected.empty() ? 0 : selected.front());
    }
    // The rectangle is drawn over the output's picture, as the crop takes it.
    SetPreviewShowsOutput(true);
    const wxSize picture = ShownPictureSize();
    if (picture.x <= 0 || picture.y <= 0) {
        SetPreviewShowsOutput(false);
        return;
    }
    m_crop->Start(picture);
}

void MainWindow::OnUpdateCrop(wxUpdateUIEvent& event)
{
    event.Enable(!m_holding && FrameCount() > 0 && !Cropping());
}

void MainWindow::EndCropping()
{
    m_crop->Stop();
    SetPreviewShowsOutput(false);
}
