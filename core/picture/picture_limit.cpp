#include "core/picture/picture_limit.h"

#include "core/base/file_length_text.h"

bool WithinPictureLimit(const wxSize& size)
{
    return size.GetWidth() >= 1 && size.GetHeight() >= 1 && size.GetWidth() <= kMaxPictureSide &&
           size.GetHeight() <= kMaxPictureSide;
}

wxString TooLargeReason(const wxSize& size)
{
    return wxString::Format(wxString::FromUTF8("too large: %d \u00d7 %d pixels (the largest side "
                                               "read is %d)"),
                            size.GetWidth(), size.GetHeight(), kMaxPictureSide);
}

wxString PictureSizeProblem(const wxSize& size, uint64_t available)
{
    if (!WithinPictureLimit(size))
        return TooLargeReason(size);
    // The decoded picture (RGB and alpha) must fit the memory that is free; otherwise the
    // decoder's failure would read as a damaged file.
    const uint64_t needed = uint64_t(size.GetWidth()) * uint64_t(size.GetHeight()) * 4;
    if (available == 0 || needed <= available)
        return wxString();
    return wxString::Format(wxString::FromUTF8("not enough memory: %d \u00d7 %d pixels need about "
                                               "%s, %s is free"),
                            size.GetWidth(), size.GetHeight(), FileLengthText(needed),
                            FileLengthText(available));
}
