// The canvas size derived from the frames, its proportion edits, and the frame delay.
#include <vector>

#include <wx/spinctrl.h>
#include <wx/statusbr.h>

#include "app/trace.h"
#include "include/window/thumbnailctrl.h"
#include "mainwindow/canvas_math.h"
#include "mainwindow/gif_frame.h"
#include "src/window/canvas_size.h"

namespace {
// The canvas text of a proportion edit; its "px" is part of the format, not translated.
wxString EditedCanvasText(const wxString& gifName, int w, int h)
{
    if (gifName.empty())
        return wxString::Format("Untitled.gif (%d * %d)px", w, h);
    return wxString::Format("%s (%d * %d)px", gifName, w, h);
}
}

void GifFrame::UpdateCanvasFromFrames()
{
    if (FrameCount() == 0) {
        m_statusBar1->SetStatusText(wxEmptyString, 0);
        m_spinctrl_width->SetValue(0);
        m_spinctrl_height->SetValue(0);
        return;
    }
    std::vector<wxSize> sizes;
    for (int i = 0; i < FrameCount(); ++i) {
        const wxImageThumbnailItem* item = FrameItem(i);
        // A frame whose picture couldn't be prepared counts as 0 x 0.
        sizes.push_back(item && item->m_bitmap.IsOk() ? item->m_bitmap.GetSize() : wxSize(0, 0));
    }
    const wxSize canvas = CanvasFromFrameSizes(sizes);
    m_baseWidth = m_canvasWidth = canvas.GetWidth();
    m_baseHeight = m_canvasHeight = canvas.GetHeight();
    m_spinctrl_width->SetValue(canvas.GetWidth());
    m_spinctrl_height->SetValue(canvas.GetHeight());

    const int w = m_spinctrl_width->GetValue(), h = m_spinctrl_height->GetValue();
    const wxString text = m_gifName.empty()
        ? wxString::Format("Untitled.gif (%d * %d)" + _("px"), w, h)
        : wxString::Format("%s (%d * %d)" + _("px"), m_gifName, w, h);
    m_statusBar1->SetStatusText(text, 0);
}

void GifFrame::OnSetWidth(wxCommandEvent&)
{
    if (FrameCount() == 0)
        return;
    const int w = m_spinctrl_width->GetValue();
    SetEditedCanvas(w, HeightForWidth(w, m_baseWidth, m_baseHeight), m_spinctrl_height);
}

void GifFrame::OnSetHeight(wxCommandEvent&)
{
    if (FrameCount() == 0)
        return;
    const int h = m_spinctrl_height->GetValue();
    SetEditedCanvas(WidthForHeight(h, m_baseWidth, m_baseHeight), h, m_spinctrl_width);
}

void GifFrame::SetEditedCanvas(int w, int h, wxSpinCtrl* follower)
{
    m_canvasWidth = w;
    m_canvasHeight = h;
    follower->SetValue(follower == m_spinctrl_width ? w : h);
    m_statusBar1->SetStatusText(EditedCanvasText(m_gifName, w, h), 0);
}

void GifFrame::OnSetDelay(wxCommandEvent&)
{
    Trace("OnSetDelay");
    StopPreview();
    m_thumbnails->m_frameDelay = m_spinctrl_delay->GetValue();
    // The labels show the delay; repaint them now rather than at some later exposure.
    m_thumbnails->Refresh(false);
}
