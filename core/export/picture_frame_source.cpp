#include "core/export/picture_frame_source.h"

bool PictureFrameSource::Frame(int index, wxImage& frame, FrameError& error)
{
    if (index < 0 || index >= Count()) {
        error.reason = wxString::Format("there is no frame %d", index + 1);
        return false;
    }
    const PictureRef& picture = m_pictures[index];
    if (!picture) {
        frame = wxImage();
        return true;
    }
    // An image of the worker's own: the exporter may change it, and the decoded pixels may be
    // shared with the preview through the store's cache.
    frame = picture->ToImage();
    if (!frame.IsOk()) {
        error.reason = _("a frame could not be read back from the cache file");
        return false;
    }
    return true;
}
