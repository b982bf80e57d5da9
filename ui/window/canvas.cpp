// The canvas size derived from the frames, its proportion edits, and the frame delay.
#include <vector>

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

void GifFrame::UpdateCanvasFromFrames()
{
    if (FrameCount() == 0) {
        // An empty strip hands the canvas back to the frames that come next.
        m_canvasChosen = false;
        m_statusBar1->SetStatusText(wxEmptyString, 0);
        SetCanvasControls(wxSize(0, 0), 0);
        return;
    }
    std::vector<wxSize> sizes;
    for (int i = 0; i < FrameCount(); ++i) {
        const wxImage* image = FrameImage(i);
        // A frame whose picture is missing counts as 0 x 0.
        sizes.push_back(image ? image->GetSize() : wxSize(0, 0));
    }
    const wxSize derived = CanvasFromFrameSizes(sizes);
    if (derived.GetWidth() > 0 && derived.GetHeight() > 0) {
        m_baseWidth = derived.GetWidth();
        m_baseHeight = derived.GetHeight();
    }
    // A size the user chose stays through every change of the frame list.
    if (!m_canvasChosen) {
        m_canvasWidth = derived.GetWidth();
        m_canvasHeight = derived.GetHeight();
    }
    if (m_baseWidth <= 0 || m_baseHeight <= 0) {
        m_baseWidth = m_canvasWidth;
        m_baseHeight = m_canvasHeight;
    }
    SetCanvasControls(wxSize(m_canvasWidth, m_canvasHeight), 1);

    const int w = m_spinctrl_width->GetValue(), h = m_spinctrl_height->GetValue();
    const wxString text = m_gifName.empty()
        ? wxString::Format("Untitled.gif (%d * %d)" + _("px"), w, h)
        : wxString::Format("%s (%d * %d)" + _("px"), ShownName(m_gifName), w, h);
    m_statusBar1->SetStatusText(text, 0);
}

void GifFrame::ChooseCanvas(const wxSize& size)
{
    ScheduleRecoveryCopy();
    m_canvasChosen = true;
    m_canvasWidth = size.GetWidth();
    m_canvasHeight = size.GetHeight();
    UpdateCanvasFromFrames();
}

void GifFrame::SetCanvasControls(const wxSize& size, int lowest)
{
    // While frames exist a side of 0 can't be entered; an empty strip shows 0.
    m_spinctrl_width->SetRange(lowest, kGifMaxSide);
    m_spinctrl_height->SetRange(lowest, kGifMaxSide);
    m_spinctrl_width->SetValue(size.GetWidth());
    m_spinctrl_height->SetValue(size.GetHeight());
}

void GifFrame::SetEditedCanvas(const wxSize& size)
{
    ScheduleRecoveryCopy();
    m_canvasChosen = true;
    m_canvasWidth = size.GetWidth();
    m_canvasHeight = size.GetHeight();
    // Only a side that differs is written back: the typed side keeps the user's text (and
    // caret) unless it had to be lowered to keep the other side within a GIF's limit.
    if (m_spinctrl_width->GetValue() != m_canvasWidth)
        m_spinctrl_width->SetValue(m_canvasWidth);
    if (m_spinctrl_height->GetValue() != m_canvasHeight)
        m_spinctrl_height->SetValue(m_canvasHeight);
    m_statusBar1->SetStatusText(EditedCanvasText(m_gifName, m_canvasWidth, m_canvasHeight), 0);
}
