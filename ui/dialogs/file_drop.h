// Files dropped on a window from a file manager or the desktop.
#pragma once

#include <functional>

#include <wx/dnd.h>

class FileDrop : public wxFileDropTarget {
public:
    // Told of each drop, with the point in the window's client coordinates, while the drag is
    // still under way: the source waits for the answer, so the receiver takes note and acts
    // (asks, loads) only after the drop has ended.
    using Receiver = std::function<void(const wxArrayString& paths, const wxPoint& where)>;

    explicit FileDrop(Receiver receiver);

    wxDragResult OnEnter(wxCoord x, wxCoord y, wxDragResult suggested) override;
    wxDragResult OnDragOver(wxCoord x, wxCoord y, wxDragResult suggested) override;
    bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& paths) override;

private:
    Receiver m_receiver;
};
