#include "core/export/kept_frame_source.h"

#include "core/picture/picture_differences.h"

bool KeptFrameSource::Frame(int index, wxImage& frame, FrameError& error)
{
    if (index < 0 || index >= Count() || m_kept[index] < m_next ||
        m_kept[index] >= m_source->Count()) {
        error.reason = wxString::Format("there is no frame %d", index + 1);
        return false;
    }
    for (; m_next < m_kept[index]; ++m_next)
        if (!m_source->Frame(m_next, frame, error))
            return false;
    ++m_next;
    return m_source->Frame(m_kept[index], frame, error);
}

bool SourceDifferences(FrameSource& source, double limit, std::vector<double>& shares,
                       FrameError& error)
{
    shares.assign(static_cast<size_t>(source.Count()), kNotAlike);
    wxImage previous, current;
    for (int i = 0; i < source.Count(); ++i) {
        if (!source.Frame(i, current, error))
            return false;
        if (i > 0)
            shares[i] = DifferingShare(ViewOf(previous), ViewOf(current), limit);
        // The exporter may change a frame it is given; this one only reads them.
        previous = current;
        current = wxImage();
    }
    return true;
}
