// The crop rectangle edited over a picture on a view that draws it (the preview): a drag
// outside draws a new one, the handles resize it, a drag inside moves it; Shift keeps its
// proportion while a handle is dragged, and a proportion chosen in the bar is kept always.
// A read-out beside it tells its size and the outside is dimmed. Its bar holds the same
// values typed; Enter applies and Escape cancels from the view or the bar.
//
// The view draws the picture and then calls Draw, which also tells the editor where the
// picture lies: the pointer is read against that.
#pragma once

#include <functional>

#include <wx/gdicmn.h>

#include "core/record/region_editing.h"
#include "ui/dialogs/crop_bar.h"

class wxDC;
class wxKeyEvent;
class wxMouseCaptureLostEvent;
class wxMouseEvent;
class wxWindow;

class CropEditor {
public:
    // apply takes the rectangle in the picture's pixels; cancel is Escape or Cancel. The
    // editor stays active until Stop.
    CropEditor(wxWindow* view, wxWindow* barParent, std::function<void(const wxRect&)> apply,
               std::function<void()> cancel);
    ~CropEditor();
    CropEditor(const CropEditor&) = delete;
    CropEditor& operator=(const CropEditor&) = delete;

    // The bar, for its parent's layout; hidden while the editor is not active.
    CropBar* Bar() { return m_bar; }
    // Starts on a picture of size picture with the whole of it, no proportion kept.
    void Start(const wxSize& picture);
    void Stop();
    bool Active() const { return m_active; }
    const CaptureRect& Region() const { return m_region; }

    // Draws the rectangle over a picture of size picture drawn at placed (the view's client
    // coordinates); a picture of another size takes the rectangle within it.
    void Draw(wxDC& dc, const wxRect& placed, const wxSize& picture);

private:
    void OnLeftDown(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnTyped(const CaptureRect& typed, bool widthTyped);
    void OnProportion(CropProportion proportion);
    void Apply();
    void EndDrag();
    // The view's events go back to it.
    void Detach();
    // The region becomes region: shown in the bar and on the view.
    void Change(const CaptureRect& region);
    // The proportion chosen in the bar as width:height; 0:0 for Free.
    wxSize ChosenRatio() const;
    wxPoint PicturePoint(const wxPoint& client) const;
    wxRect ClientRect(const CaptureRect& region) const;
    int Reach() const;
    void DrawSize(wxDC& dc, const wxRect& box) const;

    wxWindow* m_view;
    CropBar* m_bar;
    std::function<void(const wxRect&)> m_apply;
    std::function<void()> m_cancel;
    bool m_active = false;
    CaptureRect m_region;
    // The picture as the view drew it last.
    wxSize m_picture;
    wxRect m_placed;
    // The drag under way: the part held, where it started and the region then.
    bool m_dragging = false;
    RegionGrip m_grip = RegionGrip::None;
    wxPoint m_from;
    CaptureRect m_before;
};
