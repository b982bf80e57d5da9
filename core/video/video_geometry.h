// The size a video's pictures are shown at and decoded to: on plain numbers.
#pragma once

#include <wx/gdicmn.h>

// The picture's size on screen: coded width scaled by the pixel aspect ratio num / den (a
// ratio of 0 or less counts as square pixels) and turned by rotation degrees (a multiple of
// 90: 90 and 270 swap the sides).
wxSize VideoDisplaySize(int codedWidth, int codedHeight, int aspectNum, int aspectDen,
                        int rotation);

// The decoded frame's size for a requested width, the height following the display's aspect
// ratio; both held to 1..kGifMaxSide, the largest a GIF holds.
wxSize VideoFrameSize(const wxSize& display, int width);

// The largest width a frame may be decoded at: the display width, held so that neither side
// of the frame passes the largest side of a picture (kMaxPictureSide).
int LargestVideoWidth(const wxSize& display);

// The width frames get unless the user says otherwise: the display width, at most 640 and at
// most LargestVideoWidth.
int DefaultVideoWidth(const wxSize& display);

// A rotation in degrees as the video's display matrix gives it (counter-clockwise, any
// sign), as clockwise quarter turns 0..3 to apply to the decoded picture.
int ClockwiseQuarterTurns(double counterClockwiseDegrees);
