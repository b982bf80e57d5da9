// The strip's items and its notification event.
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/graphics.h>
#include <wx/log.h>

#include "app/trace.h"
#include "include/window/thumbnailctrl.h"
#include "src/window/image_decode.h"
#include "src/window/video_reference.h"

wxIMPLEMENT_CLASS(wxThumbnailItem, wxObject);
wxIMPLEMENT_CLASS(wxImageThumbnailItem, wxThumbnailItem);
wxIMPLEMENT_CLASS(wxMissingThumbnailItem, wxImageThumbnailItem);
wxIMPLEMENT_DYNAMIC_CLASS(wxThumbnailEvent, wxNotifyEvent);

// Defined in this order on purpose: the event type numbers follow it.
wxDEFINE_EVENT(wxEVT_THUMBCTRL_SELECTED, wxThumbnailEvent);
wxDEFINE_EVENT(wxEVT_THUMBCTRL_DESELECTED, wxThumbnailEvent);
wxDEFINE_EVENT(wxEVT_THUMBCTRL_LEFT_CLICK, wxThumbnailEvent);
wxDEFINE_EVENT(wxEVT_THUMBCTRL_MIDDLE_CLICK, wxThumbnailEvent);
wxDEFINE_EVENT(wxEVT_THUMBCTRL_RIGHT_CLICK, wxThumbnailEvent);
wxDEFINE_EVENT(wxEVT_THUMBCTRL_LEFT_DCLICK, wxThumbnailEvent);
wxDEFINE_EVENT(wxEVT_THUMBCTRL_RETURN, wxThumbnailEvent);
wxDEFINE_EVENT(wxEVT_THUMBCTRL_MOVE, wxThumbnailEvent);

wxBitmap ScaleToFit(const wxImage& image, int boxWidth, int boxHeight)
{
    if (!image.IsOk())
        return wxBitmap();
    const double sx = static_cast<double>(boxWidth) / image.GetWidth();
    const double sy = static_cast<double>(boxHeight) / image.GetHeight();
    if (sx >= 1 && sy >= 1)
        return wxBitmap(image);  // pictures are never enlarged
    const double s = sx < sy ? sx : sy;
    const int width = static_cast<int>(image.GetWidth() * s);
    const int height = static_cast<int>(image.GetHeight() * s);
    // wxImage::Scale asserts on an empty size; a sliver too thin to show gets no thumbnail.
    if (width < 1 || height < 1)
        return wxBitmap();
    return wxBitmap(image.Scale(width, height, wxIMAGE_QUALITY_NORMAL));
}

bool wxThumbnailItem::DrawImage(wxDC&, wxThumbnailCtrl&, const wxRect&, int)
{
    return false;
}

bool wxThumbnailItem::Load(wxThumbnailCtrl&, bool)
{
    return false;
}

namespace {

// Clips to box and draws text at (x, box.y), so text wider than the box is cut, not wrapped.
void DrawClippedText(wxDC& dc, const wxString& text, const wxRect& box, int x)
{
    dc.SetClippingRegion(box);
    dc.DrawText(text, x, box.y);
    dc.DestroyClippingRegion();
}

}  // namespace

bool wxThumbnailItem::DrawFrame(wxDC& dc, wxThumbnailCtrl& ctrl, const wxRect& rect,
                                const wxRect& imageRect, int state, int index)
{
    const bool selected = (state & wxTHUMB_DRAW_SELECTED) != 0;
    const int x = rect.x, y = rect.y, w = rect.width, h = rect.height;
    const int m = ctrl.GetMargin();

    const wxColour& tile = !selected ? ctrl.GetUnselectedColour()
                           : (state & wxTHUMB_DRAW_CTRL_FOCUSED)
                               ? ctrl.GetFocusedSelectionColour()
                               : ctrl.GetUnfocusedSelectionColour();
    dc.SetBrush(wxBrush(tile));
    dc.SetPen(wxPen(tile, 1));
    dc.DrawRectangle(rect);

    // A selected tile looks pressed in (dark top and left), an unselected one raised.
    dc.SetPen(selected ? *wxWHITE_PEN : *wxBLACK_PEN);
    dc.DrawLine(x + w - 1, y, x + w - 1, y + h - 1);
    dc.DrawLine(x, y + h - 1, x + w, y + h - 1);
    dc.SetPen(selected ? *wxBLACK_PEN : *wxWHITE_PEN);
    dc.DrawLine(x, y, x + w - 1, y);
    dc.DrawLine(x, y, x, y + h - 1);

    const wxString name = wxFileNameFromPath(m_filename);
    const wxString title = FrameTitle(m_filename);
    if (!name.empty() && ctrl.HasFlag(wxTHUMBCTRL_SHOW_FILENAME)) {
        dc.SetFont(ctrl.GetFont());
        dc.SetTextForeground(selected ? *wxWHITE : *wxBLACK);
        dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        const wxRect box(x + m, y + m, w - 2 * m, (h - imageRect.height) / 2 - 2 * m);
        const int textWidth = dc.GetTextExtent(title).x;
        const int offset = (box.width - textWidth) / 2;
        DrawClippedText(dc, title, box, box.x + (offset > 0 ? offset : 0));
    }

    if (!name.empty()) {
        wxString dir, base, ext;
        wxFileName::SplitPath(name, &dir, &base, &ext);
        if (!ext.empty() && ctrl.HasFlag(wxTHUMBCTRL_SHOW_LABEL)) {
            dc.SetFont(ctrl.GetLabelFont());
            dc.SetTextForeground(selected ? *wxWHITE : ctrl.GetLabelColour());
            dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
            const int d = (h - imageRect.height) / 2;
            const wxRect box(x + m, y + h - d + m, w - 2 * m, d - 2 * m);
            DrawClippedText(dc, ctrl.LabelText(index), box, box.x);
        }
    }

    if (state & wxTHUMB_DRAW_FOCUS_ITEM) {
        dc.SetPen(wxPen(ctrl.GetFocusRectColour(), 1, wxPENSTYLE_DOT));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        // Cairo-backed dcs (GTK 3) antialias the dots into half-tone smears across two
        // pixels; a focus rectangle wants crisp dots.
        wxGraphicsContext* gc = dc.GetGraphicsContext();
        const wxAntialiasMode mode = gc ? gc->GetAntialiasMode() : wxANTIALIAS_DEFAULT;
        if (gc)
            gc->SetAntialiasMode(wxANTIALIAS_NONE);
        dc.DrawRectangle(imageRect.x - 1, imageRect.y - 1, imageRect.width + 2,
                         imageRect.height + 2);
        if (gc)
            gc->SetAntialiasMode(mode);
    }
    return true;
}

wxImageThumbnailItem::wxImageThumbnailItem(std::shared_ptr<const wxImage> image,
                                           const wxString& name)
    : wxThumbnailItem(name), m_image(std::move(image))
{
}

bool wxImageThumbnailItem::DrawImage(wxDC& dc, wxThumbnailCtrl&, const wxRect& imageRect, int)
{
    if (m_thumbnail.IsOk()) {
        dc.DrawBitmap(m_thumbnail,
                      imageRect.x + (imageRect.width - m_thumbnail.GetWidth()) / 2,
                      imageRect.y + (imageRect.height - m_thumbnail.GetHeight()) / 2, false);
    }
    return true;
}

bool wxImageThumbnailItem::Load(wxThumbnailCtrl& ctrl, bool force)
{
    Trace("wxImageThumbnailItem");
    if (m_thumbnail.IsOk() && !force)
        return true;
    if (m_image && m_image->IsOk()) {
        wxLogNull noLog;
        m_thumbnail = ScaleToFit(*m_image, ctrl.GetThumbnailWidth(), ctrl.GetThumbnailHeight());
    }
    return true;
}

wxMissingThumbnailItem::wxMissingThumbnailItem(const wxString& entry)
    : wxImageThumbnailItem(nullptr, entry)
{
}

bool wxMissingThumbnailItem::Load(wxThumbnailCtrl&, bool)
{
    return true;
}

bool wxMissingThumbnailItem::DrawImage(wxDC& dc, wxThumbnailCtrl& ctrl, const wxRect& imageRect,
                                       int)
{
    // A grey card crossed out in red: the picture's place, and that it is not there.
    const wxRect card = imageRect.Deflate(imageRect.width / 8, imageRect.height / 8);
    dc.SetBrush(wxBrush(wxColour(200, 200, 200)));
    dc.SetPen(wxPen(wxColour(120, 120, 120), 1));
    dc.DrawRectangle(card);
    dc.SetPen(wxPen(wxColour(190, 30, 30), 3));
    const int inset = card.width / 5;
    dc.DrawLine(card.x + inset, card.y + inset, card.GetRight() - inset, card.GetBottom() - inset);
    dc.DrawLine(card.GetRight() - inset, card.y + inset, card.x + inset, card.GetBottom() - inset);
    return true;
}

void wxThumbnailItemArray::Insert(wxThumbnailItem* item, size_t uiIndex)
{
    wxCHECK_RET(uiIndex <= size(), "bad index in wxThumbnailItemArray::Insert()");
    m_items.emplace(m_items.begin() + uiIndex, item);
}

bool wxThumbnailItemArray::RemoveAt(size_t uiIndex)
{
    wxCHECK_MSG(uiIndex < size(), false, "bad index in wxThumbnailItemArray::RemoveAt()");
    m_items.erase(m_items.begin() + uiIndex);
    return true;
}

void wxThumbnailItemArray::Reorder(const std::vector<int>& order)
{
    // Checked whole before anything moves: a repeated index would free the item it displaced.
    wxCHECK_RET(order.size() == size(), "wxThumbnailItemArray::Reorder: wrong length");
    std::vector<bool> taken(size(), false);
    for (int from : order) {
        wxCHECK_RET(from >= 0 && from < static_cast<int>(size()) && !taken[from],
                    "wxThumbnailItemArray::Reorder: not a rearrangement of the items");
        taken[from] = true;
    }
    std::vector<std::unique_ptr<wxThumbnailItem>> items;
    items.reserve(size());
    for (int from : order)
        items.push_back(std::move(m_items[from]));
    m_items = std::move(items);
}
