#include "ui/dialogs/crop_editor.h"

#include <algorithm>
#include <cmath>

#include <wx/dc.h>
#include <wx/window.h>

#include "ui/dialogs/region_overlay.h"

namespace {
// The read-out's distance from the rectangle and its padding.
constexpr int kLabelGap = 4;
constexpr int kLabelPad = 3;
}

CropEditor::CropEditor(wxWindow* view, wxWindow* barParent,
                       std::function<void(const wxRect&)> apply, std::function<void()> cancel)
    : m_view(view), m_apply(std::move(apply)), m_cancel(std::move(cancel))
{
    CropBar::Hooks hooks;
    hooks.typed = [this](const CaptureRect& typed, bool widthTyped) { OnTyped(typed, widthTyped); };
    hooks.proportion = [this](CropProportion proportion) { OnProportion(proportion); };
    hooks.apply = [this] { Apply(); };
    hooks.cancel = [this] { m_cancel(); };
    m_bar = new CropBar(barParent, std::move(hooks));
    m_bar->Hide();
}

CropEditor::~CropEditor()
{
    // The windows may be going too: nothing is laid out or drawn any more.
    if (m_active)
        Detach();
}

void CropEditor::Start(const wxSize& picture)
{
    m_picture = picture;
    m_placed = wxRect();
    m_region = WholeSource(picture.x, picture.y);
    m_bar->SetProportion(CropProportion::Free);
    m_bar->ShowRegion(m_region, m_picture);
    if (!m_active) {
        m_view->Bind(wxEVT_LEFT_DOWN, &CropEditor::OnLeftDown, this);
        m_view->Bind(wxEVT_MOTION, &CropEditor::OnMotion, this);
        m_view->Bind(wxEVT_LEFT_UP, &CropEditor::OnLeftUp, this);
        m_view->Bind(wxEVT_MOUSE_CAPTURE_LOST, &CropEditor::OnCaptureLost, this);
        m_view->Bind(wxEVT_CHAR_HOOK, &CropEditor::OnCharHook, this);
    }
    m_active = true;
    m_bar->Show();
    m_bar->GetParent()->Layout();
    m_view->SetFocus();
    m_view->Refresh(false);
}

void CropEditor::Detach()
{
    EndDrag();
    m_active = false;
    m_view->Unbind(wxEVT_LEFT_DOWN, &CropEditor::OnLeftDown, this);
    m_view->Unbind(wxEVT_MOTION, &CropEditor::OnMotion, this);
    m_view->Unbind(wxEVT_LEFT_UP, &CropEditor::OnLeftUp, this);
    m_view->Unbind(wxEVT_MOUSE_CAPTURE_LOST, &CropEditor::OnCaptureLost, this);
    m_view->Unbind(wxEVT_CHAR_HOOK, &CropEditor::OnCharHook, this);
}

void CropEditor::Stop()
{
    if (!m_active)
        return;
    Detach();
    m_view->SetCursor(wxNullCursor);
    // A hidden field keeps no focus: the window's keys would reach nothing.
    for (wxWindow* focus = wxWindow::FindFocus(); focus; focus = focus->GetParent())
        if (focus == m_bar) {
            m_view->SetFocus();
            break;
        }
    m_bar->Hide();
    m_bar->GetParent()->Layout();
    m_view->Refresh(false);
}

void CropEditor::Draw(wxDC& dc, const wxRect& placed, const wxSize& picture)
{
    if (!m_active || placed.IsEmpty() || picture.x <= 0 || picture.y <= 0)
        return;
    m_placed = placed;
    if (picture != m_picture) {
        // Another frame, or the picture changed under the editor: the rectangle stays within.
        m_picture = picture;
        m_region = ClampRegion(m_region, picture.x, picture.y);
        m_bar->ShowRegion(m_region, m_picture);
    }
    const wxRect box = ClientRect(m_region);
    DrawRegionOverlay(dc, placed, box);
    DrawSize(dc, box);
}

void CropEditor::DrawSize(wxDC& dc, const wxRect& box) const
{
    const wxString text = wxString::Format("%d %s %d", m_region.width,
                                           wxString::FromUTF8("\u00d7"), m_region.height);
    dc.SetFont(m_view->GetFont());
    const wxSize extent = dc.GetTextExtent(text) + wxSize(2 * kLabelPad, 2 * kLabelPad);
    const wxSize view = m_view->GetClientSize();
    // Below the rectangle, else above it, else inside its top; never off the view's sides.
    int y = box.GetBottom() + 1 + kLabelGap;
    if (y + extent.y > view.y)
        y = box.y - kLabelGap - extent.y;
    if (y < 0)
        y = std::max(0, box.y) + kLabelGap;
    const int x = std::clamp(box.x, 0, std::max(0, view.x - extent.x));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxColour(30, 30, 30, 200)));
    dc.DrawRectangle(wxRect(wxPoint(x, y), extent));
    dc.SetTextForeground(*wxWHITE);
    dc.DrawText(text, x + kLabelPad, y + kLabelPad);
}

wxPoint CropEditor::PicturePoint(const wxPoint& client) const
{
    const double sx = static_cast<double>(m_picture.x) / m_placed.width;
    const double sy = static_cast<double>(m_picture.y) / m_placed.height;
    return wxPoint(static_cast<int>(std::lround((client.x - m_placed.x) * sx)),
                   static_cast<int>(std::lround((client.y - m_placed.y) * sy)));
}

wxRect CropEditor::ClientRect(const CaptureRect& region) const
{
    auto at = [&](int x, int y) {
        return wxPoint(m_placed.x + static_cast<int>(std::lround(
                                        static_cast<double>(x) * m_placed.width / m_picture.x)),
                       m_placed.y + static_cast<int>(std::lround(
                                        static_cast<double>(y) * m_placed.height / m_picture.y)));
    };
    const wxPoint from = at(region.x, region.y);
    const wxPoint to = at(region.x + region.width, region.y + region.height);
    return wxRect(from, wxSize(std::max(1, to.x - from.x), std::max(1, to.y - from.y)));
}

int CropEditor::Reach() const
{
    // The reach is in the view's pixels, whatever the zoom.
    return std::max(1, static_cast<int>(std::lround(static_cast<double>(kRegionReach) *
                                                    m_picture.x / m_placed.width)));
}

void CropEditor::OnLeftDown(wxMouseEvent& event)
{
    m_view->SetFocus();
    if (m_placed.IsEmpty())
        return;
    m_from = PicturePoint(event.GetPosition());
    m_grip = GripAt(m_region, m_from.x, m_from.y, Reach());
    // A rectangle that fills the picture can't move: a drag inside it draws a new one.
    if (m_grip == RegionGrip::Move && m_region == WholeSource(m_picture.x, m_picture.y))
        m_grip = RegionGrip::None;
    m_before = m_region;
    m_dragging = true;
    if (!m_view->HasCapture())
        m_view->CaptureMouse();
}

void CropEditor::OnMotion(wxMouseEvent& event)
{
    if (m_placed.IsEmpty())
        return;
    const wxPoint at = PicturePoint(event.GetPosition());
    if (!m_dragging) {
        m_view->SetCursor(wxCursor(RegionCursor(GripAt(m_region, at.x, at.y, Reach()))));
        return;
    }
    // A click beside the rectangle, without a drag, leaves it as it is.
    if (m_grip == RegionGrip::None && at == m_from)
        return;
    // The proportion chosen, else with Shift on a handle the one the drag started with.
    wxSize ratio = ChosenRatio();
    const bool handle = m_grip != RegionGrip::None && m_grip != RegionGrip::Move;
    if (ratio.x == 0 && event.ShiftDown() && handle)
        ratio = wxSize(m_before.width, m_before.height);
    Change(DragRegionKeeping(m_before, m_grip, m_from.x, m_from.y, at.x, at.y, m_picture.x,
                             m_picture.y, ratio.x, ratio.y));
}

void CropEditor::OnLeftUp(wxMouseEvent& event)
{
    if (m_dragging)
        OnMotion(event);
    EndDrag();
}

void CropEditor::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    m_dragging = false;
}

void CropEditor::EndDrag()
{
    m_dragging = false;
    if (m_view->HasCapture())
        m_view->ReleaseMouse();
}

void CropEditor::OnCharHook(wxKeyEvent& event)
{
    switch (event.GetKeyCode()) {
    case WXK_ESCAPE:
        m_cancel();
        break;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        Apply();
        break;
    default:
        event.Skip();
    }
}

void CropEditor::OnTyped(const CaptureRect& typed, bool widthTyped)
{
    CaptureRect region = ClampRegion(typed, m_picture.x, m_picture.y);
    const wxSize ratio = ChosenRatio();
    // A typed side takes the other along when a proportion is chosen.
    if (ratio.x > 0 && (typed.width != m_region.width || typed.height != m_region.height))
        region = KeepProportion(region, widthTyped ? RegionGrip::Right : RegionGrip::Bottom,
                                ratio.x, ratio.y, m_picture.x, m_picture.y);
    Change(region);
}

void CropEditor::OnProportion(CropProportion)
{
    const wxSize ratio = ChosenRatio();
    Change(FitProportion(m_region, ratio.x, ratio.y));
}

wxSize CropEditor::ChosenRatio() const
{
    switch (m_bar->Proportion()) {
    case CropProportion::Square: return wxSize(1, 1);
    case CropProportion::FourThree: return wxSize(4, 3);
    case CropProportion::SixteenNine: return wxSize(16, 9);
    case CropProportion::Current: return m_picture;
    case CropProportion::Free: break;
    }
    return wxSize(0, 0);
}

void CropEditor::Change(const CaptureRect& region)
{
    m_bar->ShowRegion(region, m_picture);
    if (region == m_region)
        return;
    m_region = region;
    m_view->Refresh(false);
}

void CropEditor::Apply()
{
    if (m_picture.x <= 0 || m_picture.y <= 0)
        return;
    m_apply(wxRect(m_region.x, m_region.y, m_region.width, m_region.height));
}
