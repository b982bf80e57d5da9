// What a recording takes its pictures from: a screen of X11, or a monitor or window shared by
// the desktop portal on Wayland. The recorder asks it for the pixels of its region as often as
// the frame rate says, on the recorder's own thread.
//
// Every sentence that recording gives for a failure, here and in the openings of the
// sources, is in the interface's language, in UTF-8: English where no catalog is loaded, as in
// zoruvede-cli. Many are made on worker threads (the recorder's, PipeWire's, the portal's
// opener's), which read the catalog while the GUI thread may use it too. That is safe as long as
// the catalog is not replaced at the same moment: only picking a language in the Help menu
// replaces it, on the GUI thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/screen/capture_region.h"

class ScreenSource {
public:
    virtual ~ScreenSource() = default;

    // The source's size now, in pixels; 0 x 0 when it is gone. A screen may change its size
    // during a recording (a monitor plugged in, a window resized).
    virtual int Width() const = 0;
    virtual int Height() const = 0;

    // The pixels of region as they are now, with the mouse pointer drawn in when pointer is
    // set and the source can: region.width * region.height * 3 bytes (red, green, blue, row
    // after row) in rgb, resized as needed. False with a sentence in error when
    // the source is gone (the display closed, the user stopped sharing), or the region no
    // longer lies inside it.
    virtual bool Grab(const CaptureRect& region, bool pointer, std::vector<uint8_t>& rgb,
                      std::string& error) = 0;
};
