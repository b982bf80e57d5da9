// How large the preview shows the picture: the View menu's zoom levels and keys, Ctrl with
// the wheel over the preview, the scrolling of a picture larger than the panel, and the
// setting that remembers the level.
#include <wx/menu.h>

#include "core/settings/product.h"
#include "core/settings/settings_store.h"
#include "ui/dialogs/message_boxes.h"
#include "ui/window/main_window.h"

namespace {
const char kZoomKey[] = "Preview/Zoom";
// How far a notch of the wheel scrolls a zoomed picture.
constexpr int kWheelScrollPixels = 48;

int ZoomOfItem(int id)
{
    if (id == ID_ZOOM_FIT)
        return kZoomFit;
    return ZoomLevels()[id - ID_ZOOM_50];
}
}

void MainWindow::SetUpPreviewScrolling()
{
    m_zoom = ValidZoom(static_cast<int>(Settings().ReadLong(kZoomKey, kZoomFit)));
    // Scrolled by pixels, and drawn anew as a whole: the crop's read-out stays beside its
    // rectangle instead of being copied along.
    m_panel_down->SetScrollRate(1, 1);
    m_panel_down->EnableScrolling(false, false);
    m_panel_down->Bind(wxEVT_MOUSEWHEEL, &MainWindow::OnPreviewWheel, this);
    m_panel_down->Bind(wxEVT_SIZE, &MainWindow::OnPreviewSize, this);
}

void MainWindow::AppendZoomCommands(wxMenu& menu)
{
    // Ctrl+= (Ctrl++ without Shift) and the keypad's keys as well (SecondKeys).
    menu.Append(ID_ZOOM_IN, _("&Zoom In") + "\tCtrl++");
    menu.Append(ID_ZOOM_OUT, _("Zoom O&ut") + "\tCtrl+-");
    menu.AppendRadioItem(ID_ZOOM_FIT, _("&Fit") + "\tCtrl+0");
    for (size_t i = 0; i < ZoomLevels().size(); ++i)
        menu.AppendRadioItem(ID_ZOOM_50 + static_cast<int>(i),
                             "&" + wxString::Format(_("%d %%"), ZoomLevels()[i]));
}

void MainWindow::OnZoomMenu(wxCommandEvent& event)
{
    // The keys and the menu keep the middle of the panel where it is.
    const wxSize view = m_panel_down->GetClientSize();
    const wxPoint centre(view.x / 2, view.y / 2);
    const double fit = ZoomScale(kZoomFit, view, ShownPictureSize());
    switch (event.GetId()) {
    case ID_ZOOM_IN:
        SetZoom(StepZoom(m_zoom, 1, fit), centre);
        break;
    case ID_ZOOM_OUT:
        SetZoom(StepZoom(m_zoom, -1, fit), centre);
        break;
    default:
        SetZoom(ZoomOfItem(event.GetId()), centre);
    }
}

void MainWindow::OnUpdateZoomMenu(wxUpdateUIEvent& event)
{
    if (event.GetId() == ID_ZOOM_IN || event.GetId() == ID_ZOOM_OUT)
        return;
    event.Check(ZoomOfItem(event.GetId()) == m_zoom);
    if (event.GetId() != ID_ZOOM_FIT)
        return;
    // Fit tells the scale it shows the picture at.
    const wxSize picture = ShownPictureSize();
    wxString label = _("&Fit");
    if (picture.x > 0 && picture.y > 0) {
        const double scale = ZoomScale(kZoomFit, m_panel_down->GetClientSize(), picture);
        label += " (" + wxString::Format(_("%d %%"), static_cast<int>(scale * 100)) + ")";
    }
    event.SetText(label + "\tCtrl+0");
}

void MainWindow::OnPreviewWheel(wxMouseEvent& event)
{
    const int notch = event.GetWheelDelta() > 0 ? event.GetWheelDelta() : 120;
    const bool across = event.GetWheelAxis() == wxMOUSE_WHEEL_HORIZONTAL;
    if (event.ControlDown() && !across) {
        m_zoomWheel += event.GetWheelRotation();
        const int steps = m_zoomWheel / notch;
        m_zoomWheel -= steps * notch;
        if (steps == 0)
            return;
        const double fit =
            ZoomScale(kZoomFit, m_panel_down->GetClientSize(), ShownPictureSize());
        SetZoom(StepZoom(m_zoom, steps, fit), event.GetPosition());
        return;
    }
    // Up scrolls up; Shift, or a wheel turned sideways, scrolls across.
    const int pixels = event.GetWheelRotation() * kWheelScrollPixels / notch;
    wxPoint start = m_panel_down->GetViewStart();
    if (across)
        start.x += pixels;
    else if (event.ShiftDown())
        start.x -= pixels;
    else
        start.y -= pixels;
    m_panel_down->Scroll(std::max(0, start.x), std::max(0, start.y));
}

void MainWindow::OnPreviewSize(wxSizeEvent& event)
{
    ApplyPreviewLayout();
    event.Skip();
}

void MainWindow::SetZoom(int zoom, const wxPoint& pointer)
{
    const wxSize view = m_panel_down->GetClientSize();
    const wxSize picture = ShownPictureSize();
    const PreviewLayout before = LayOutPreview(m_zoom, view, picture);
    const wxPoint scroll = m_panel_down->GetViewStart();
    const bool changed = zoom != m_zoom;
    m_zoom = zoom;
    const PreviewLayout after = LayOutPreview(m_zoom, view, picture);
    ApplyPreviewLayout();
    m_panel_down->Scroll(ScrollKeepingPoint(before, scroll, after, view, pointer));
    m_panel_down->Refresh(false);
    if (changed)
        RememberZoom();
}

void MainWindow::ApplyPreviewLayout()
{
    const PreviewLayout layout =
        LayOutPreview(m_zoom, m_panel_down->GetClientSize(), ShownPictureSize());
    if (layout.scrolled == m_previewScrolled)
        return;
    m_previewScrolled = layout.scrolled;
    m_panel_down->SetVirtualSize(layout.scrolled);
}

wxSize MainWindow::ShownPictureSize() const
{
    const Picture* picture = FramePicture(m_shownIndex);
    return picture ? PreviewPictureSize(*picture) : wxSize();
}

wxSize MainWindow::PreviewPictureSize(const Picture& picture) const
{
    return PreviewShowsOutput() ? m_document.Canvas() : wxSize(picture.Width(), picture.Height());
}

void MainWindow::RememberZoom()
{
    if (Settings().Write(kZoomKey, static_cast<long>(m_zoom)) || m_toldZoomNotStored)
        return;
    // Said once: the zoom still holds until the window closes.
    m_toldZoomNotStored = true;
    ShowMessage(wxString::Format(_("The preview's zoom could not be stored in %s."),
                                 GetSettingsFilePath()),
                GetProductName(), wxOK | wxICON_WARNING, this);
}
