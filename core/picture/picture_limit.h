// How large a picture the program decodes: the same limit for pictures, video frames and the
// canvas, and the reasons it gives when one is beyond it or beyond the free memory.
#pragma once

#include <cstdint>

#include <wx/gdicmn.h>
#include <wx/string.h>

// The largest side of a picture (and of a canvas) the program takes.
constexpr int kMaxPictureSide = 16384;

// Whether a picture of size may be decoded: both sides from 1 to kMaxPictureSide.
bool WithinPictureLimit(const wxSize& size);

// The reason given for a picture of size beyond the limit.
wxString TooLargeReason(const wxSize& size);

// Why a picture of size may not be decoded: beyond the size limit, or its pixels (4 bytes
// each) need more than the available bytes of memory (0: unknown, asks nothing). Empty when
// it may.
wxString PictureSizeProblem(const wxSize& size, uint64_t available);
