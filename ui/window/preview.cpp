// The animation preview: one frame at a time in the lower panel, stepped by the timer.
#include <algorithm>
#include <cmath>

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/xrc/xmlres.h>

#include "core/settings/paths.h"
#include "ui/dialogs/crop_editor.h"
#include "ui/strip/frame_strip.h"
#include "core/export/compose_frame.h"
#include "core/view/canvas_math.h"
#include "ui/window/main_window.h"
#include "core/project/project_file.h"

void MainWindow::SetPlayLook(const char* picture, const wxString& label, const char* shortcut)
{
    wxLogNull noLog;
    const wxBitmap bitmap(GetAppBaseDir() + "/Themes/" + picture, wxBITMAP_TYPE_ANY);
    m_toolBar_button->SetToolNormalBitmap(XRCID("m_tool_play"), bitmap);
    // The tool's tip is the label without its key marks ("&Run", "再生(&R)").
    m_toolBar_button->SetToolShortHelp(XRCID("m_tool_play"),
                                       wxStripMenuCodes(label, wxStrip_Menu));
    m_menubar->SetLabel(ID_RUN_ANIMATION, label + "\t" + shortcut);
}

void MainWindow::SetRunLook()
{
    SetPlayLook("play.png", _("&Run animation"), "Ctrl+P");
}

void MainWindow::SetStopLook()
{
    // Ctrl+P stops what it started; Ctrl+T stops as well (OnSecondKey).
    SetPlayLook("stop.png", _("&Stop animation"), "Ctrl+P");
}

void MainWindow::StopPreview()
{
    m_timer.Stop();
    m_player.Stop();
    SetRunLook();
}

void MainWindow::OnPlayStop(wxCommandEvent&)
{
    if (m_player.Playing()) {
        StopPreview();
        return;
    }
    // The crop's rectangle is edited over a picture that holds still.
    if (Cropping())
        return;
    // Placeholders of missing files have nothing to show: with nothing else, nothing starts.
    const std::optional<int> wait = m_player.Start(m_document);
    if (!wait)
        return;
    // Delays are in hundredths of a second; each frame stays for its own.
    m_timer.StartOnce(*wait * 10);
    SetStopLook();
}

void MainWindow::OnTimer(wxTimerEvent&)
{
    const PreviewTick tick = m_player.Tick(m_document);
    if (tick.shown >= 0)
        ShowFrame(tick.shown);
    if (tick.playing) {
        m_timer.StartOnce(tick.wait * 10);
    } else {
        // Ended: the last frame shown stays on show.
        m_timer.Stop();
        SetRunLook();
    }
}

void MainWindow::DrawPreview(wxDC& dc, int index)
{
    dc.SetBackground(wxBrush(m_panel_down->GetBackgroundColour()));
    dc.Clear();
    if (FrameCount() == 0) {
        DrawEmptyHint(dc);
        // Nothing left to crop; ended after this paint, which must not lay the window out.
        if (Cropping())
            CallAfter([this] { EndCropping(); });
        return;
    }
    const Picture* picture = FramePicture(index);
    // A frame whose picture is missing has nothing to draw.
    if (!picture)
        return;
    const wxSize size = PreviewPictureSize(*picture);
    const wxSize view = m_panel_down->GetClientSize();
    wxRect place = LayOutPreview(m_zoom, view, size).picture;
    if (place.width <= 0 || place.height <= 0)
        return;
    // The scroll rate is a pixel: the view starts that many pixels into the picture's area.
    place.Offset(-m_panel_down->GetViewStart());
    DrawPreviewBackground(dc, wxRect(place).Intersect(wxRect(view)));
    // Only the part in view is converted: a large picture at 400 % would not fit in memory.
    const VisiblePart part = VisiblePicturePart(place, view, size);
    if (!part.target.IsEmpty()) {
        const wxBitmap& bitmap = PreviewBitmap(index, part.source, part.target.GetSize());
        if (bitmap.IsOk())
            dc.DrawBitmap(bitmap, part.target.GetPosition(), true);
    }
    if (Cropping())
        m_crop->Draw(dc, place, size);
}

const wxBitmap& MainWindow::PreviewBitmap(int index, const wxRect& source, const wxSize& size)
{
    static const wxBitmap none;
    const FramePtr& frame = m_document.Frame(index);
    // A running preview shows each frame many times: each is converted (and scaled) once for
    // the panel's size, and the last few are kept.
    for (const PreviewCacheEntry& entry : m_previewCache)
        if (entry.frame == frame && entry.source == source && entry.size == size)
            return entry.bitmap;
    // The decoded pixels stay alive while the bitmap is made from a view of them.
    const DecodedPictureRef pixels = frame->picture->Decode();
    if (!pixels) {
        // Told after this paint: a message box inside a paint handler would paint again.
        CallAfter([this] { TellPictureTrouble(); });
        return none;
    }
    // The whole picture may be composed at about the size it is drawn; a part of it (a zoomed
    // picture scrolled) is cut from the picture at its own size.
    const bool whole = source == wxRect(PreviewPictureSize(*frame->picture));
    wxImage image = PreviewPicture(pixels->View(), whole ? size : wxSize());
    if (!whole) {
        if (source.IsEmpty() || !wxRect(image.GetSize()).Contains(source))
            return none;
        image = image.GetSubImage(source);
    }
    // Enlarged, each pixel stays a sharp square; shrunk, it is smoothed.
    const wxImageResizeQuality quality =
        size.GetWidth() > source.width ? wxIMAGE_QUALITY_NEAREST : wxIMAGE_QUALITY_NORMAL;
    wxBitmap bitmap(size == image.GetSize()
                        ? image
                        : image.Scale(size.GetWidth(), size.GetHeight(), quality));
    if (m_previewCache.size() >= kPreviewCacheSize)
        m_previewCache.erase(m_previewCache.begin());
    m_previewCache.push_back({frame, source, size, bitmap});
    return m_previewCache.back().bitmap;
}

bool MainWindow::PreviewShowsOutput() const
{
    return m_previewShowsOutput || !m_document.Edit().Identity();
}

void MainWindow::SetPreviewShowsOutput(bool output)
{
    if (output == m_previewShowsOutput)
        return;
    m_previewShowsOutput = output;
    ShowPictureEdit();
}

wxImage MainWindow::PreviewPicture(const wxImage& picture, const wxSize& shown) const
{
    if (!PreviewShowsOutput())
        return picture;
    const wxSize canvas = m_document.Canvas();
    if (shown.x <= 0 || shown.y <= 0 || canvas.x <= 0 || canvas.y <= 0 ||
        shown.x >= canvas.x || shown.y >= canvas.y)
        return ComposeEdited(picture, canvas, m_document.Edit(), false);
    // Shown smaller than it is: the picture is made small first and composed at about the size
    // shown, so that a turn or a crop doesn't cost more than the drawing.
    const double k = std::max(double(shown.x) / canvas.x, double(shown.y) / canvas.y);
    const int w = std::max(1, int(std::lround(picture.GetWidth() * k)));
    const int h = std::max(1, int(std::lround(picture.GetHeight() * k)));
    return ComposeEditedSmall(picture.Scale(w, h, wxIMAGE_QUALITY_NORMAL), picture.GetSize(),
                              canvas, m_document.Edit());
}

void MainWindow::DrawPreviewBackground(wxDC& dc, const wxRect& place)
{
    dc.SetPen(*wxTRANSPARENT_PEN);
    if (!m_document.Edit().background.transparent) {
        dc.SetBrush(*wxBLACK_BRUSH);
        dc.DrawRectangle(place);
        return;
    }
    // Clear pixels show the squares image editors show for transparency.
    constexpr int kSquare = 8;
    dc.SetClippingRegion(place);
    for (int y = place.y; y < place.GetBottom() + 1; y += kSquare)
        for (int x = place.x; x < place.GetRight() + 1; x += kSquare) {
            const bool light = ((x - place.x) / kSquare + (y - place.y) / kSquare) % 2 == 0;
            dc.SetBrush(wxBrush(light ? wxColour(204, 204, 204) : wxColour(153, 153, 153)));
            dc.DrawRectangle(x, y, kSquare, kSquare);
        }
    dc.DestroyClippingRegion();
}

void MainWindow::DrawEmptyHint(wxDC& dc)
{
    const wxString hint = _("Drop images here, or add them with\nFrame > Add Image (Ctrl+I) or the + button.");
    dc.SetFont(m_panel_down->GetFont());
    dc.SetTextForeground(*wxWHITE);
    dc.DrawLabel(hint, wxRect(m_panel_down->GetClientSize()), wxALIGN_CENTRE);
}

void MainWindow::ShowFrame(int index)
{
    if (index < 0 || index >= FrameCount())
        return;
    const wxString& source = m_document.Frame(index)->source;
    m_shownIndex = index;
    ApplyPreviewLayout();
    // Painted through the panel's paint handler, which also redraws it when exposed.
    m_panel_down->Refresh(false);
    m_panel_down->Update();
    m_frameShownSize = FrameSize(*m_document.Frame(index));
    m_frameName = wxFileNameFromPath(source);
    m_shownMissingPath = m_document.IsMissing(index) ? source : wxString();
    m_statusBar->SetStatusText(FrameStatusText(), 1);
}

wxString MainWindow::FrameStatusText() const
{
    if (!m_shownMissingPath.empty())
        return wxString::Format(_("Missing file: %s"), ShownName(m_shownMissingPath));
    const wxString format = "%s " + _("Width") + ":" + "%d" + _("px") + "," + _("Height") +
                            ":%d " + _("px");
    // A frame without a file is called what it is, in the language of the moment.
    return wxString::Format(format, m_frameName.empty() ? _("Recorded frame") : m_frameName,
                            m_frameShownSize.GetWidth(),
                            m_frameShownSize.GetHeight());
}

void MainWindow::OnPreviewPaint(wxPaintEvent&)
{
    // Buffered, so that clearing before each frame of a running preview doesn't flicker.
    wxAutoBufferedPaintDC dc(m_panel_down);
    // The panel shows the frame drawn last again when it is exposed or resized.
    DrawPreview(dc, m_shownIndex);
}

void MainWindow::ClearPreview()
{
    m_shownIndex = -1;
    m_panel_down->Refresh();
}
