// The canvas fields and text show the document's canvas; an opened project chooses a size.
#include <wx/spinctrl.h>
#include <wx/statusbr.h>

#include "core/base/trace.h"
#include "ui/strip/frame_strip.h"
#include "core/view/canvas_math.h"
#include "ui/window/main_window.h"
#include "core/project/project_file.h"
#include "core/document/canvas_size.h"

namespace {
// The canvas text of a proportion edit; its "px" is part of the format, not translated.
wxString EditedCanvasText(const wxString& gifName, int w, int h)
{
    if (gifName.empty())
        return wxString::Format("Untitled.gif (%d * %d)px", w, h);
    return wxString::Format("%s (%d * %d)px", ShownName(gifName), w, h);
}
}

void MainWindow::ShowCanvas()
{
    if (FrameCount() == 0) {
        m_statusBar->SetStatusText(wxEmptyString, 0);
        SetCanvasControls(wxSize(0, 0), 0);
        return;
    }
    const wxSize canvas = m_document.Canvas();
    // The frames composed on another canvas look different.
    if (canvas != m_lookCanvas)
        TakePictureLook();
    SetCanvasControls(canvas, 1);
    const wxString text = m_gifName.empty()
        ? wxString::Format("Untitled.gif (%d * %d)" + _("px"), canvas.x, canvas.y)
        : wxString::Format("%s (%d * %d)" + _("px"), ShownName(m_gifName), canvas.x, canvas.y);
    m_statusBar->SetStatusText(text, 0);
}

void MainWindow::ChooseCanvas(const wxSize& size)
{
    DocumentSettings settings = m_document.Settings();
    settings.canvas = size;
    settings.canvasChosen = true;
    m_document.SetSettings(settings);
    ShowCanvas();
}

wxSize MainWindow::ProportionBase() const
{
    // A crop's proportion is the picture's now.
    if (m_document.Edit().Cropped())
        return wxSize(m_document.Edit().crop.width, m_document.Edit().crop.height);
    const wxSize frames = m_document.FramesCanvas();
    return frames.x > 0 && frames.y > 0 ? frames : m_document.Canvas();
}

void MainWindow::SetCanvasControls(const wxSize& size, int lowest)
{
    // While frames exist a side of 0 can't be entered; an empty strip shows 0.
    m_spinctrl_width->SetRange(lowest, kGifMaxSide);
    m_spinctrl_height->SetRange(lowest, kGifMaxSide);
    m_spinctrl_width->SetValue(size.GetWidth());
    m_spinctrl_height->SetValue(size.GetHeight());
}

void MainWindow::ShowEditedCanvas()
{
    const wxSize canvas = m_document.Canvas();
    // Only a side that differs is written back: the typed side keeps the user's text (and
    // caret) unless it had to be lowered to keep the other side within a GIF's limit.
    if (m_spinctrl_width->GetValue() != canvas.x)
        m_spinctrl_width->SetValue(canvas.x);
    if (m_spinctrl_height->GetValue() != canvas.y)
        m_spinctrl_height->SetValue(canvas.y);
    m_statusBar->SetStatusText(EditedCanvasText(m_gifName, canvas.x, canvas.y), 0);
}
