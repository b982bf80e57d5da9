#include "ui/dialogs/file_drop.h"

FileDrop::FileDrop(Receiver receiver) : m_receiver(std::move(receiver)) {}

// The frames are copies of the files. A move, which file managers suggest within one disk,
// would let the source delete its files once the drop is taken.
wxDragResult FileDrop::OnEnter(wxCoord, wxCoord, wxDragResult)
{
    return wxDragCopy;
}

wxDragResult FileDrop::OnDragOver(wxCoord, wxCoord, wxDragResult)
{
    return wxDragCopy;
}

bool FileDrop::OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& paths)
{
    if (paths.empty())
        return false;
    m_receiver(paths, wxPoint(x, y));
    return true;
}
