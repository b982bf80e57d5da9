#include "core/strip/tile_title.h"

namespace {

const wxString kEllipsis = wxString::FromUTF8("\xE2\x80\xA6");

wxString Join(const wxString& name, const wxString& moment)
{
    return moment.empty() ? name : name + " " + moment;
}

// name with only keep of its characters left, half of them from its beginning and the other
// half, one more for an odd keep, from its end, where the extension is.
wxString Shortened(const wxString& name, size_t keep)
{
    const size_t head = keep / 2;
    return name.Left(head) + kEllipsis + name.Right(keep - head);
}

}  // namespace

wxString FitTitle(const FrameTitleParts& parts, int width, const TextMeasure& measure)
{
    const wxString whole = Join(parts.name, parts.moment);
    if (measure(whole) <= width)
        return whole;
    // The widest shortening that fits: the width grows with the characters kept.
    size_t low = 0, high = parts.name.length();  // fits with low kept; not with high
    if (measure(Join(Shortened(parts.name, 0), parts.moment)) > width)
        return parts.moment.empty() ? kEllipsis : parts.moment;
    while (high - low > 1) {
        const size_t middle = (low + high) / 2;
        if (measure(Join(Shortened(parts.name, middle), parts.moment)) <= width)
            low = middle;
        else
            high = middle;
    }
    return Join(Shortened(parts.name, low), parts.moment);
}
